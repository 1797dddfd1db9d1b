#include "settings/StyleSetFile.h"

#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace kwemo {

namespace {

// ---- numbers as the old runtime's delimited input and output handle them

std::optional<std::int16_t> toInt16(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = std::nearbyint(v);  // the default rounding mode sends halves to even
  if (r < -32768 || r > 32767) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

int digitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int d = -1;
  if (u >= u'0' && u <= u'9') d = u - u'0';
  else if (u >= u'a' && u <= u'f') d = u - u'a' + 10;
  else if (u >= u'A' && u <= u'F') d = u - u'A' + 10;
  return d < base ? d : -1;
}

// "&H…" / "&O…": up to four hex digits keep a 16-bit pattern (&HFFFF is -1), more a 32-bit one.
// With `prefixOnly`, digits are taken up to the first other character.
std::optional<double> radixValue(QStringView t, bool prefixOnly) {
  if (t.size() < 2 || t[0] != u'&') return std::nullopt;
  const QChar kind = t[1].toUpper();
  const int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
  if (base == 0) return std::nullopt;
  std::uint64_t v = 0;
  qsizetype n = 0;
  for (qsizetype i = 2; i < t.size(); ++i) {
    const int d = digitValue(t[i], base);
    if (d < 0) {
      if (prefixOnly) break;
      return std::nullopt;
    }
    v = v * base + d;
    if (v > 0xFFFFFFFFu) return std::nullopt;
    ++n;
  }
  if (n == 0) return std::nullopt;
  if (v <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// Length of the longest decimal number at the start of `t`: sign, digits, one point, digits, an
// exponent when one follows in full. 0 when no mantissa digit is there.
qsizetype decimalPrefix(QStringView t, bool allowD) {
  qsizetype i = 0;
  const auto isDigit = [&](qsizetype k) { return k < t.size() && t[k].unicode() >= u'0' && t[k].unicode() <= u'9'; };
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
  qsizetype digits = 0;
  while (isDigit(i)) ++i, ++digits;
  if (i < t.size() && t[i] == u'.') {
    ++i;
    while (isDigit(i)) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < t.size()) {
    const char16_t e = t[i].unicode();
    if (e == u'e' || e == u'E' || (allowD && (e == u'd' || e == u'D'))) {
      qsizetype k = i + 1;
      if (k < t.size() && (t[k] == u'+' || t[k] == u'-')) ++k;
      if (isDigit(k)) {
        while (isDigit(k)) ++k;
        i = k;
      }
    }
  }
  return i;
}

// Converts text that decimalPrefix accepted; nullopt when it does not fit a double.
std::optional<double> decimalValue(QStringView t) {
  std::string s = t.toLatin1().toStdString();
  for (char& c : s)
    if (c == 'd' || c == 'D') c = 'e';
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.erase(0, 1);
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return negative ? -v : v;
}

// A whole numeric field of the delimited input: decimal, or &H/&O.
std::optional<double> fieldNumber(QStringView t) {
  if (t.startsWith(u'&')) return radixValue(t, false);
  if (t.isEmpty() || decimalPrefix(t, false) != t.size()) return std::nullopt;
  return decimalValue(t);
}

// Text holding a number, blanks around it allowed (a box's text used as a number).
std::optional<double> textNumber(QStringView t) {
  t = t.trimmed();
  if (t.isEmpty() || decimalPrefix(t, false) != t.size()) return std::nullopt;
  return decimalValue(t);
}

// The leading numeric value of a box's text, 0 when there is none. Blanks count for nothing
// anywhere in it, as in the old runtime's Val.
double leadingValue(QStringView t) {
  QString s;
  for (QChar c : t)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != QChar(0x3000)) s += c;
  if (s.startsWith(u'&')) return radixValue(s, true).value_or(0);
  const qsizetype n = decimalPrefix(s, true);
  return n == 0 ? 0 : decimalValue(QStringView(s).left(n)).value_or(0);
}

// A number in the delimited output's form: up to 15 significant digits, "." as the point, no
// leading zero before it (.5, -.5, 62.5, 1E+15).
QString numberText(double v) {
  if (v == 0 || !std::isfinite(v)) return QStringLiteral("0");
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  std::string s(buf, res.ptr);
  if (const auto e = s.find('e'); e != std::string::npos) {
    const int exponent = std::stoi(s.substr(e + 1));
    int mantissaDigits = 0;
    for (std::size_t i = 0; i < e; ++i) mantissaDigits += (s[i] >= '0' && s[i] <= '9');
    const int decimals = -exponent + mantissaDigits - 1;
    if (exponent < 0 && decimals < 15) {
      res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
      s.assign(buf, res.ptr);
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    } else {
      s[e] = 'E';
    }
  }
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return QString::fromLatin1(s);
}

// ---- strings

bool needsEscape(QStringView s) {
  return s.contains(u'"') || s.contains(u'\r') || s.contains(u'\n');
}

// A string is written in quotes, exactly as it is. One that holds a quote or a line break cannot
// be read back from quotes, so it is written without them, with every character that would end
// or trim an unquoted field as %XX; quoted strings are never decoded, so others stay exact.
QString stringField(const QString& s) {
  if (!needsEscape(s)) return u'"' + s + u'"';
  QString out;
  for (QChar c : s) {
    const char16_t u = c.unicode();
    if (u == u'%' || u == u'"' || u == u',' || u == u' ' || u < 0x20 || u == 0x7F)
      out += u'%' + QString::number(u, 16).toUpper().rightJustified(2, u'0');
    else
      out += c;
  }
  return out;
}

// Undoes stringField's escapes: %XX for a character below 0x80; anything else stays as it is.
QString percentDecoded(QStringView s) {
  if (!s.contains(u'%')) return s.toString();
  QString out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'%' && i + 2 < s.size() && digitValue(s[i + 1], 8) >= 0 &&
        digitValue(s[i + 2], 16) >= 0) {
      out += QChar(digitValue(s[i + 1], 8) * 16 + digitValue(s[i + 2], 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Fields in the order of the delimited input: a field ends at a comma or a line end; blanks before
// a field are skipped. Line ends may be CR LF, CR or LF.
class FieldReader {
 public:
  explicit FieldReader(QStringView text) : t_(text) {}

  // nullopt past the end of the text.
  std::optional<QString> string() {
    skipBlanks();
    if (p_ >= t_.size()) return std::nullopt;
    if (t_[p_] == u'"') {
      const qsizetype start = ++p_;
      // An unclosed quote ends with its line, so damage stays on one line.
      while (p_ < t_.size() && t_[p_] != u'"' && !isLineEnd(t_[p_])) ++p_;
      QString s = t_.mid(start, p_ - start).toString();
      if (p_ < t_.size() && t_[p_] == u'"') ++p_;
      endField();
      return s;
    }
    const qsizetype start = p_;
    while (p_ < t_.size() && t_[p_] != u',' && !isLineEnd(t_[p_])) ++p_;
    QStringView raw = t_.mid(start, p_ - start);
    while (!raw.isEmpty() && raw.back() == u' ') raw.chop(1);
    endField();
    return percentDecoded(raw);
  }

  // The raw text of a numeric field; nullopt past the end.
  std::optional<QStringView> numberToken() {
    skipBlanks();
    if (p_ >= t_.size()) return std::nullopt;
    const qsizetype start = p_;
    while (p_ < t_.size() && t_[p_] != u',' && t_[p_] != u' ' && t_[p_] != u'\t' &&
           !isLineEnd(t_[p_]))
      ++p_;
    const QStringView token = t_.mid(start, p_ - start);
    endField();
    return token;
  }

 private:
  static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
  void skipBlanks() {
    while (p_ < t_.size() && (t_[p_] == u' ' || t_[p_] == u'\t')) ++p_;
  }
  void endField() {
    skipBlanks();
    if (p_ >= t_.size()) return;
    if (t_[p_] == u',') {
      ++p_;
    } else if (t_[p_] == u'\r') {
      ++p_;
      if (p_ < t_.size() && t_[p_] == u'\n') ++p_;
    } else if (t_[p_] == u'\n') {
      ++p_;
    }
  }

  QStringView t_;
  qsizetype p_ = 0;
};

QString fromCp932(const QByteArray& bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromUtf8(bytes);
  QByteArray out(bytes.size() * 3 + 16, Qt::Uninitialized);
  char* in = const_cast<char*>(bytes.constData());
  std::size_t inLeft = static_cast<std::size_t>(bytes.size());
  char* o = out.data();
  std::size_t outLeft = static_cast<std::size_t>(out.size());
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG || outLeft < 3) {
      const auto used = o - out.data();
      out.resize(out.size() * 2);
      o = out.data() + used;
      outLeft = static_cast<std::size_t>(out.size() - used);
      if (errno == E2BIG) continue;
    }
    if (errno != EILSEQ && errno != EINVAL) break;
    // A byte that starts no character: U+FFFD, and go on after it.
    for (const char c : {'\xEF', '\xBF', '\xBD'}) *o++ = c;
    outLeft -= 3;
    ++in;
    --inLeft;
  }
  iconv_close(cd);
  out.truncate(o - out.data());
  return QString::fromUtf8(out);
}

}  // namespace

QString decodeStyleSetText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return fromCp932(bytes);
}

QByteArray writeStyleSetFile(const StyleSetValues& v) {
  QString out;
  const auto line = [&out](const QString& s) {
    out += s;
    out += QStringLiteral("\r\n");
  };
  const auto number = [](const QString& boxText) { return numberText(leadingValue(boxText)); };
  line(kStyleSetHeader);
  for (const StyleColor& c : v.EditColors)
    line(QStringLiteral("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b));
  for (int index : v.cmbBold) line(QString::number(index + 1));
  for (const QString& t : v.txtLong) line(number(t));
  for (const QString& t : v.txtForm) line(number(t));
  line(QString::number(v.chkDC));
  line(number(v.txtAlign));
  line(stringField(v.txtDF));
  line(stringField(v.cmbFonts));
  line(stringField(v.txtFS));
  line(QString::number(v.chkFont[0]));
  line(QString::number(v.chkFont[1]));
  line(QString::number(v.cmbDrawMode + 1));
  line(QString::number(v.chkMemori));
  line(QString::number(v.chkSV));
  line(QString::number(v.chkNhari));
  return out.toUtf8();
}

StyleSetRead readStyleSetFile(const QByteArray& bytes, StyleSetValues& out) {
  StyleSetRead result;
  if (bytes.size() > kStyleSetMaxBytes) return result;
  const QString text = decodeStyleSetText(bytes);
  FieldReader in(text);
  if (in.string().value_or(QString()) != kStyleSetHeader) return result;
  result.accepted = true;

  const auto fail = [&result] { ++result.failedFields; };
  const auto integer = [&in]() -> std::optional<std::int16_t> {
    const auto token = in.numberToken();
    if (!token) return std::nullopt;
    const auto value = fieldNumber(*token);
    return value ? toInt16(*value) : std::nullopt;
  };
  const auto within = [](std::optional<std::int16_t> v, int lo, int hi) -> std::optional<int> {
    if (v && *v >= lo && *v <= hi) return *v;
    return std::nullopt;
  };
  const auto check = [&](int& box) {
    if (const auto v = within(integer(), 0, 1)) box = *v;
    else fail();
  };
  // A scroll bar at `base` minus the number in a box's text, when the bar can show it.
  const auto bar = [&](const QString& boxText, int base, int lo, int hi, int& scroll) {
    const auto x = textNumber(boxText);
    const auto v = x ? toInt16(base - *x) : std::nullopt;
    if (v && *v >= lo && *v <= hi) scroll = *v;
    else fail();
  };

  for (StyleColor& c : out.EditColors) {
    // All three fields are read whatever happens, so the following lines stay in step.
    const auto r = within(integer(), 0, 255);
    const auto g = within(integer(), 0, 255);
    const auto b = within(integer(), 0, 255);
    if (r && g && b) c = {static_cast<std::int16_t>(*r), static_cast<std::int16_t>(*g),
                          static_cast<std::int16_t>(*b)};
    else fail();
  }
  for (int& index : out.cmbBold) {
    if (const auto w = within(integer(), 1, 5)) index = *w - 1;
    else fail();
  }
  for (std::size_t i = 0; i < out.txtLong.size(); ++i) {
    if (const auto n = integer()) {
      out.txtLong[i] = QString::number(*n);
      if (*n >= 0 && *n <= 100) out.vscLong[i] = 100 - *n;
      else fail();
    } else {
      fail();
    }
  }
  for (QString& box : out.txtForm) {
    if (const auto n = integer()) box = QString::number(*n);
    else fail();
  }
  check(out.chkDC);
  if (const auto s = in.string()) {
    out.txtAlign = *s;
    bar(*s, 100, 0, 100, out.vscAlign);
  } else {
    fail();
  }
  if (const auto s = in.string()) out.txtDF = *s;
  else fail();
  if (const auto s = in.string()) out.cmbFonts = *s;
  else fail();
  if (const auto s = in.string()) {
    out.txtFS = *s;
    bar(*s, 136, 8, 128, out.vscFS);
  } else {
    fail();
  }
  check(out.chkFont[0]);
  check(out.chkFont[1]);
  if (const auto mode = within(integer(), 1, 16)) out.cmbDrawMode = *mode - 1;
  else fail();
  check(out.chkMemori);
  check(out.chkSV);
  check(out.chkNhari);
  return result;
}

}  // namespace kwemo
