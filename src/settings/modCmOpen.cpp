#include "settings/modCmOpen.h"

#include <QFileInfo>

#include "desktop/Prompts.h"

namespace kwemo {

QString ShowOpenDialog(QWidget* owner, const QStringList& filter, const QString& initialFolder) {
  FileChoice choice;
  choice.startDir = initialFolder;
  choice.filters = filter;
  choice.selectedFilter = 0;
  const QString path = prompts().GetOpenFileName(owner, choice);
  if (path.isEmpty()) return {};
  return QFileInfo(path).absoluteFilePath();
}

QStringList PictureFileFilter() {
  // Qt's chooser matches the patterns without regard to case. "*" is what "*.*" meant: every
  // file, with or without a dot in its name.
  return {QStringLiteral("Picture File(BMP,GIF,JPG,RLE,WMF,EMF,ICO,CUR) "
                         "(*.bmp *.gif *.jpg *.jpeg *.rle *.wmf *.emf *.ico *.cur)"),
          QStringLiteral("全てのﾌｧｲﾙ(*.*) (*)")};
}

}  // namespace kwemo
