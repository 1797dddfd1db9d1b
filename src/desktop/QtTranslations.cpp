#include "desktop/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace kwemo {

QtTranslations::QtTranslations(const QLocale& locale) {
  loaded_ = translator_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (loaded_) QCoreApplication::installTranslator(&translator_);
}

QtTranslations::~QtTranslations() {
  if (loaded_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace kwemo
