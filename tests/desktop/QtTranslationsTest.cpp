#include <gtest/gtest.h>
#include <QMessageBox>
#include <QPushButton>

#include "desktop/QtTranslations.h"

namespace kwemo {

namespace {

QString buttonTexts() {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  return box.button(QMessageBox::Yes)->text() + u'|' + box.button(QMessageBox::No)->text() + u'|' +
         box.button(QMessageBox::Cancel)->text();
}

}  // namespace

TEST(QtTranslations, StandardButtonsFollowTheLocale) {
  const std::pair<const char*, QString> cases[] = {
      {"ja_JP", QStringLiteral("はい(&Y)|いいえ(&N)|キャンセル")},
      {"en_US", QStringLiteral("&Yes|&No|Cancel")},
  };
  for (const auto& [locale, texts] : cases) {
    const QtTranslations translations{QLocale(QString::fromLatin1(locale))};
    EXPECT_EQ(buttonTexts(), texts) << locale;
  }
  EXPECT_EQ(buttonTexts(), QStringLiteral("&Yes|&No|Cancel"));  // removed with the object
}

}  // namespace kwemo
