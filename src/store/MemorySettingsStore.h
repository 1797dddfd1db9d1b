#pragma once

#include <QHash>

#include "store/SettingsStore.h"
#include "store/SettingsTable.h"

namespace kwemo {

// A store that lives in memory only; for tests and for callers that want no file.
class MemorySettingsStore : public SettingsStore {
 public:
  QString read(const QString& application, const QString& section,
               const QString& key) const override;
  bool write(const QString& application, const QString& section, const QString& key,
             const QString& text) override;

  // Every write so far, in order, as "section/key" with the writer's spelling (for tests of
  // the order of a save).
  const QStringList& writeLog() const { return log_; }

 private:
  QHash<QString, SettingsTable> tables_;  // folded application name -> values
  QStringList log_;
};

}  // namespace kwemo
