#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/number_format.h"
#include "base/piece_sink.h"

namespace trackmint {

// The append-only text output the KML writers are handed. Text collects in one large buffer that
// goes out in whole pieces to a piece sink (the deflate stream of the KMZ) or to a string (for
// tests and tools), so that writing a document costs little more than writing its bytes once. A
// sink that cannot take a piece throws, and the error leaves through the writer that wrote; the
// buffer went with the piece, so the stream is then failed and every later call throws
// std::logic_error.
class DocumentStream {
 public:
  static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;
  // Enough for any single number, so a number never has to be split.
  static constexpr std::size_t kMinCapacity = 2 * kMaxFixedChars;

  // Pieces of the capacity (at least kMinCapacity) go to the sink.
  DocumentStream(PieceSink& sink, std::size_t capacity);
  explicit DocumentStream(std::string& text, std::size_t capacity = kDefaultCapacity);
  DocumentStream(const DocumentStream&) = delete;
  DocumentStream& operator=(const DocumentStream&) = delete;

  void Write(std::string_view text) {
    // Strictly less, so that a failed stream (whose buffer counts as full) refuses an empty text.
    if (text.size() < m_capacity - m_used) {
      // An empty view may carry no pointer at all, which memcpy must not see.
      if (!text.empty()) std::memcpy(m_buffer.get() + m_used, text.data(), text.size());
      m_used += text.size();
    } else {
      WriteLong(text);
    }
  }
  void Write(char c) {
    if (m_used == m_capacity) Flush();
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

  // Hands everything written so far on as one piece. Nothing is handed on by the destructor:
  // text after the last flush is dropped, as a run that failed half-way needs.
  void Flush();
  // Bytes written so far, flushed or not.
  std::uint64_t Size() const;

 private:
  // Appends to a string and hands the same buffer back.
  class StringSink final : public PieceSink {
   public:
    explicit StringSink(std::string& text) : m_text(text) {}
    std::unique_ptr<char[]> TakePiece(std::unique_ptr<char[]> piece, std::size_t size) override {
      m_text.append(piece.get(), size);
      return piece;
    }

   private:
    std::string& m_text;
  };

  char* Room(std::size_t size) {
    if (size > m_capacity - m_used) Flush();
    return m_buffer.get() + m_used;
  }
  void WriteLong(std::string_view text);
  void RefuseIfFailed() const;

  std::unique_ptr<StringSink> m_string_sink;
  PieceSink& m_sink;
  std::size_t m_capacity;
  std::unique_ptr<char[]> m_buffer;
  std::size_t m_used = 0;  // the capacity once failed, so that every write takes a way that refuses
  std::uint64_t m_flushed = 0;
  bool m_failed = false;
};

}  // namespace trackmint
