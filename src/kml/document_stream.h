#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/number_format.h"

namespace trackmint {

// The append-only text output the KML writers are handed. Text collects in one large buffer that
// goes out in whole pieces, to a file that someone else owns or to a string (for tests), so that
// writing a document costs little more than copying its bytes. A failed write to the file is
// remembered; the caller checks Failed() after Flush() so that no truncated document is packed.
class DocumentStream {
 public:
  static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 18;
  // Enough for any single number, so a number never has to be split.
  static constexpr std::size_t kMinCapacity = 2 * kMaxFixedChars;

  explicit DocumentStream(std::FILE* file, std::size_t capacity = kDefaultCapacity);
  explicit DocumentStream(std::string& text, std::size_t capacity = kDefaultCapacity);
  // Flushes what is left, so the stream must go before its file is closed. A failure here is
  // seen only by an owner that flushed and checked before.
  ~DocumentStream();
  DocumentStream(const DocumentStream&) = delete;
  DocumentStream& operator=(const DocumentStream&) = delete;

  void Write(std::string_view text) {
    if (text.size() <= m_capacity - m_used) {
      // An empty view may carry no pointer at all, which memcpy must not see.
      if (!text.empty()) std::memcpy(m_buffer.get() + m_used, text.data(), text.size());
      m_used += text.size();
    } else {
      WriteLong(text);
    }
  }
  void Write(char c) {
    if (m_used == m_capacity) Drain();
    m_buffer[m_used++] = c;
  }
  // printf's "%.Nf" in the C locale.
  void WriteFixed(double value, int decimals) {
    char* out = Room(kMaxFixedChars);
    m_used = static_cast<std::size_t>(trackmint::WriteFixed(out, value, decimals) - m_buffer.get());
  }
  // printf's "%d".
  void WriteDecimal(long long value) {
    char* out = Room(kMaxDecimalChars);
    m_used = static_cast<std::size_t>(trackmint::WriteDecimal(out, value) - m_buffer.get());
  }

  // Hands everything written so far to the file (and the file's own buffer to the system) or to
  // the string.
  void Flush();
  // True once any write to the file has failed; ErrorNumber() is the errno of the first failure,
  // for the message that names it.
  bool Failed() const { return m_failed; }
  int ErrorNumber() const { return m_error_number; }

 private:
  char* Room(std::size_t size) {
    if (size > m_capacity - m_used) Drain();
    return m_buffer.get() + m_used;
  }
  void WriteLong(std::string_view text);
  void Drain();
  void Put(const char* data, std::size_t size);
  void NoteFailure();

  std::FILE* m_file = nullptr;
  std::string* m_text = nullptr;
  std::size_t m_capacity;
  std::unique_ptr<char[]> m_buffer;
  std::size_t m_used = 0;
  bool m_failed = false;
  int m_error_number = 0;
};

}  // namespace trackmint
