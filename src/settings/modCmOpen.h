#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace kwemo {

// The file chooser of the background picture: the filter entries as "description (patterns)",
// the first one selected, starting in initialFolder, existing files only. Returns the chosen
// file's full path, or "" when the user cancels.
QString ShowOpenDialog(QWidget* owner, const QStringList& filter, const QString& initialFolder);

// The two entries the settings dialog offers: pictures first, then all files.
QStringList PictureFileFilter();

}  // namespace kwemo
