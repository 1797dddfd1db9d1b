#include "settings/StyleSetName.h"

#include <QList>

#include "settings/StyleSetValues.h"

namespace kwemo {

namespace {
constexpr int kMaxNameChars = 100;
constexpr int kMaxNameBytes = 255;  // a folder name on Linux file systems

// The list would show `name` as its first entry: the same text once width forms are folded and
// blanks dropped.
bool looksLikeResetEntry(const QString& name) {
  QString folded = name.normalized(QString::NormalizationForm_KC);
  folded.removeIf([](QChar c) { return c.isSpace(); });
  return folded == kResetEntry;
}
}  // namespace

bool isStyleSetFolderName(const QString& name) {
  return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') &&
         !name.contains(QChar(0));
}

std::optional<QString> styleSetNameProblem(const QString& name) {
  if (name.trimmed().isEmpty()) return QStringLiteral("名前が空です。");
  if (name.startsWith(u'.')) return QStringLiteral("「.」で始まる名前は使えません。");
  if (name.contains(u'/')) return QStringLiteral("名前に「/」は使えません。");
  for (const char32_t c : name.toUcs4()) {
    if (QChar::category(c) == QChar::Other_Control)
      return QStringLiteral("名前に制御文字は使えません。");
    // Bidi overrides and zero-width characters would make the list show another name.
    if (QChar::category(c) == QChar::Other_Format)
      return QStringLiteral("名前に書式制御文字（ゼロ幅文字・文字方向の指定）は使えません。");
  }
  if (looksLikeResetEntry(name))
    return QStringLiteral("「") + kResetEntry +
           QStringLiteral("」はリストの先頭の項目なので使えません。");
  if (name.toUcs4().size() > kMaxNameChars || name.toUtf8().size() > kMaxNameBytes)
    return QStringLiteral("名前が長すぎます（100文字まで）。");
  return std::nullopt;
}

}  // namespace kwemo
