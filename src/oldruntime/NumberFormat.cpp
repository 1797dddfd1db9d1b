#include "oldruntime/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kwemo {
namespace {

constexpr int kSignificantDigits = 15;

// A non-negative value as 0.d1d2d3... x 10^point; no trailing zeros, no digits for zero.
struct Decimal {
  std::string digits;
  long point = 0;

  bool isZero() const { return digits.empty(); }

  // Keeps the first `keep` digits, rounding the rest half away from zero.
  void roundTo(long keep) {
    if (keep >= static_cast<long>(digits.size())) return;
    if (keep < 0) {
      digits.clear();
    } else {
      const bool up = digits[static_cast<size_t>(keep)] >= '5';
      digits.resize(static_cast<size_t>(keep));
      if (up) {
        long i = keep - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
          digits[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
          digits.insert(digits.begin(), '1');
          ++point;
        } else {
          ++digits[static_cast<size_t>(i)];
        }
      }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) point = 0;
  }

  char digitAt(long index) const {
    return index >= 0 && index < static_cast<long>(digits.size())
               ? digits[static_cast<size_t>(index)]
               : '0';
  }

  // The integer part's digits without leading zeros; empty for a value below 1.
  std::string integerDigits() const {
    std::string out;
    for (long i = 0; i < point; ++i) out += digitAt(i);
    return out;
  }
};

// The value's magnitude taken to 15 significant digits as the old runtime's number-to-text
// conversion does it: half away from zero on the binary value. The 41 digits read first are far
// more than telling a true tie at the fifteenth digit from a near one takes.
Decimal toDecimal(double magnitude) {
  Decimal d;
  if (magnitude == 0) return d;
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%.40e", magnitude);
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.digits += *p;
  }
  d.point = std::strtol(p + 1, nullptr, 10) + 1;
  d.roundTo(kSignificantDigits);
  return d;
}

// The plain number text: 15 significant digits, E form only where fixed notation would need
// more than 15 decimals or the value reaches 1E+15.
QString plainText(double value) {
  Decimal d = toDecimal(std::fabs(value));
  QString out;
  if (d.isZero()) return QStringLiteral("0");
  if (value < 0) out += u'-';
  const long exponent = d.point - 1;
  const long decimals = static_cast<long>(d.digits.size()) - d.point;
  const bool eForm =
      exponent >= kSignificantDigits || (exponent < -4 && decimals >= kSignificantDigits);
  if (eForm) {
    out += QChar(d.digits[0]);
    if (d.digits.size() > 1) {
      out += u'.';
      out += QString::fromLatin1(d.digits.substr(1));
    }
    out += exponent < 0 ? u"E-" : u"E+";
    out += QStringLiteral("%1").arg(std::labs(exponent), 2, 10, QLatin1Char('0'));
    return out;
  }
  const std::string integer = d.integerDigits();
  out += integer.empty() ? QStringLiteral("0") : QString::fromLatin1(integer);
  if (decimals > 0) {
    out += u'.';
    for (long i = 0; i < decimals; ++i) out += QChar(d.digitAt(d.point + i));
  }
  return out;
}

