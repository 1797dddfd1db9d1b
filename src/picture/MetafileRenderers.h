#pragma once

// Metafile players behind LoadPictureFromData; they expect data already recognised as their kind.

#include <QByteArray>
#include <optional>

#include "picture/Picture.h"

namespace kwemo {

// Windows metafile, placeable or bare, played by libwmf through a QPainter device layer.
std::optional<Picture> RenderWmf(const QByteArray& data);

// Enhanced metafile, turned into SVG by libemf2svg and rendered by QSvgRenderer.
std::optional<Picture> RenderEmf(const QByteArray& data);

// Rounds to the nearest integer, halves to even, as every size conversion of the program does.
int RoundHalfEven(double value);

}  // namespace kwemo
