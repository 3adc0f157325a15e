#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace trackmint {

// A complete sentence as the assembler hands it on: from "$" to the second checksum digit,
// terminated. The length is kept because a sentence may carry NUL bytes of a damaged log.
struct SentenceText {
  static constexpr int kCapacity = 100;
  std::array<char, kCapacity + 1> chars{};
  int length = 0;

  std::string_view View() const { return {chars.data(), static_cast<std::size_t>(length)}; }
};

// The sentence assembler: raw log bytes in, sentences with a right checksum out. It also splits
// a sentence into its comma-separated fields for the GGA and RMC parsers.
class NMEA {
 public:
  static constexpr int kSentenceCapacity = SentenceText::kCapacity;
  static constexpr int kFieldCount = 20;
  static constexpr int kFieldCapacity = 20;  // 19 characters and the terminator

  // What PutByte says about the byte it was given.
  static constexpr int kNothingYet = 0;
  static constexpr int kSentenceReady = 1;
  static constexpr int kChecksumWrong = -1;

  NMEA() { Reset(); }
  // The assembler is meant as a base: one with a receiver's own framing may build on it and is
  // then destroyed whole through this class. A table pointer in the one assembler of the
  // process costs nothing.
  virtual ~NMEA() = default;

  void Reset();

  // Takes one byte of the log. Returns kSentenceReady when this byte completed a sentence whose
  // checksum is right (destination then holds it), kChecksumWrong when it completed one whose
  // checksum is wrong (destination untouched), kNothingYet otherwise.
  int PutByte(unsigned char byte, SentenceText& destination);

  // Gives a block of bytes to the assembler with exactly the effect of PutByte on each byte in
  // turn, and calls on_sentence(destination) for each sentence with a right checksum. This is
  // the input phase's path: it skips to "$" between sentences and takes the body in one loop.
  template <typename OnSentence>
  void PutBlock(const unsigned char* bytes, std::size_t count, SentenceText& destination,
                OnSentence&& on_sentence);

  // Fills the field table from a sentence: field 0 is the address with its "$", the checksum
  // digits are no field. A field is cut at 19 characters, fields past the 20th are ignored.
  void SplitFields(std::string_view sentence);

  int FieldCount() const { return m_field_count; }
  // The field's text; empty for a field past the last one split.
  std::string_view Field(int index) const;

 private:
  enum class State {
    Idle,   // waiting for "$"
    Body,   // taking the address and data fields, summing the checksum
    Star,   // "*" taken, waiting for the first checksum digit
    Digit,  // first digit taken, waiting for the second
  };

  int CompleteSentence(SentenceText& destination);
  void Take(unsigned char byte) {
    m_sentence[static_cast<std::size_t>(m_length++)] = static_cast<char>(byte);
  }

  // Only the first m_field_count fields are ever read.
  std::array<std::array<char, kFieldCapacity>, kFieldCount> m_fields;
  std::array<std::uint8_t, kFieldCount> m_field_lengths;
  int m_field_count = 0;
  std::array<char, kSentenceCapacity> m_sentence;  // the first m_length characters
  int m_length = 0;
  State m_state = State::Idle;
  std::uint8_t m_checksum = 0;
  std::array<char, 2> m_received_checksum{};
};

inline void NMEA::Reset() {
  m_length = 0;
  m_state = State::Idle;
  m_checksum = 0;
  m_received_checksum = {};
}

// Called for every byte of the log, so it stays inline and allocates nothing. A byte that would
// be the 101st character of a sentence drops the sentence; "$" in the body restarts it.
inline int NMEA::PutByte(unsigned char byte, SentenceText& destination) {
  switch (m_state) {
    case State::Idle:
      if (byte == '$') {
        Take(byte);
        m_state = State::Body;
      }
      return kNothingYet;
    case State::Body:
      if (byte == '$') {
        Reset();
        Take(byte);
        m_state = State::Body;
        return kNothingYet;
      }
      if (m_length == kSentenceCapacity) break;
      Take(byte);
      if (byte == '*') {
        m_state = State::Star;
      } else {
        m_checksum ^= byte;
      }
      return kNothingYet;
    case State::Star:
      if (byte == '$' || byte == '*') return kNothingYet;
      if (m_length == kSentenceCapacity) break;
      Take(byte);
      m_received_checksum[0] = static_cast<char>(byte);
      m_state = State::Digit;
      return kNothingYet;
    case State::Digit:
      if (byte == '$' || byte == '*') return kNothingYet;
      if (m_length == kSentenceCapacity) break;
      Take(byte);
      m_received_checksum[1] = static_cast<char>(byte);
      return CompleteSentence(destination);
  }
  Reset();  // the sentence outgrew the buffer
  return kNothingYet;
}

template <typename OnSentence>
void NMEA::PutBlock(const unsigned char* bytes, std::size_t count, SentenceText& destination,
                    OnSentence&& on_sentence) {
  std::size_t i = 0;
  while (i < count) {
    if (m_state == State::Idle) {
      // Between sentences there is mostly just a line end: look at a few bytes before searching.
      const std::size_t near_end = std::min(count, i + 4);
      while (i < near_end && bytes[i] != '$') ++i;
      if (i == count) return;
      if (bytes[i] != '$') {
        const void* dollar = std::memchr(bytes + i, '$', count - i);
        if (dollar == nullptr) return;
        i = static_cast<std::size_t>(static_cast<const unsigned char*>(dollar) - bytes);
      }
    } else if (m_state == State::Body) {
      // Ordinary body bytes while there is room; "$", "*" and a full buffer go to PutByte.
      std::size_t room = static_cast<std::size_t>(kSentenceCapacity - m_length);
      std::uint8_t checksum = m_checksum;
      char* out = m_sentence.data() + m_length;
      const std::size_t start = i;
      for (; i < count && room > 0; ++i, --room) {
        const unsigned char byte = bytes[i];
        if (byte == '$' || byte == '*') break;
        *out++ = static_cast<char>(byte);
        checksum ^= byte;
      }
      m_length += static_cast<int>(i - start);
      m_checksum = checksum;
      if (i == count) return;
    }
    if (PutByte(bytes[i], destination) == kSentenceReady) on_sentence(destination);
    ++i;
  }
}

}  // namespace trackmint
