#include "kmz/deflate_stream.h"

#include <stdexcept>

namespace trackmint {

DeflateStream::DeflateStream(ByteSink& sink) : m_sink(sink) {}

void DeflateStream::AddPiece(std::span<const unsigned char> piece, bool last) {
  if (m_finished) throw std::logic_error("the deflate stream is already finished");
  const std::size_t produced = m_deflater.Compress(piece, last, m_output);
  m_crc32 = UpdateCrc32(m_crc32, piece);
  m_uncompressed_size += piece.size();
  if (produced > 0) {
    m_sink.Write(std::span<const unsigned char>(m_output.data(), produced));
    m_compressed_size += produced;
  }
  m_finished = last;
}

}  // namespace trackmint
