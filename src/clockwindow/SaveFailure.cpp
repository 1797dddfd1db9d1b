#include "clockwindow/SaveFailure.h"

#include <cstdio>

#include "desktop/Prompts.h"
#include "store/SettingsStore.h"

namespace kwemo {

namespace {

QString whyOf(const SettingsStore& store) {
  const QString why = store.lastFailure();
  return why.isEmpty() ? QStringLiteral("the settings store refused the change") : why;
}

}  // namespace

void reportFailedSave(QWidget* parent, const QString& what, const QString& title,
                      const SettingsStore& store) {
  prompts().MsgBox(parent, what + u'\n' + whyOf(store), Buttons::Ok, Icon::Critical, title);
}

void reportFailedShutDownSave(const SettingsStore& store) {
  std::fprintf(stderr, "kwemo: the settings were not saved: %s\n",
               qUtf8Printable(whyOf(store).replace(u'\n', u' ')));
  std::fflush(stderr);
}

}  // namespace kwemo
