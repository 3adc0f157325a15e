#include "kmz/deflate_stream.h"

#include <stdexcept>

namespace trackmint {

DeflateStream::DeflateStream(ByteSink& sink) : m_sink(sink) {}

void DeflateStream::AddPiece(std::span<const unsigned char> piece, bool last) {
  RefuseIfFailed();
  try {
    if (m_finished) throw std::logic_error("the deflate stream is already finished");
    const std::size_t produced = m_deflater.Compress(piece, last, m_output);
    m_crc32 = UpdateCrc32(m_crc32, piece);
    m_uncompressed_size += piece.size();
    if (produced > 0) {
      m_sink.Write(std::span<const unsigned char>(m_output.data(), produced));
      m_compressed_size += produced;
    }
    m_finished = last;
  } catch (...) {
    // The deflater has taken the piece but the sink not all of its output: the stream is broken.
    m_failed = true;
    throw;
  }
}

bool DeflateStream::Finished() const {
  RefuseIfFailed();
  return m_finished;
}

std::uint32_t DeflateStream::Crc32() const {
  RefuseIfFailed();
  return m_crc32;
}

std::uint64_t DeflateStream::CompressedSize() const {
  RefuseIfFailed();
  return m_compressed_size;
}

std::uint64_t DeflateStream::UncompressedSize() const {
  RefuseIfFailed();
  return m_uncompressed_size;
}

void DeflateStream::RefuseIfFailed() const {
  if (m_failed) throw std::logic_error("the deflate stream failed earlier");
}

}  // namespace trackmint
