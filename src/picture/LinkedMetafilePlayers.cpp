#include "picture/MetafilePlayers.h"
#include "picture/MetafileRenderers.h"

namespace kwemo {

const MetafilePlayers* metafilePlayers() {
  static const MetafilePlayers players{&RenderWmf, &RenderEmf};
  return &players;
}

}  // namespace kwemo
