#include "kml/document_stream.h"

#include <algorithm>

namespace trackmint {

DocumentStream::DocumentStream(PieceSink& sink, std::size_t capacity)
    : m_sink(sink),
      m_capacity(std::max(capacity, kMinCapacity)),
      m_buffer(std::make_unique_for_overwrite<char[]>(m_capacity)) {}

DocumentStream::DocumentStream(std::string& text, std::size_t capacity)
    : m_string_sink(std::make_unique<StringSink>(text)),
      m_sink(*m_string_sink),
      m_capacity(std::max(capacity, kMinCapacity)),
      m_buffer(std::make_unique_for_overwrite<char[]>(m_capacity)) {}

void DocumentStream::Flush() {
  if (m_used == 0) return;
  const std::size_t size = m_used;
  m_used = 0;
  m_buffer = m_sink.TakePiece(std::move(m_buffer), size);
  m_flushed += size;
}

// Fills the buffer to the brim, piece after piece, so the pieces keep their size whatever the
// length of the text.
void DocumentStream::WriteLong(std::string_view text) {
  while (!text.empty()) {
    if (m_used == m_capacity) Flush();
    const std::size_t count = std::min(text.size(), m_capacity - m_used);
    std::memcpy(m_buffer.get() + m_used, text.data(), count);
    m_used += count;
    text.remove_prefix(count);
  }
}

}  // namespace trackmint
