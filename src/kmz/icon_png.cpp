#include "kmz/icon_png.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <png.h>

#include "base/trackmint_error.h"
#include "kmz/png_structs.h"

namespace trackmint {
namespace {

constexpr int kRowBytes = kArrowSize * kArrowChannels;
constexpr int kIconZlibLevel = 7;
constexpr std::size_t kMaxIdatSize = 65535;
// libpng's names for the chunks that pass from the arrow image to the icons unchanged; it keeps
// them as raw bytes instead of parsing them.
constexpr png_byte kCopiedChunkList[] = {'p', 'H', 'Y', 's', '\0', 'i', 'C', 'C', 'P', '\0'};
constexpr const char* kCopiedChunkNames[] = {"pHYs", "iCCP"};

struct MemorySource {
  const unsigned char* data;
  std::size_t size;
  std::size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->size - source->offset) png_error(png, "the image ends early");
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

// Everything libpng may leave by longjmp happens in here; see png_structs.h.
bool ReadRows(png_structp png, png_infop info, MemorySource* source, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadFromMemory);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_ALWAYS, kCopiedChunkList, 2);
  png_read_info(png, info);
  if (png_get_image_width(png, info) != kArrowSize ||
      png_get_image_height(png, info) != kArrowSize || png_get_bit_depth(png, info) != 8 ||
      png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB_ALPHA ||
      png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
    png_error(png, "not a 48 x 48 RGBA image of 8 bits a channel");
  }
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

struct RawChunk {
  png_const_bytep name;
  png_const_bytep data;
  std::size_t size;
};

void WriteToMemory(png_structp png, png_bytep data, std::size_t length) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void FlushNothing(png_structp) {}

bool WriteRows(png_structp png, png_infop info, std::vector<unsigned char>* bytes, png_bytepp rows,
               const RawChunk* chunks, std::size_t chunk_count) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, bytes, WriteToMemory, FlushNothing);
  png_set_IHDR(png, info, kArrowSize, kArrowSize, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_compression_level(png, kIconZlibLevel);
  // Each IDAT chunk holds at most what the compression buffer holds.
  png_set_compression_buffer_size(png, kMaxIdatSize);
  png_write_info(png, info);
  // Written by hand right behind IHDR: libpng's own order would put iCCP before pHYs.
  for (std::size_t i = 0; i < chunk_count; ++i) {
    png_write_chunk(png, chunks[i].name, chunks[i].data, chunks[i].size);
  }
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

std::vector<png_bytep> RowPointers(unsigned char* pixels) {
  std::vector<png_bytep> rows(kArrowSize);
  for (int y = 0; y < kArrowSize; ++y) rows[y] = pixels + y * kRowBytes;
  return rows;
}

}  // namespace

ArrowPicture DecodeArrowPng(std::span<const unsigned char> png) {
  ArrowPicture picture;
  picture.rgba.resize(kArrowSize * kRowBytes);
  std::vector<png_bytep> rows = RowPointers(picture.rgba.data());
  MemorySource source{png.data(), png.size(), 0};
  const PngStructs structs(PngStructs::Use::Read);
  if (!ReadRows(structs.Png(), structs.Info(), &source, rows.data())) {
    throw TrackmintError("The built-in arrow image is damaged: " + structs.ErrorText());
  }
  png_unknown_chunkp unknown = nullptr;
  const int count = png_get_unknown_chunks(structs.Png(), structs.Info(), &unknown);
  for (const char* name : kCopiedChunkNames) {
    for (int i = 0; i < count; ++i) {
      if (std::memcmp(unknown[i].name, name, 4) == 0) {
        picture.chunks.push_back(
            {name, std::vector<unsigned char>(unknown[i].data, unknown[i].data + unknown[i].size)});
        break;
      }
    }
  }
  return picture;
}

std::vector<unsigned char> EncodeIconPng(const ArrowPicture& picture) {
  if (picture.rgba.size() != static_cast<std::size_t>(kArrowSize * kRowBytes)) {
    throw std::invalid_argument("an icon is 48 x 48 RGBA");
  }
  std::vector<RawChunk> chunks;
  for (const CopiedChunk& chunk : picture.chunks) {
    chunks.push_back({reinterpret_cast<png_const_bytep>(chunk.name.c_str()), chunk.data.data(),
                      chunk.data.size()});
  }
  // libpng takes row pointers to non-const bytes, but only reads them when writing.
  std::vector<png_bytep> rows = RowPointers(const_cast<unsigned char*>(picture.rgba.data()));
  std::vector<unsigned char> bytes;
  const PngStructs structs(PngStructs::Use::Write);
  if (!WriteRows(structs.Png(), structs.Info(), &bytes, rows.data(), chunks.data(),
                 chunks.size())) {
    throw TrackmintError("Can't make an arrow icon: " + structs.ErrorText());
  }
  return bytes;
}

}  // namespace trackmint
