#include <gtest/gtest.h>

#include "platform/Rgb.h"

namespace kwemo {

TEST(Rgb, PacksRedLowAndClampsComponents) {
  struct Case {
    int r, g, b;
    Rgb expected;
  };
  const Case cases[] = {
      {255, 0, 0, 0x0000FFu}, {0, 255, 0, 0x00FF00u},    {0, 0, 255, 0xFF0000u},
      {1, 2, 3, 0x030201u},   {-5, 300, 128, 0x80FF00u}, {256, -1, 0, 0x0000FFu},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RGB(c.r, c.g, c.b), c.expected) << c.r << "," << c.g << "," << c.b;
    EXPECT_EQ(redOf(c.expected), std::clamp(c.r, 0, 255));
    EXPECT_EQ(blueOf(c.expected), std::clamp(c.b, 0, 255));
  }
}

}  // namespace kwemo
