#include "kmz/deflate_stream.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "base/trackmint_error.h"

namespace trackmint {
namespace {

constexpr int kLevel = 6;
constexpr int kRawWindowBits = -15;  // negative: raw deflate, no zlib header and trailer
constexpr int kMemoryLevel = 8;
// About a tenth more than a piece, so a piece mostly leaves in one write.
constexpr std::size_t kOutputSize = kArchivePieceSize + kArchivePieceSize / 10;

}  // namespace

DeflateStream::DeflateStream(ByteSink& sink) : m_sink(sink), m_output(kOutputSize) {
  if (deflateInit2(&m_stream, kLevel, Z_DEFLATED, kRawWindowBits, kMemoryLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    throw TrackmintError("Not enough memory to compress");
  }
  m_crc32 = static_cast<std::uint32_t>(::crc32(0L, Z_NULL, 0));
}

DeflateStream::~DeflateStream() {
  deflateEnd(&m_stream);
}

void DeflateStream::AddPiece(std::span<const unsigned char> piece, bool last) {
  if (m_finished) throw std::logic_error("the deflate stream is already finished");
  // zlib counts in uInt; a piece is far below that.
  if (piece.size() > std::numeric_limits<uInt>::max()) throw std::length_error("piece too large");
  m_crc32 =
      static_cast<std::uint32_t>(::crc32(m_crc32, piece.data(), static_cast<uInt>(piece.size())));
  m_uncompressed_size += piece.size();

  m_stream.next_in = const_cast<Bytef*>(piece.data());
  m_stream.avail_in = static_cast<uInt>(piece.size());
  const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
  for (;;) {
    m_stream.next_out = m_output.data();
    m_stream.avail_out = static_cast<uInt>(m_output.size());
    const int result = deflate(&m_stream, flush);
    if (result == Z_STREAM_ERROR) throw std::logic_error("deflate stream state damaged");
    const std::size_t produced = m_output.size() - m_stream.avail_out;
    if (produced > 0) {
      m_sink.Write(std::span<const unsigned char>(m_output.data(), produced));
      m_compressed_size += produced;
    }
    if (last ? result == Z_STREAM_END : m_stream.avail_out != 0) break;
  }
  m_finished = last;
}

}  // namespace trackmint
