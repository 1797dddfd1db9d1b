#pragma once

// The first pass over a Windows metafile, before any library sees it: checks that every record lies
// inside the file and that object indices are in range, notes the placeable box and the window the
// metafile sets, and builds the copy that is handed to the player.

#include <QByteArray>
#include <QRectF>
#include <optional>

namespace kwemo {

// What the walk over the records found.
struct WmfLayout {
  bool placeable = false;
  QRectF bbox;  // placeable: logical frame (may have negative width/height when flipped)
  int unitsPerInch = 0;
  bool setsWindowExt = false;
  QRectF lastWindow;  // origin and extent of the last SETWINDOWORG/EXT seen
  QByteArray sanitized;
};

// std::nullopt for a header that is no metafile header or a record that runs past the end. Records
// selecting or deleting an object the header does not provide for are left out of the copy; the
// copy's header carries the true record sizes and always ends with an end record.
std::optional<WmfLayout> WalkWmfRecords(const QByteArray& data);

}  // namespace kwemo
