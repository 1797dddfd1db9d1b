#pragma once

#include <QLocale>
#include <QTranslator>

namespace kwemo {

// Qt's own texts (standard buttons, file choosers) in the user's language, from the translations
// Qt installs; the program's own texts are written once in the language they are shown in and are
// not translated. Installed for the object's lifetime; needs the application object.
class QtTranslations {
 public:
  explicit QtTranslations(const QLocale& locale = QLocale());
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // Whether a translation for the locale was found (none is needed for English).
  bool loaded() const { return loaded_; }

 private:
  QTranslator translator_;
  bool loaded_ = false;
};

}  // namespace kwemo
