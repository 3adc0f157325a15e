#include "kmz/arrow_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arrow_alpha_table.h"
#include "base/trackmint_error.h"
#include "kmz/arrow_image.h"
#include "kmz_test_support.h"
#include "support/fixtures.h"
#include "support/png_reader.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::ArrowAlpha;
using testing::DecodedPng;
using testing::DecodePng;
using testing::InArrowFrame;
using testing::WalkPngChunks;

// A desktop whose system colours are all 0x123456 (red 0x56, green 0x34, blue 0x12).
// The run resolves a system colour before it asks for an icon; here every one is 123456.
WindowColour Resolved(WindowColour colour) {
  return IsSystemColour(colour) ? 0x123456 : colour;
}

std::string ImageBytes() {
  const auto image = ArrowImage();
  return std::string(image.begin(), image.end());
}

std::string ChunkData(const std::vector<testing::PngChunk>& chunks, const std::string& type) {
  for (const auto& chunk : chunks) {
    if (chunk.type == type) return chunk.data;
  }
  return "(none)";
}

struct Rgb {
  int red;
  int green;
  int blue;
};

// Every pixel: the arrow's alpha; white in the frame, the colour everywhere else.
void ExpectArrowInColour(const DecodedPng& png, Rgb colour) {
  const auto alpha = ArrowAlpha();
  int wrong = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const unsigned char* pixel = &png.pixels[(y * 48 + x) * 4];
      const Rgb expected = InArrowFrame(x, y) ? Rgb{255, 255, 255} : colour;
      const bool right = pixel[0] == expected.red && pixel[1] == expected.green &&
                         pixel[2] == expected.blue && pixel[3] == alpha[y][x];
      if (!right && ++wrong <= 5) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << int{pixel[0]} << ","
                      << int{pixel[1]} << "," << int{pixel[2]} << " alpha " << int{pixel[3]};
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(ArrowImage, IsTheDesignedArrow) {
  const std::string bytes = ImageBytes();
  const auto chunks = WalkPngChunks(bytes);
  EXPECT_EQ(testing::ChunkTypes(chunks),
            (std::vector<std::string>{"IHDR", "pHYs", "iCCP", "cHRM", "IDAT", "IEND"}));
  // 2835 = 0x0B13 pixels per metre on both axes, unit 1 (metre).
  EXPECT_EQ(ChunkData(chunks, "pHYs"), std::string("\0\0\x0B\x13\0\0\x0B\x13\x01", 9));
  const DecodedPng png = DecodePng(bytes);
  ASSERT_EQ(png.problem, "");
  EXPECT_EQ(png.width, 48u);
  EXPECT_EQ(png.height, 48u);
  EXPECT_EQ(png.bit_depth, 8);
  EXPECT_EQ(png.color_type, 6);
  EXPECT_EQ(png.interlace, 0);
  EXPECT_TRUE(png.has_valid_iccp);

  const auto alpha = ArrowAlpha();
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      SCOPED_TRACE("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")");
      const unsigned char* pixel = &png.pixels[(y * 48 + x) * 4];
      ASSERT_EQ(pixel[3], alpha[y][x]);
      const bool white = pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
      if (InArrowFrame(x, y)) {
        ASSERT_TRUE(white);
      } else if (alpha[y][x] == 0) {
        ASSERT_TRUE(pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0);
      } else {
        ASSERT_FALSE(white);
        ASSERT_TRUE(pixel[1] > pixel[0] && pixel[1] > pixel[2]);  // a green
      }
    }
  }
  // Lighter toward the tip than at the foot.
  const unsigned char* tip = &png.pixels[(2 * 48 + 24) * 4];
  const unsigned char* foot = &png.pixels[(45 * 48 + 24) * 4];
  EXPECT_GT(tip[0] + tip[1] + tip[2], foot[0] + foot[1] + foot[2]);
}

TEST(MakeArrowIcon, ColoursNamesAndPngLayout) {
  struct Case {
    const char* legend;
    WindowColour colour;
    std::string name;
    Rgb rgb;
  };
  const std::vector<Case> cases = {
      {"Auto, red", 0x0000FF, "255.png", {255, 0, 0}},
      {"Diff, yellow", 0x00FFFF, "65535.png", {255, 255, 0}},
      {"RTK Fix, green", 0x008000, "32768.png", {0, 128, 0}},
      {"RTK Float, fuchsia", 0xFF00FF, "16711935.png", {255, 0, 255}},
      {"Estimated, aqua", 0xFFFF00, "16776960.png", {0, 255, 255}},
      {"Invalid, black", 0x000000, "0.png", {0, 0, 0}},
      {"grey icon", 0x808080, "8421504.png", {128, 128, 128}},
      {"white", 0xFFFFFF, "16777215.png", {255, 255, 255}},
      {"a system colour, resolved before", kSystemGreyText, "1193046.png", {0x56, 0x34, 0x12}},
  };
  const std::string image_iccp = ChunkData(WalkPngChunks(ImageBytes()), "iCCP");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const ArrowIcon icon = MakeArrowIcon(Resolved(c.colour));
    EXPECT_EQ(icon.file_name, c.name);
    const std::string bytes(icon.png.begin(), icon.png.end());

    const auto chunks = WalkPngChunks(bytes);
    ASSERT_EQ(testing::ChunkTypes(chunks),
              (std::vector<std::string>{"IHDR", "pHYs", "iCCP", "IDAT", "IEND"}));
    // 48 x 48, depth 8, colour type 6, compression 0, filter 0, interlace 0.
    EXPECT_EQ(ChunkData(chunks, "IHDR"), std::string("\0\0\0\x30\0\0\0\x30\x08\x06\0\0\0", 13));
    EXPECT_EQ(ChunkData(chunks, "pHYs"), std::string("\0\0\x0B\x13\0\0\x0B\x13\x01", 9));
    EXPECT_EQ(ChunkData(chunks, "iCCP"), image_iccp);
    const std::string idat = ChunkData(chunks, "IDAT");
    EXPECT_LE(idat.size(), 65535u);
    // The zlib header's level bits: 3 for levels 7 to 9 (6, libpng's default, gives 2).
    ASSERT_GE(idat.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(idat[1]) >> 6, 3);
    EXPECT_EQ(testing::RowFilterTypes(chunks, 48), std::vector<int>(48, 1));  // all Sub

    const DecodedPng png = DecodePng(bytes);
    ASSERT_EQ(png.problem, "");
    EXPECT_EQ(png.width, 48u);
    EXPECT_EQ(png.height, 48u);
    EXPECT_TRUE(png.has_valid_iccp);
    EXPECT_TRUE(png.has_phys);
    ExpectArrowInColour(png, c.rgb);
  }
}

TEST(MakeArrowIcon, TheSameBytesEachTime) {
  const ArrowIcon first = MakeArrowIcon(0x0000FF);
  const ArrowIcon second = MakeArrowIcon(0x0000FF);
  EXPECT_EQ(first.file_name, "255.png");
  EXPECT_EQ(DecodePng(std::string(first.png.begin(), first.png.end())).problem, "");
  EXPECT_EQ(first.png, second.png);
  // Only the RGB bits count: a stray top byte names and colours nothing else.
  EXPECT_EQ(MakeArrowIcon(0x7F0000FF).png, first.png);
}

}  // namespace
}  // namespace trackmint
