#pragma once

#include <cstdint>
#include <optional>

namespace kwemo {

// The old runtime's conversions of a fraction to a whole number, which every size, coordinate and
// setting of this program goes through. All of them round to the nearest integer with halves to
// the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), the default floating-point rounding mode.

double roundHalfEven(double value);
// Range-checked to 16 bits, as the old runtime's integer conversion: nullopt outside
// -32768..32767 or for NaN, where the old runtime raised an overflow.
std::optional<std::int16_t> toInt16(double value);
// Saturated to 32 bits, for values that must not fail (pixel sizes and coordinates, which only
// damaged input pushes out of range): NaN gives 0, anything beyond the range its nearest end.
std::int32_t toInt32Clamped(double value);

}  // namespace kwemo
