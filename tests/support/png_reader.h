#pragma once

#include <string>
#include <vector>

namespace trackmint::testing {

// The tests' own look at a PNG: libpng's decoder for the pixels, and a walk over the chunks by
// hand for their order and the filter byte of every row.
struct DecodedPng {
  unsigned width = 0;
  unsigned height = 0;
  int bit_depth = 0;
  int color_type = 0;
  int interlace = 0;
  bool has_valid_iccp = false;  // libpng accepted the colour profile
  bool has_phys = false;
  std::vector<unsigned char> pixels;  // as stored, no transformations
  std::string problem;                // empty when libpng read it to the end
};
DecodedPng DecodePng(const std::string& bytes);

struct PngChunk {
  std::string type;
  std::string data;
};
// The chunks after the signature; empty when the signature, a length or a CRC is wrong.
std::vector<PngChunk> WalkPngChunks(const std::string& bytes);
std::vector<std::string> ChunkTypes(const std::vector<PngChunk>& chunks);

// The filter type byte of every row of an 8-bit RGBA image of the given width.
std::vector<int> RowFilterTypes(const std::vector<PngChunk>& chunks, unsigned width);

}  // namespace trackmint::testing
