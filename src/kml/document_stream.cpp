#include "kml/document_stream.h"

#include <algorithm>
#include <stdexcept>

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
  RefuseIfFailed();
  if (m_used == 0) return;
  const std::size_t size = m_used;
  try {
    m_buffer = m_sink.TakePiece(std::move(m_buffer), size);
    if (!m_buffer) throw std::logic_error("the piece sink handed back no buffer");
  } catch (...) {
    m_failed = true;
    m_used = m_capacity;
    throw;
  }
  m_used = 0;
  m_flushed += size;
}

std::uint64_t DocumentStream::Size() const {
  RefuseIfFailed();
  return m_flushed + m_used;
}

void DocumentStream::RefuseIfFailed() const {
  if (m_failed) throw std::logic_error("the document stream failed earlier");
}

// Fills the buffer to the brim, piece after piece, so the pieces keep their size whatever the
// length of the text.
void DocumentStream::WriteLong(std::string_view text) {
  RefuseIfFailed();
  while (!text.empty()) {
    if (m_used == m_capacity) Flush();
    const std::size_t count = std::min(text.size(), m_capacity - m_used);
    std::memcpy(m_buffer.get() + m_used, text.data(), count);
    m_used += count;
    text.remove_prefix(count);
  }
}

}  // namespace trackmint
