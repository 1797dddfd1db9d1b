#pragma once

#include <QString>
#include <map>
#include <optional>

#include "store/SettingsStore.h"
#include "store/SettingsTable.h"

namespace kwemo {

// The settings store on disk: one UTF-8 INI-style file per application, <folder>/<application>.ini.
// Every write replaces the file atomically and is flushed to disk before it returns (or before
// the enclosing SettingsBatch ends). Damaged files are read as far as they can be, and a copy of
// such a file is kept beside it before it is first replaced. Only a regular file is read or
// replaced (a link to one is followed); anything else standing at the name is left alone and
// every write then fails, saying why.
class FileSettingsStore : public SettingsStore {
 public:
  // Files larger than this are read only up to here (and kept as a copy before a write).
  static constexpr qint64 kMaxFileSize = 1024 * 1024;

  // $XDG_CONFIG_HOME/KWEMO, by default ~/.config/KWEMO.
  static QString defaultFolder();

  explicit FileSettingsStore(QString folder = defaultFolder());

  QString read(const QString& application, const QString& section,
               const QString& key) const override;
  bool write(const QString& application, const QString& section, const QString& key,
             const QString& text) override;
  QString lastFailure() const override { return lastFailure_; }

  // Where an application's values live; empty for a name that cannot be a file name.
  QString filePath(const QString& application) const;
  // Whether the application's file was read completely (false: damaged, unreadable, too large).
  bool readCompletely(const QString& application) const;

 protected:
  void beginBatch() override;
  bool endBatch() override;

 private:
  struct Stamp {
    bool exists = false;
    qint64 size = 0, mtimeNs = 0;
    quint64 inode = 0;
    bool operator==(const Stamp&) const = default;
  };
  struct AppFile {
    bool loaded = false;
    Stamp stamp;
    SettingsTable table;      // what reads see
    SettingsTable committed;  // what is on disk (a failed flush returns to it)
    bool complete = true;     // the file on disk was read completely
    bool kept = false;        // an incompletely read file has its copy beside it
    bool dirty = false;
    bool swept = false;  // stale temporary files of killed writers removed
  };

  AppFile* file(const QString& application) const;
  void load(const QString& path, AppFile& f) const;
  bool flush(const QString& path, AppFile& f);
  // Where a write of `path` lands: the file itself or the regular file a link leads to.
  bool writeTarget(const QString& path, QString& target, QString& reason) const;
  bool keepCopyOfDamaged(const QString& path, const QString& target) const;
  static void removeStaleTemporaries(const QString& path);
  static Stamp stampOf(const QString& path);

  QString folder_;
  mutable std::map<QString, AppFile> files_;  // by file path
  int batchDepth_ = 0;
  QString lastFailure_;
};

}  // namespace kwemo
