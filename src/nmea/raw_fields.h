#pragma once

#include <array>
#include <string_view>

namespace trackmint {

// The comma-separated fields of a sentence's raw text, up to its "*" (or its end), with no limit
// on a field's length; the GSA, GSV and RMS parsers read sentences this way. A field past the
// last one is empty, so no parser can read beyond the "*".
class RawFields {
 public:
  static constexpr int kCapacity = 128;  // a 100-character sentence has at most 51 fields

  explicit RawFields(std::string_view sentence);

  int Count() const { return m_count; }
  std::string_view operator[](int index) const {
    return index >= 0 && index < m_count ? m_fields[static_cast<std::size_t>(index)] : std::string_view();
  }
  bool IsLast(int index) const { return index == m_count - 1; }

 private:
  std::array<std::string_view, kCapacity> m_fields;
  int m_count = 0;
};

inline RawFields::RawFields(std::string_view sentence) {
  const auto star = sentence.find('*');
  if (star != std::string_view::npos) sentence = sentence.substr(0, star);
  std::size_t start = 0;
  while (m_count < kCapacity) {
    const auto comma = sentence.find(',', start);
    m_fields[static_cast<std::size_t>(m_count++)] = sentence.substr(start, comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

}  // namespace trackmint
