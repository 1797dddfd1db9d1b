#pragma once

#include <QString>

namespace kwemo {

// The per-user store of text values addressed by application, section and key. Sections and
// keys match without regard to case; every value is text and comes back exactly as written.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or "" when the key is absent or cannot be read.
  virtual QString read(const QString& application, const QString& section,
                       const QString& key) const = 0;
  // Creates or replaces the value (one value per key whatever the capitalisation). Outside a
  // batch, true means it is on disk; false means the store still holds the previous value.
  virtual bool write(const QString& application, const QString& section, const QString& key,
                     const QString& text) = 0;
  // Why the last write or batch that failed did not reach the disk, naming the file:
  // "<path>: <reason>". Empty for a store that cannot fail.
  virtual QString lastFailure() const { return {}; }

 protected:
  friend class SettingsBatch;
  // Writes inside a batch are held in memory and reach the disk together at its end.
  virtual void beginBatch() {}
  virtual bool endBatch() { return true; }
};

// Groups many writes into one file replacement. Scope it inside the handler that writes, so that
// everything is on disk before the handler returns; commit() reports whether it got there (a
// write inside the batch returns true once the value is accepted).
class SettingsBatch {
 public:
  explicit SettingsBatch(SettingsStore& store) : store_(&store) { store_->beginBatch(); }
  ~SettingsBatch() { commit(); }
  SettingsBatch(const SettingsBatch&) = delete;
  SettingsBatch& operator=(const SettingsBatch&) = delete;

  // Idempotent; the first call ends the batch.
  bool commit() {
    if (store_) {
      ok_ = store_->endBatch();
      store_ = nullptr;
    }
    return ok_;
  }

 private:
  SettingsStore* store_;
  bool ok_ = false;
};

}  // namespace kwemo
