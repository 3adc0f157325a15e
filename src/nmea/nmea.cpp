#include "nmea/nmea.h"

#include <algorithm>
#include <cstring>

namespace trackmint {
namespace {

// The value of one hexadecimal digit, either case; -1 for any other character. Receivers such
// as the Magellan EC-10X (magellan-ec10.log) write the checksum in lower case.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int NMEA::CompleteSentence(SentenceText& destination) {
  const int high = HexDigitValue(m_received_checksum[0]);
  const int low = HexDigitValue(m_received_checksum[1]);
  const bool right = high >= 0 && low >= 0 && (high << 4 | low) == m_checksum;
  if (right) {
    std::copy_n(m_sentence.begin(), m_length, destination.chars.begin());
    destination.chars[static_cast<std::size_t>(m_length)] = '\0';
    destination.length = m_length;
  }
  Reset();
  return right ? kSentenceReady : kChecksumWrong;
}

void NMEA::SplitFields(std::string_view sentence) {
  m_field_count = 0;
  std::size_t start = 0;
  for (std::size_t i = 0;; ++i) {
    const bool end = i == sentence.size() || sentence[i] == '*';
    if (end || sentence[i] == ',') {
      if (m_field_count < kFieldCount) {
        const auto length = std::min<std::size_t>(i - start, kFieldCapacity - 1);
        auto& field = m_fields[static_cast<std::size_t>(m_field_count)];
        std::memcpy(field.data(), sentence.data() + start, length);
        field[length] = '\0';
        m_field_lengths[static_cast<std::size_t>(m_field_count)] =
            static_cast<std::uint8_t>(length);
        ++m_field_count;
      }
      if (end) return;
      start = i + 1;
    }
  }
}

std::string_view NMEA::Field(int index) const {
  if (index < 0 || index >= m_field_count) return {};
  const auto i = static_cast<std::size_t>(index);
  return {m_fields[i].data(), m_field_lengths[i]};
}

}  // namespace trackmint
