#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace kwemo {

// Sections of key/value texts in the order they were first stored. Section and key names match
// without regard to case; a name keeps the spelling it was first stored with.
class SettingsTable {
 public:
  struct Entry {
    QString key;
    QString value;
  };
  struct Section {
    QString name;
    std::vector<Entry> entries;
    QHash<QString, std::size_t> index;  // folded key -> entries position
  };

  std::optional<QString> value(const QString& section, const QString& key) const;
  // Returns false when the key was already there (its value is replaced).
  bool set(const QString& section, const QString& key, const QString& value);
  const std::vector<Section>& sections() const { return sections_; }
  bool operator==(const SettingsTable& other) const;

 private:
  std::vector<Section> sections_;
  QHash<QString, std::size_t> index_;  // folded section name -> sections_ position
};

}  // namespace kwemo