// Splits the pattern at every ';' outside quotes and escapes.
std::vector<QStringView> sections(QStringView pattern) {
  std::vector<QStringView> out;
  qsizetype start = 0;
  qsizetype i = 0;
  while (i < pattern.size()) {
    const QChar c = pattern[i];
    if (c == u'\\') {
      i += 2;
    } else if (c == u'"') {
      const qsizetype close = pattern.indexOf(u'"', i + 1);
      i = close < 0 ? pattern.size() : close + 1;
    } else if (c == u';') {
      out.push_back(pattern.mid(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  out.push_back(pattern.mid(start, std::min(i, pattern.size()) - start));
  return out;
}

struct Item {
  enum Kind { Literal, Zero, Hash, Point } kind;
  QStringView text;  // literals only
};

struct Section {
  std::vector<Item> items;
  qsizetype integerPlaceholders = 0;
  qsizetype fractionPlaceholders = 0;
  qsizetype minIntegerDigits = 0;   // placeholders from the leftmost integer '0' on
  qsizetype minFractionDigits = 0;  // fraction placeholders up to the last '0'
  bool grouping = false;
  bool percent = false;
};

Section parse(QStringView text) {
  Section s;
  bool seenPoint = false;
  bool seenPlaceholder = false;
  qsizetype firstIntegerZero = -1;
  for (qsizetype i = 0; i < text.size();) {
    const QChar c = text[i];
    if (c == u'\\') {
      qsizetype len = 0;
      if (i + 1 < text.size()) {
        len = (text[i + 1].isHighSurrogate() && i + 2 < text.size() && text[i + 2].isLowSurrogate())
                  ? 2
                  : 1;
      }
      if (len > 0) s.items.push_back({Item::Literal, text.mid(i + 1, len)});
      i += 1 + len;
      continue;
    }
    if (c == u'"') {
      const qsizetype close = text.indexOf(u'"', i + 1);
      const qsizetype end = close < 0 ? text.size() : close;
      if (end > i + 1) s.items.push_back({Item::Literal, text.mid(i + 1, end - i - 1)});
      i = close < 0 ? text.size() : close + 1;
      continue;
    }
    if (c == u'0' || c == u'#') {
      s.items.push_back({c == u'0' ? Item::Zero : Item::Hash, {}});
      seenPlaceholder = true;
      if (seenPoint) {
        ++s.fractionPlaceholders;
        if (c == u'0') s.minFractionDigits = s.fractionPlaceholders;
      } else {
        if (c == u'0' && firstIntegerZero < 0) firstIntegerZero = s.integerPlaceholders;
        ++s.integerPlaceholders;
      }
    } else if (c == u'.' && !seenPoint) {
      s.items.push_back({Item::Point, {}});
      seenPoint = true;
    } else if (c == u',' && seenPlaceholder) {
      s.grouping = true;
    } else {
      if (c == u'%') s.percent = true;
      s.items.push_back({Item::Literal, text.mid(i, 1)});
    }
    ++i;
  }
  if (firstIntegerZero >= 0) s.minIntegerDigits = s.integerPlaceholders - firstIntegerZero;
  return s;
}

QString render(const Section& s, double magnitude, bool minus) {
  Decimal d = toDecimal(magnitude);
  if (s.percent && !d.isZero()) d.point += 2;
  d.roundTo(d.point + static_cast<long>(s.fractionPlaceholders));

  std::string integer = d.integerDigits();
  if (static_cast<qsizetype>(integer.size()) < s.minIntegerDigits) {
    integer.insert(0, static_cast<size_t>(s.minIntegerDigits) - integer.size(), '0');
  }
  const auto length = static_cast<qsizetype>(integer.size());

  qsizetype fractionShown = s.minFractionDigits;
  for (qsizetype i = s.fractionPlaceholders; i > fractionShown; --i) {
    if (d.digitAt(d.point + static_cast<long>(i) - 1) != '0') {
      fractionShown = i;
      break;
    }
  }

  QString out;
  // Digits [from, to) of the integer part, with group separators after them as needed.
  auto putIntegerDigits = [&](qsizetype from, qsizetype to) {
    for (qsizetype k = std::max<qsizetype>(from, 0); k < to; ++k) {
      out += QChar(integer[static_cast<size_t>(k)]);
      const qsizetype fromRight = length - 1 - k;
      if (s.grouping && fromRight > 0 && fromRight % 3 == 0) out += u',';
    }
  };

  bool signPending = minus;
  qsizetype integerIndex = 0;
  qsizetype fractionIndex = 0;
  for (const Item& item : s.items) {
    if (item.kind == Item::Literal) {
      out += item.text;
      continue;
    }
    if (signPending) {
      out += u'-';
      signPending = false;
    }
    if (item.kind == Item::Point) {
      // With no integer placeholder the integer digits go before the point.
      if (s.integerPlaceholders == 0) putIntegerDigits(0, length);
      out += u'.';
    } else if (integerIndex < s.integerPlaceholders) {
      const qsizetype fromRight = s.integerPlaceholders - 1 - integerIndex;
      // The first placeholder takes every digit that has no placeholder of its own.
      putIntegerDigits(integerIndex == 0 ? 0 : length - 1 - fromRight, length - fromRight);
      ++integerIndex;
    } else {
      if (fractionIndex < fractionShown)
        out += QChar(d.digitAt(d.point + static_cast<long>(fractionIndex)));
      ++fractionIndex;
    }
  }
  return out;
}

}  // namespace

QString FormatNumber(double value, QStringView pattern) {
  if (!std::isfinite(value)) return QString::number(value);
  if (pattern.isEmpty()) return plainText(value);

  const std::vector<QStringView> parts = sections(pattern);
  QStringView chosen = parts[0];
  bool minus = value < 0;
  if (value < 0 && parts.size() >= 2 && !parts[1].isEmpty()) {
    chosen = parts[1];
    minus = false;
  } else if (value == 0 && parts.size() >= 3 && !parts[2].isEmpty()) {
    chosen = parts[2];
  }
  if (chosen.isEmpty()) return plainText(value);
  return render(parse(chosen), std::fabs(value), minus);
}

}  // namespace kwemo
