#pragma once

#include <span>
#include <string>
#include <vector>

namespace trackmint {

inline constexpr int kArrowSize = 48;
inline constexpr int kArrowChannels = 4;

// An ancillary chunk carried over unchanged: its name and its data bytes.
struct CopiedChunk {
  std::string name;
  std::vector<unsigned char> data;
};

// The arrow image decoded: 48 rows of 48 RGBA pixels, 8 bits a channel, as the file holds
// them (no colour conversion), and its pHYs and iCCP chunks in that order (iCCP only when the
// image has one).
struct ArrowPicture {
  std::vector<unsigned char> rgba;
  std::vector<CopiedChunk> chunks;
};

// Decodes a 48 x 48 RGBA PNG of 8 bits a channel; any other image is refused.
ArrowPicture DecodeArrowPng(std::span<const unsigned char> png);

// The picture as an 8-bit RGBA PNG in memory: IHDR, the copied chunks in their order, the image
// data (every row filtered with Sub, zlib level 7, IDAT chunks of at most 65535 bytes), IEND.
std::vector<unsigned char> EncodeIconPng(const ArrowPicture& picture);

}  // namespace trackmint
