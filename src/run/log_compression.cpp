#include "run/log_compression.h"

#include <algorithm>
#include <array>

namespace trackmint {
namespace {

bool StartsWith(std::span<const unsigned char> bytes, std::span<const unsigned char> signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin());
}

// The magic numbers at the start of each format.
constexpr std::array<unsigned char, 2> kGzipSignature = {0x1F, 0x8B};
constexpr std::array<unsigned char, 3> kBzip2Signature = {'B', 'Z', 'h'};  // then the level
constexpr std::array<unsigned char, 6> kXzSignature = {0xFD, '7', 'z', 'X', 'Z', 0x00};
constexpr std::array<unsigned char, 4> kZstdSignature = {0x28, 0xB5, 0x2F, 0xFD};
// A skippable frame: 0x184D2A50 to 0x184D2A5F, little-endian; its first byte is the variable one.
constexpr std::array<unsigned char, 3> kZstdSkippableTail = {0x2A, 0x4D, 0x18};

}  // namespace

Compression CompressionOf(std::span<const unsigned char> first_bytes) {
  if (StartsWith(first_bytes, kGzipSignature)) return Compression::Gzip;
  if (StartsWith(first_bytes, kBzip2Signature) && first_bytes.size() > kBzip2Signature.size() &&
      first_bytes[3] >= '1' && first_bytes[3] <= '9') {
    return Compression::Bzip2;
  }
  if (StartsWith(first_bytes, kXzSignature)) return Compression::Xz;
  if (StartsWith(first_bytes, kZstdSignature)) return Compression::Zstd;
  if (first_bytes.size() >= 4 && (first_bytes[0] & 0xF0) == 0x50 &&
      StartsWith(first_bytes.subspan(1), kZstdSkippableTail)) {
    return Compression::Zstd;
  }
  return Compression::None;
}

std::unique_ptr<StreamDecoder> MakeDecoder(Compression compression) {
  switch (compression) {
    case Compression::Gzip:
      return MakeGzipDecoder();
    case Compression::Bzip2:
      return MakeBzip2Decoder();
    case Compression::Xz:
      return MakeXzDecoder();
    case Compression::Zstd:
      return MakeZstdDecoder();
    case Compression::None:
      break;
  }
  return nullptr;
}

}  // namespace trackmint
