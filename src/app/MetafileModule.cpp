// The program's metafile players: loaded from their module by the first metafile, not at start.
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <cstdio>

#include "picture/MetafilePlayers.h"

namespace kwemo {

namespace {

const MetafilePlayers* loadModule() {
  using Entry = const MetafilePlayers* (*)();
  const QString name = QStringLiteral("kwemo-metafiles");
  // Beside the program first (a build tree, whose module matches it), then where installs put it.
  const QStringList places{QCoreApplication::applicationDirPath(),
                           QStringLiteral(KWEMO_MODULE_DIR)};
  for (const QString& dir : places) {
    QLibrary module(QDir(dir).filePath(name));
    if (!module.load()) continue;
    if (const auto entry = reinterpret_cast<Entry>(module.resolve("kwemo_metafile_players")))
      return entry();  // the module stays loaded for the rest of the run
    module.unload();
  }
  std::fprintf(stderr,
               "kwemo: the metafile players (%s) cannot be loaded; metafiles will not show\n",
               qUtf8Printable(name));
  return nullptr;
}

}  // namespace

const MetafilePlayers* metafilePlayers() {
  static const MetafilePlayers* const players = loadModule();
  return players;
}

}  // namespace kwemo
