#include "oldruntime/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kwemo {

double roundHalfEven(double value) { return std::nearbyint(value); }

std::optional<std::int16_t> toInt16(double value) {
  const double r = roundHalfEven(value);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

std::int32_t toInt32Clamped(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(roundHalfEven(value), lo, hi));
}

}  // namespace kwemo
