#include "store/MemorySettingsStore.h"

namespace kwemo {

QString MemorySettingsStore::read(const QString& application, const QString& section,
                                  const QString& key) const {
  const auto t = tables_.constFind(application.toCaseFolded());
  if (t == tables_.cend()) return {};
  return t->value(section, key).value_or(QString());
}

bool MemorySettingsStore::write(const QString& application, const QString& section,
                                const QString& key, const QString& text) {
  tables_[application.toCaseFolded()].set(section, key, text);
  log_.append(section + u'/' + key);
  return true;
}

}  // namespace kwemo
