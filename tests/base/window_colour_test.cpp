// System colours: the index is the low byte whatever the bits above it hold, and the classic
// values a host without a desktop uses, by that index.
#include "base/window_colour.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/classic_system_colours.h"

namespace trackmint {
namespace {

TEST(SystemColour, TheIndexIsTheLowByte) {
  EXPECT_FALSE(IsSystemColour(0x00FFFFFFu));
  EXPECT_TRUE(IsSystemColour(0x80000000u));
  EXPECT_EQ(SystemColourIndex(0x8000000Fu), 15u);
  EXPECT_EQ(SystemColourIndex(0xFF00000Fu), 15u);
  EXPECT_EQ(SystemColourIndex(0x80000100u), 0u);
  EXPECT_EQ(SystemColourIndex(0x800000FFu), 255u);
}

TEST(ClassicSystemColour, ByTheIndexInTheLowByte) {
  struct Case {
    const char* legend;
    WindowColour colour;
    WindowColour expected;
  };
  const std::vector<Case> cases = {
      {"plain red stays", 0x000000FFu, 0x000000FFu},
      {"plain white stays", 0x00FFFFFFu, 0x00FFFFFFu},
      {"0: scroll bar", 0x80000000u, MakeWindowColour(192, 192, 192)},
      {"1: desktop", 0x80000001u, MakeWindowColour(0, 128, 128)},
      {"8: window text", 0x80000008u, MakeWindowColour(0, 0, 0)},
      {"15: button face", 0x8000000Fu, MakeWindowColour(192, 192, 192)},
      {"17: grey text", 0x80000011u, MakeWindowColour(128, 128, 128)},
      {"24: tooltip background", 0x80000018u, MakeWindowColour(255, 255, 225)},
      {"30: menu bar, the last", 0x8000001Eu, MakeWindowColour(192, 192, 192)},
      {"31: no such colour", 0x8000001Fu, 0},
      {"255: no such colour", 0x800000FFu, 0},
      {"desktop with the whole top byte set", 0xFF000001u, MakeWindowColour(0, 128, 128)},
      {"bit 8 set: still the desktop", 0x80000101u, MakeWindowColour(0, 128, 128)},
      {"0x80000100: the scroll bar", 0x80000100u, MakeWindowColour(192, 192, 192)},
      {"tooltip background, the bits above set", 0xFFFFFF18u, MakeWindowColour(255, 255, 225)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(ClassicSystemColour(c.colour), c.expected);
  }
}

}  // namespace
}  // namespace trackmint
