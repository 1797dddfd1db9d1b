#include "settings/modFileSearch.h"

#include <QDir>

namespace kwemo {

QStringList ListStyleSets(const QString& folder) {
  QStringList names;
  const QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return names;
  const QStringList found = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                          QDir::Name | QDir::IgnoreCase);
  for (const QString& name : found)
    if (!name.startsWith(u'.')) names << name;
  return names;
}

}  // namespace kwemo
