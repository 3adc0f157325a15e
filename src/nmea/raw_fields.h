#pragma once

#include <array>
#include <string_view>

namespace trackmint {

// The comma-separated fields of a sentence's raw text, up to its "*" (or its end), with no limit
// on a field's length; the GSA and GSV parsers read sentences this way, as their satellite lists
// can be longer than the assembler's fields. A field past the
// last one is empty, so no parser can read beyond the "*".
class RawFields {
 public:
  static constexpr int kCapacity = 128;  // a 100-character sentence has at most 51 fields

  explicit RawFields(std::string_view sentence);

  int Count() const { return m_count; }
  std::string_view operator[](int index) const {
    if (index < 0 || index >= m_count) return {};
    const auto i = static_cast<std::size_t>(index);
    return m_text.substr(m_starts[i], m_ends[i] - m_starts[i]);
  }

 private:
  std::string_view m_text;
  // Only the first m_count entries are ever written or read.
  std::array<std::size_t, kCapacity> m_starts;
  std::array<std::size_t, kCapacity> m_ends;
  int m_count = 0;
};

inline RawFields::RawFields(std::string_view sentence) : m_text(sentence) {
  std::size_t start = 0;
  for (std::size_t i = 0;; ++i) {
    const bool end = i == sentence.size() || sentence[i] == '*';
    if (end || sentence[i] == ',') {
      m_starts[static_cast<std::size_t>(m_count)] = start;
      m_ends[static_cast<std::size_t>(m_count)] = i;
      ++m_count;
      if (end || m_count == kCapacity) return;
      start = i + 1;
    }
  }
}

}  // namespace trackmint
