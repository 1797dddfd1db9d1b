#pragma once

// How LoadPictureFromData reaches the metafile players. Whatever links this library gets them
// linked in (LinkedMetafilePlayers.cpp); the program instead defines metafilePlayers() itself and
// loads them from a module on the first metafile, so that their libraries (libwmf, libemf2svg,
// QtSvg) are neither loaded nor relocated by a clock that never shows one.

#include <QByteArray>
#include <optional>

#include "picture/Picture.h"

namespace kwemo {

struct MetafilePlayers {
  std::optional<Picture> (*wmf)(const QByteArray& data) = nullptr;
  std::optional<Picture> (*emf)(const QByteArray& data) = nullptr;
};

// The players, or nullptr when they cannot be had (the module is missing): then no metafile
// loads, as if it were damaged.
const MetafilePlayers* metafilePlayers();

}  // namespace kwemo
