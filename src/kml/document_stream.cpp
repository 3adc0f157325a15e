#include "kml/document_stream.h"

#include <algorithm>
#include <cerrno>

namespace trackmint {

DocumentStream::DocumentStream(std::FILE* file, std::size_t capacity)
    : m_file(file),
      m_capacity(std::max(capacity, kMinCapacity)),
      m_buffer(std::make_unique_for_overwrite<char[]>(m_capacity)) {}

DocumentStream::DocumentStream(std::string& text, std::size_t capacity)
    : m_text(&text),
      m_capacity(std::max(capacity, kMinCapacity)),
      m_buffer(std::make_unique_for_overwrite<char[]>(m_capacity)) {}

DocumentStream::~DocumentStream() {
  Flush();
}

void DocumentStream::Flush() {
  Drain();
  if (m_file != nullptr && std::fflush(m_file) != 0) NoteFailure();
}

void DocumentStream::WriteLong(std::string_view text) {
  Drain();
  if (text.size() <= m_capacity) {
    std::memcpy(m_buffer.get(), text.data(), text.size());
    m_used = text.size();
  } else {
    Put(text.data(), text.size());
  }
}

void DocumentStream::Drain() {
  Put(m_buffer.get(), m_used);
  m_used = 0;
}

void DocumentStream::Put(const char* data, std::size_t size) {
  if (size == 0) return;
  if (m_text != nullptr) {
    m_text->append(data, size);
  } else if (std::fwrite(data, 1, size, m_file) != size) {
    NoteFailure();
  }
}

void DocumentStream::NoteFailure() {
  if (!m_failed) m_error_number = errno;
  m_failed = true;
}

}  // namespace trackmint
