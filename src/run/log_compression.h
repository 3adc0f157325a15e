#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "run/stream_decoder.h"

namespace trackmint {

// How a log is stored: as it is, or compressed.
enum class Compression { None, Gzip, Bzip2, Xz, Zstd };

// The most bytes CompressionOf looks at.
inline constexpr std::size_t kCompressionSignatureSize = 6;

// The compression the first bytes of a file announce (a file's name says nothing): the signatures
// of gzip, bzip2, xz and zstd (a zstd frame or a skippable frame); None for anything else,
// and for a file too short to hold a whole signature.
Compression CompressionOf(std::span<const unsigned char> first_bytes);

// A decoder for a compressed log; not for Compression::None.
std::unique_ptr<StreamDecoder> MakeDecoder(Compression compression);

}  // namespace trackmint
