#include "kmz/raw_deflater.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "base/trackmint_error.h"

namespace trackmint {
namespace {

constexpr int kLevel = 6;
constexpr int kRawWindowBits = -15;  // negative: raw deflate, no zlib header and trailer
constexpr int kMemoryLevel = 8;
// What a sync flush adds to deflateBound's worst case: an empty stored block and a few bits.
constexpr std::size_t kFlushRoom = 16;

}  // namespace

RawDeflater::RawDeflater() {
  const int result =
      deflateInit2(&m_stream, kLevel, Z_DEFLATED, kRawWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY);
  if (result == Z_MEM_ERROR) throw TrackmintError("Not enough memory to compress");
  if (result != Z_OK) {
    throw TrackmintError("Can't start the compressor: zlib error " + std::to_string(result));
  }
}

RawDeflater::~RawDeflater() {
  deflateEnd(&m_stream);
}

void RawDeflater::Restart(std::span<const unsigned char> dictionary) {
  if (deflateReset(&m_stream) != Z_OK) throw std::logic_error("deflate reset failed");
  if (dictionary.empty()) return;
  const std::size_t size = std::min(dictionary.size(), kDeflateWindow);
  if (deflateSetDictionary(&m_stream, dictionary.data() + dictionary.size() - size,
                           static_cast<uInt>(size)) != Z_OK) {
    throw std::logic_error("deflate dictionary refused");
  }
}

std::size_t RawDeflater::Compress(std::span<const unsigned char> input, bool last,
                                  std::vector<unsigned char>& output) {
  if (input.size() > kMaxDeflateInput) throw std::length_error("deflate input too large");
  // Room for the worst case, so that one call does it all.
  const std::size_t room = deflateBound(&m_stream, static_cast<uLong>(input.size())) + kFlushRoom;
  if (output.size() < room) output.resize(room);
  m_stream.next_in = const_cast<Bytef*>(input.data());
  m_stream.avail_in = static_cast<uInt>(input.size());
  std::size_t produced = 0;
  const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
  for (;;) {
    m_stream.next_out = output.data() + produced;
    m_stream.avail_out = static_cast<uInt>(
        std::min<std::size_t>(output.size() - produced, std::numeric_limits<uInt>::max()));
    const uInt offered = m_stream.avail_out;
    const int result = deflate(&m_stream, flush);
    if (result == Z_STREAM_ERROR) throw std::logic_error("deflate stream state damaged");
    produced += offered - m_stream.avail_out;
    if (last ? result == Z_STREAM_END : m_stream.avail_out != 0) break;
    if (produced == output.size()) output.resize(output.size() * 2);
  }
  return produced;
}

std::uint32_t UpdateCrc32(std::uint32_t crc, std::span<const unsigned char> bytes) {
  return static_cast<std::uint32_t>(crc32_z(crc, bytes.data(), bytes.size()));
}

}  // namespace trackmint
