#include "store/SettingsFileFormat.h"

#include <QStringDecoder>

namespace kwemo {

namespace {

enum class Part { Section, Key, Value };

void appendHex(QString& out, char16_t prefix, unsigned value, int width) {
  out += u'\\';
  out += QChar(prefix);
  out += QString::number(value, 16).toUpper().rightJustified(width, u'0');
}

QString escape(const QString& text, Part part) {
  QString out;
  out.reserve(text.size() + 8);
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = text[i].unicode();
    const bool edge = i == 0 || i == n - 1;
    if (c == u'\\') {
      out += u"\\\\";
    } else if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (c == u'\t') {
      out += u"\\t";
    } else if (c == u' ' && edge) {
      out += u"\\s";
    } else if (c < 0x20 || c == 0x7F) {
      appendHex(out, u'x', c, 2);
    } else if (QChar::isHighSurrogate(c) && i + 1 < n &&
               QChar::isLowSurrogate(text[i + 1].unicode())) {
      out += text[i];
      out += text[++i];
    } else if (QChar::isSurrogate(c) || c == 0xFFFD) {
      appendHex(out, u'u', c, 4);
    } else if (part != Part::Value &&
               (c == u'=' || c == u']' || (i == 0 && (c == u'[' || c == u';' || c == u'#')))) {
      out += u'\\';
      out += QChar(c);
    } else {
      out += QChar(c);
    }
  }
  return out;
}

int hexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

// Unknown escapes stay as written, so a hand-typed Windows path mostly survives.
QString unescape(QStringView raw) {
  QString out;
  out.reserve(raw.size());
  for (qsizetype i = 0; i < raw.size(); ++i) {
    const QChar c = raw[i];
    if (c != u'\\' || i + 1 == raw.size()) {
      out += c;
      continue;
    }
    const QChar e = raw[i + 1];
    const int width = e == u'x' ? 2 : e == u'u' ? 4 : 0;
    if (width) {
      unsigned v = 0;
      bool ok = i + 1 + width < raw.size();
      for (int d = 0; ok && d < width; ++d) {
        const int h = hexDigit(raw[i + 2 + d]);
        ok = h >= 0;
        v = v * 16 + unsigned(h);
      }
      if (ok) {
        out += QChar(char16_t(v));
        i += 1 + width;
      } else {
        out += c;
      }
      continue;
    }
    switch (e.unicode()) {
      case u'\\':
        out += u'\\';
        break;
      case u'n':
        out += u'\n';
        break;
      case u'r':
        out += u'\r';
        break;
      case u't':
        out += u'\t';
        break;
      case u's':
        out += u' ';
        break;
      case u'=':
      case u'[':
      case u']':
      case u';':
      case u'#':
        out += e;
        break;
      default:
        out += c;
        out += e;
        break;
    }
    ++i;
  }
  return out;
}

// Position of the first `wanted` not preceded by an escaping backslash, or -1.
qsizetype findUnescaped(QStringView s, QChar wanted) {
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'\\') {
      ++i;
    } else if (s[i] == wanted) {
      return i;
    }
  }
  return -1;
}

QStringView trimmed(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && (s[b] == u' ' || s[b] == u'\t')) ++b;
  while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t')) --e;
  return s.sliced(b, e - b);
}

// A line of ours never holds raw control characters (tab aside) or U+FFFD; damage does.
bool damaged(QStringView line) {
  for (const QChar c : line) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != u'\t') || u == 0x7F || u == 0xFFFD) return true;
  }
  return false;
}

}  // namespace

ParsedSettings parseSettingsFile(QByteArrayView bytes) {
  ParsedSettings result;
  QStringDecoder decode(QStringDecoder::Utf8);
  const QString text = decode(bytes);
  if (decode.hasError()) result.complete = false;

  QString section;
  bool inSection = false;
  for (QStringView line : QStringView(text).split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    const QStringView t = trimmed(line);
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#')) continue;
    if (damaged(t)) {
      result.complete = false;
      continue;
    }
    if (t.startsWith(u'[')) {
      const qsizetype close = findUnescaped(t.sliced(1), u']');
      if (close < 0 || !trimmed(t.sliced(close + 2)).isEmpty()) {
        result.complete = false;
        inSection = false;  // keys below belong to no section we can name
        continue;
      }
      section = unescape(trimmed(t.sliced(1, close)));
      inSection = true;
      continue;
    }
    const qsizetype eq = findUnescaped(t, u'=');
    if (eq <= 0 || !inSection) {
      result.complete = false;
      continue;
    }
    const QString key = unescape(trimmed(t.first(eq)));
    if (!result.table.set(section, key, unescape(trimmed(t.sliced(eq + 1)))))
      result.complete = false;  // a second copy: the earlier one would be lost on the next save
  }
  return result;
}

QByteArray formatSettingsFile(const SettingsTable& table) {
  QString out = QStringLiteral(
      "; KWEMO settings (UTF-8). Escapes in values: \\\\ \\n \\r \\t, "
      "\\s for a space at either end, \\xHH, \\uXXXX.\n");
  for (const auto& section : table.sections()) {
    out += u'\n';
    out += u'[';
    out += escape(section.name, Part::Section);
    out += u"]\n";
    for (const auto& entry : section.entries) {
      out += escape(entry.key, Part::Key);
      out += u'=';
      out += escape(entry.value, Part::Value);
      out += u'\n';
    }
  }
  return out.toUtf8();
}

}  // namespace kwemo
