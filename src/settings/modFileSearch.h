#pragma once

#include <QString>
#include <QStringList>

namespace kwemo {

// The names of the style sets under `folder`: its sub-folders, except those whose names start
// with "." (hidden ones, "." and ".."); plain files are ignored. Sorted by name without regard to
// case, so the list reads the same on every file system. Empty when `folder` does not exist.
QStringList ListStyleSets(const QString& folder);

}  // namespace kwemo
