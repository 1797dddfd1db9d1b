#include "store/SettingsTable.h"

namespace kwemo {

namespace {
QString fold(const QString& name) { return name.toCaseFolded(); }
}  // namespace

std::optional<QString> SettingsTable::value(const QString& section, const QString& key) const {
  const auto s = index_.constFind(fold(section));
  if (s == index_.cend()) return std::nullopt;
  const Section& sec = sections_[*s];
  const auto k = sec.index.constFind(fold(key));
  if (k == sec.index.cend()) return std::nullopt;
  return sec.entries[*k].value;
}

bool SettingsTable::set(const QString& section, const QString& key, const QString& value) {
  const QString foldedSection = fold(section);
  auto s = index_.constFind(foldedSection);
  if (s == index_.cend()) {
    sections_.push_back(Section{section, {}, {}});
    s = index_.insert(foldedSection, sections_.size() - 1);
  }
  Section& sec = sections_[*s];
  const QString foldedKey = fold(key);
  const auto k = sec.index.constFind(foldedKey);
  if (k != sec.index.cend()) {
    sec.entries[*k].value = value;
    return false;
  }
  sec.entries.push_back(Entry{key, value});
  sec.index.insert(foldedKey, sec.entries.size() - 1);
  return true;
}

bool SettingsTable::operator==(const SettingsTable& other) const {
  if (sections_.size() != other.sections_.size()) return false;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& a = sections_[i];
    const Section& b = other.sections_[i];
    if (a.name != b.name || a.entries.size() != b.entries.size()) return false;
    for (std::size_t j = 0; j < a.entries.size(); ++j)
      if (a.entries[j].key != b.entries[j].key || a.entries[j].value != b.entries[j].value)
        return false;
  }
  return true;
}

}  // namespace kwemo
