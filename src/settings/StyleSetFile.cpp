#include "settings/StyleSetFile.h"

#include <iconv.h>

#include <QStringDecoder>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "oldruntime/Conversions.h"

namespace kwemo {

namespace {

// ---- numbers as the old runtime's delimited input and output handle them

int digitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int d = -1;
  if (u >= u'0' && u <= u'9')
    d = u - u'0';
  else if (u >= u'a' && u <= u'f')
    d = u - u'a' + 10;
  else if (u >= u'A' && u <= u'F')
    d = u - u'A' + 10;
  return d < base ? d : -1;
}

// "&H…" / "&O…": up to four hex digits keep a 16-bit pattern (&HFFFF is -1), more a 32-bit one.
std::optional<double> radixValue(QStringView t) {
  if (t.size() < 3 || t[0] != u'&') return std::nullopt;
  const QChar kind = t[1].toUpper();
  const int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
  if (base == 0) return std::nullopt;
  std::uint64_t v = 0;
  for (const QChar c : t.mid(2)) {
    const int d = digitValue(c, base);
    if (d < 0) return std::nullopt;
    v = v * base + d;
    if (v > 0xFFFFFFFFu) return std::nullopt;
  }
  if (v <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// A whole numeric field of the delimited input (it holds no blanks): decimal, or &H/&O.
std::optional<double> fieldNumber(QStringView t) {
  return t.startsWith(u'&') ? radixValue(t) : CDbl(t);
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
  if (s.rfind("0.", 0) == 0)
    s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0)
    s.erase(1, 1);
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
    const int error = errno;
    if (error == E2BIG || outLeft < 3) {
      const auto used = o - out.data();
      out.resize(out.size() * 2);
      o = out.data() + used;
      outLeft = static_cast<std::size_t>(out.size() - used);
      if (error == E2BIG) continue;
    }
    if (error != EILSEQ && error != EINVAL) break;
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
  const auto number = [](const QString& boxText) { return numberText(Val(boxText)); };
  line(kStyleSetHeader);
  for (const ColorTriplet& c : v.EditColors)
    line(QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue));
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
    if (const auto v = within(integer(), 0, 2))
      box = *v;  // 2: greyed
    else
      fail();
  };
  // A scroll bar at `base` minus the number in a box's text, when the bar can show it.
  const auto bar = [&](const QString& boxText, int base, int lo, int hi, int& scroll) {
    const auto x = CDbl(boxText);
    const auto v = x ? toInt16(base - *x) : std::nullopt;
    if (v && *v >= lo && *v <= hi)
      scroll = *v;
    else
      fail();
  };

  for (ColorTriplet& c : out.EditColors) {
    // All three fields are read whatever happens, so the following lines stay in step.
    const auto r = within(integer(), 0, 255);
    const auto g = within(integer(), 0, 255);
    const auto b = within(integer(), 0, 255);
    if (r && g && b)
      c = {static_cast<std::int16_t>(*r), static_cast<std::int16_t>(*g),
           static_cast<std::int16_t>(*b)};
    else
      fail();
  }
  for (int& index : out.cmbBold) {
    if (const auto w = within(integer(), 1, 5))
      index = *w - 1;
    else
      fail();
  }
  for (std::size_t i = 0; i < out.txtLong.size(); ++i) {
    if (const auto n = integer()) {
      out.txtLong[i] = IntText(*n);
      if (*n >= 0 && *n <= 100)
        out.vscLong[i] = 100 - *n;
      else
        fail();
    } else {
      fail();
    }
  }
  for (QString& box : out.txtForm) {
    if (const auto n = integer())
      box = IntText(*n);
    else
      fail();
  }
  check(out.chkDC);
  if (const auto s = in.string()) {
    out.txtAlign = *s;
    bar(*s, 100, 0, 100, out.vscAlign);
  } else {
    fail();
  }
  if (const auto s = in.string())
    out.txtDF = *s;
  else
    fail();
  if (const auto s = in.string())
    out.cmbFonts = *s;
  else
    fail();
  if (const auto s = in.string()) {
    out.txtFS = *s;
    bar(*s, 136, 8, 128, out.vscFS);
  } else {
    fail();
  }
  check(out.chkFont[0]);
  check(out.chkFont[1]);
  if (const auto mode = within(integer(), 1, 16))
    out.cmbDrawMode = *mode - 1;
  else
    fail();
  check(out.chkMemori);
  check(out.chkSV);
  check(out.chkNhari);
  return result;
}

}  // namespace kwemo
