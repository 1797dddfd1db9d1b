#pragma once

#include <QString>
#include <array>
#include <optional>

#include "oldruntime/Rgb.h"

namespace kwemo {

struct Picture;

// What the settings preview reads from the dialog's values on one tick. A value that the
// control does not give (no selection, text that is no number) is empty, and the step that needs
// it is skipped.
struct PreviewInputs {
  int drawMode = 0;  // list index + 1; 0 without a selection (refused by the surface)
  Rgb backColor = 0;
  Rgb circleColor = 0;
  Rgb mojiColor = 0;
  std::array<Rgb, 3> handColor{};                     // hour, minute, second
  std::array<std::optional<int>, 3> handWidth{};      // pixels
  std::optional<int> markWidth;                       // pixels
  std::array<std::optional<double>, 3> handLength{};  // percent of the half-axes
  std::optional<float> fontSize;                      // points
  QString fontName;
  bool fontBold = false;
  bool fontItalic = false;
  double textTop = 0;  // percent of the height
  QString format;
  bool tickMarks = true;  // "目盛を表示しない" not checked
  bool minuteDots = false;
  bool digitalText = false;
  bool fanHands = false;
  bool secondHand = true;  // "秒針非表示" not checked
  const Picture* picture = nullptr;
};

}  // namespace kwemo
