// The one symbol of the metafile module: the players linked into it.
#include <QtGlobal>

#include "picture/MetafilePlayers.h"

extern "C" Q_DECL_EXPORT const kwemo::MetafilePlayers* kwemo_metafile_players() {
  return kwemo::metafilePlayers();
}
