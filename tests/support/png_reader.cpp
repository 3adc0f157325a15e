#include "support/png_reader.h"

#include <csetjmp>
#include <cstring>

#include <png.h>
#include <zlib.h>

#include "support/inflate.h"

namespace trackmint::testing {
namespace {

struct Source {
  const unsigned char* data;
  std::size_t size;
  std::size_t offset;
};

void ReadSource(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<Source*>(png_get_io_ptr(png));
  if (length > source->size - source->offset) png_error(png, "truncated");
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

void KeepError(png_structp png, png_const_charp message) {
  std::strncpy(static_cast<char*>(png_get_error_ptr(png)), message, 199);
  png_longjmp(png, 1);
}

void Quiet(png_structp, png_const_charp) {}

// The largest image a test reads: a picture of 1200 by 800 pixels in RGBA with room to spare.
constexpr std::size_t kMaxPixelBytes = 16u << 20;

// The header, then the pixels into the rows. Only plain data live here: libpng leaves by
// longjmp on an error.
bool ReadHeader(png_structp png, png_infop info, Source* source, DecodedPng* result) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadSource);
  png_read_info(png, info);
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  png_get_IHDR(png, info, &width, &height, &result->bit_depth, &result->color_type,
               &result->interlace, nullptr, nullptr);
  result->width = width;
  result->height = height;
  if (png_get_rowbytes(png, info) * height > kMaxPixelBytes) {
    png_error(png, "larger than the test expects");
  }
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytep* rows, DecodedPng* result) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  result->has_valid_iccp = png_get_valid(png, info, PNG_INFO_iCCP) != 0;
  result->has_phys = png_get_valid(png, info, PNG_INFO_pHYs) != 0;
  return true;
}

std::uint32_t Big32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

DecodedPng DecodePng(const std::string& bytes) {
  DecodedPng result;
  char error[200] = {};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, error, KeepError, Quiet);
  png_infop info = png_create_info_struct(png);
  Source source{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0};
  bool whole = false;
  if (ReadHeader(png, info, &source, &result)) {
    const std::size_t row_bytes = png_get_rowbytes(png, info);
    std::vector<unsigned char> pixels(row_bytes * result.height);
    std::vector<png_bytep> rows(result.height);
    for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = pixels.data() + y * row_bytes;
    whole = ReadRows(png, info, rows.data(), &result);
    if (whole) result.pixels = std::move(pixels);
  }
  if (!whole) result.problem = error[0] ? error : "libpng failed";
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

std::vector<PngChunk> WalkPngChunks(const std::string& bytes) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (bytes.compare(0, 8, kSignature, 8) != 0) return {};
  std::vector<PngChunk> chunks;
  std::size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t length = Big32(bytes, at);
    if (at + 12 + length > bytes.size()) return {};
    PngChunk chunk{bytes.substr(at + 4, 4), bytes.substr(at + 8, length)};
    const std::string covered = bytes.substr(at + 4, 4 + length);
    const auto crc = static_cast<std::uint32_t>(crc32(
        0L, reinterpret_cast<const Bytef*>(covered.data()), static_cast<uInt>(covered.size())));
    if (crc != Big32(bytes, at + 8 + length)) return {};
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  if (at != bytes.size()) return {};
  return chunks;
}

std::vector<std::string> ChunkTypes(const std::vector<PngChunk>& chunks) {
  std::vector<std::string> types;
  for (const PngChunk& chunk : chunks) types.push_back(chunk.type);
  return types;
}

std::vector<int> RowFilterTypes(const std::vector<PngChunk>& chunks, unsigned width) {
  std::string compressed;
  for (const PngChunk& chunk : chunks) {
    if (chunk.type == "IDAT") compressed += chunk.data;
  }
  std::string filtered;
  if (!InflateZlib(compressed, filtered)) return {};
  const std::size_t row = 1 + 4 * std::size_t{width};
  if (filtered.size() % row != 0) return {};
  std::vector<int> types;
  for (std::size_t at = 0; at < filtered.size(); at += row) {
    types.push_back(static_cast<unsigned char>(filtered[at]));
  }
  return types;
}

}  // namespace trackmint::testing
