#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <zlib.h>

namespace trackmint {

// The longest input one Compress takes: zlib counts in uInt, and the output must fit there too.
inline constexpr std::size_t kMaxDeflateInput = 0x7FFFFFFF;
// How far back a match may reach: all that a dictionary can give.
inline constexpr std::size_t kDeflateWindow = 32768;

// The zlib deflate stream every member of the KMZ is compressed with: raw deflate (no zlib header
// or trailer, as ZIP members need) at level 6, with 15 window bits, memory level 8 and the default
// strategy. Made once and ended with the object; a failure to make it throws TrackmintError.
class RawDeflater {
 public:
  RawDeflater();
  ~RawDeflater();
  RawDeflater(const RawDeflater&) = delete;
  RawDeflater& operator=(const RawDeflater&) = delete;

  // Starts a new stream whose matches may reach back into the dictionary: the text just before
  // its first byte, of which the last kDeflateWindow bytes count.
  void Restart(std::span<const unsigned char> dictionary);
  // Compresses the input and ends it with a sync flush, which leaves the output on a byte
  // boundary, or when last, finishes the stream. The output goes to the start of output, which
  // grows when it must; returns its size.
  std::size_t Compress(std::span<const unsigned char> input, bool last,
                       std::vector<unsigned char>& output);

 private:
  z_stream m_stream{};
};

// The CRC-32 of the bytes, continued from crc (0 for the first bytes).
std::uint32_t UpdateCrc32(std::uint32_t crc, std::span<const unsigned char> bytes);

}  // namespace trackmint
