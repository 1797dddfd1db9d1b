#include "oldruntime/Conversions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace kwemo {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// What a user leaves around a number in a box: space, tab, ideographic space.
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

QStringView withoutSurroundingBlanks(QStringView text) {
  while (!text.isEmpty() && isBlank(text.front())) text = text.sliced(1);
  while (!text.isEmpty() && isBlank(text.back())) text.chop(1);
  return text;
}

// Checks the numeric grammar and returns the number as plain ASCII for std::from_chars (no '+'),
// or nullopt when the text is not numeric.
std::optional<std::string> numericAscii(QStringView text) {
  text = withoutSurroundingBlanks(text);
  const qsizetype end = text.size();
  std::string out;
  qsizetype i = 0;
  if (i < end && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') out += '-';
    ++i;
  }
  int digits = 0;
  while (i < end && isDigit(text[i].unicode())) out += char(text[i++].unicode()), ++digits;
  if (i < end && text[i] == u'.') {
    out += '.';
    ++i;
    while (i < end && isDigit(text[i].unicode())) out += char(text[i++].unicode()), ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < end && (text[i] == u'e' || text[i] == u'E')) {
    out += 'e';
    ++i;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) out += char(text[i++].unicode());
    int expDigits = 0;
    while (i < end && isDigit(text[i].unicode())) out += char(text[i++].unicode()), ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  return out;
}

// Converts validated ASCII; too large fails, too small (underflow) gives a signed zero.
template <typename T>
std::optional<T> parseAs(const std::string& s) {
  T value{};
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Decide overflow from underflow by the decimal exponent's size, without trusting `value`.
    double wide = 0;
    std::from_chars(s.data(), s.data() + s.size(), wide);
    const std::size_t e = s.find('e');
    const bool negativeExponent = e != std::string::npos && e + 1 < s.size() && s[e + 1] == '-';
    if (negativeExponent && std::fabs(wide) < 1.0) return s[0] == '-' ? -T(0) : T(0);
    return std::nullopt;
  }
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

double roundHalfEven(double value) { return std::nearbyint(value); }

std::optional<std::int16_t> toInt16(double value) {
  const double r = roundHalfEven(value);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

std::optional<double> CDbl(QStringView text) {
  const auto ascii = numericAscii(text);
  if (!ascii) return std::nullopt;
  return parseAs<double>(*ascii);
}

std::optional<float> CSng(QStringView text) {
  const auto ascii = numericAscii(text);
  if (!ascii) return std::nullopt;
  return parseAs<float>(*ascii);
}

std::optional<std::int16_t> CInt(QStringView text) {
  const auto d = CDbl(text);
  if (!d) return std::nullopt;
  return toInt16(*d);
}

std::optional<bool> CBool(QStringView text) {
  if (text.compare(u"True", Qt::CaseInsensitive) == 0) return true;
  if (text.compare(u"False", Qt::CaseInsensitive) == 0) return false;
  const auto d = CDbl(text);
  if (!d) return std::nullopt;
  return *d != 0.0;
}

double Val(QStringView text) {
  // Collect the numeric prefix as ASCII, skipping blanks wherever they stand.
  std::string s;
  enum class At { Sign, Mantissa, Fraction, ExpSign, Exponent } at = At::Sign;
  int digits = 0;
  for (const QChar qc : text) {
    const char16_t c = qc.unicode();
    if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000') continue;
    if (at == At::Sign && (c == u'+' || c == u'-')) {
      if (c == u'-') s += '-';
      at = At::Mantissa;
    } else if (isDigit(c) && at != At::ExpSign) {
      if (at == At::Sign) at = At::Mantissa;
      s += char(c);
      if (at != At::Exponent) ++digits;
    } else if (isDigit(c)) {  // first exponent digit
      s += char(c);
      at = At::Exponent;
    } else if (c == u'.' && (at == At::Sign || at == At::Mantissa)) {
      s += '.';
      at = At::Fraction;
    } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits > 0 &&
               (at == At::Mantissa || at == At::Fraction)) {
      s += 'e';
      at = At::ExpSign;
    } else if (at == At::ExpSign && (c == u'+' || c == u'-') && s.back() == 'e') {
      s += char(c);
    } else {
      break;
    }
  }
  if (digits == 0) return 0.0;
  // A dangling exponent marker ("12e", "12e-") adds nothing.
  while (!s.empty() && (s.back() == 'e' || s.back() == '+' || s.back() == '-')) s.pop_back();
  if (s.empty() || s == "-" || s == ".") return 0.0;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    const std::size_t e = s.find('e');
    const bool tiny = e != std::string::npos && e + 1 < s.size() && s[e + 1] == '-';
    const double big = std::numeric_limits<double>::infinity();
    return tiny ? 0.0 : (s[0] == '-' ? -big : big);
  }
  return ec == std::errc() ? value : 0.0;
}

QString IntText(long long value) { return QString::number(value); }

QString BoolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString SingleText(float value) {
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value))
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
  if (value == 0.0f) return QStringLiteral("0");
  // The exact decimal expansion of the float (glibc prints it exactly), rounded here to seven
  // significant digits with ties away from zero, as the old runtime does.
  char buf[160];
  std::snprintf(buf, sizeof buf, "%.120e", static_cast<double>(std::fabs(value)));
  const std::string full(buf);
  const std::size_t ePos = full.find('e');
  std::string digits;
  for (std::size_t i = 0; i < ePos; ++i)
    if (full[i] != '.') digits += full[i];
  int exponent = std::stoi(full.substr(ePos + 1));
  std::string kept = digits.substr(0, 7);
  if (digits[7] >= '5') {
    int i = 6;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0) {
      ++kept[i];
    } else {
      kept.insert(kept.begin(), '1');
      kept.pop_back();
      ++exponent;
    }
  }
  while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
  const int n = static_cast<int>(kept.size());

  std::string out = value < 0 ? "-" : "";
  const bool eForm = exponent < -4 || exponent >= 7;
  if (eForm && !(exponent < 0 && -exponent + n - 1 < 7)) {
    out += kept[0];
    if (n > 1) out += '.' + kept.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out += e;
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + kept;
  } else if (n <= exponent + 1) {
    out += kept + std::string(static_cast<std::size_t>(exponent + 1 - n), '0');
  } else {
    out += kept.substr(0, static_cast<std::size_t>(exponent + 1)) + '.' +
           kept.substr(static_cast<std::size_t>(exponent + 1));
  }
  return QString::fromLatin1(out);
}

}  // namespace kwemo
