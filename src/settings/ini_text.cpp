#include "settings/ini_text.h"

#include <array>
#include <charconv>
#include <limits>

#include "settings/text_case.h"

namespace trackmint {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Editors may put a UTF-8 byte order mark before the first line; it is kept, but not read as part
// of that line's text.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// One line of the content: its text runs from begin to text_end (without the line break), the
// line with its break runs to end. The last line may have no break (text_end == end).
struct Line {
  std::size_t begin = 0;
  std::size_t text_end = 0;
  std::size_t end = 0;
};

Line LineAt(std::string_view content, std::size_t begin) {
  if (begin == 0 && content.starts_with(kByteOrderMark)) begin = kByteOrderMark.size();
  const std::size_t newline = content.find('\n', begin);
  Line line;
  line.begin = begin;
  if (newline == std::string_view::npos) {
    line.text_end = line.end = content.size();
  } else {
    line.end = newline + 1;
    line.text_end = newline > begin && content[newline - 1] == '\r' ? newline - 1 : newline;
  }
  return line;
}

enum class LineKind { Other, Section, Key };

// What one line is: a section header "[name]", a key line "key=value", or anything else (blank
// lines, comments starting with ";" or "#", text without "="), which is never read and always kept.
struct LineMeaning {
  LineKind kind = LineKind::Other;
  std::string_view name;        // the section's or the key's name, trimmed
  std::size_t value_begin = 0;  // for a key: offset in the line's text just after the "="
};

LineMeaning Classify(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  LineMeaning meaning;
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return meaning;
  if (trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      meaning.kind = LineKind::Section;
      meaning.name = Trim(trimmed.substr(1, close - 1));
      return meaning;
    }
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return meaning;
  meaning.kind = LineKind::Key;
  meaning.name = Trim(text.substr(0, equals));
  meaning.value_begin = equals + 1;
  return meaning;
}

// Where a key stands: its line in the first section of that name that holds it, and the line
// after which a missing key joins the first section of that name (its last key line, or its
// header when it has no keys).
struct KeyPlace {
  std::optional<Line> key_line;
  std::size_t key_value_begin = 0;
  std::optional<Line> section_tail;
};

KeyPlace FindKey(std::string_view content, std::string_view section, std::string_view key) {
  KeyPlace place;
  bool in_section = false;
  bool in_first_section = false;
  for (std::size_t begin = 0; begin < content.size();) {
    const Line line = LineAt(content, begin);
    begin = line.end;
    const std::string_view text = content.substr(line.begin, line.text_end - line.begin);
    const LineMeaning meaning = Classify(text);
    if (meaning.kind == LineKind::Section) {
      in_section = SameTextIgnoringCase(meaning.name, section);
      in_first_section = in_section && !place.section_tail;
      if (in_first_section) place.section_tail = line;
    } else if (meaning.kind == LineKind::Key && in_section) {
      if (in_first_section) place.section_tail = line;
      if (SameTextIgnoringCase(meaning.name, key)) {
        place.key_line = line;
        place.key_value_begin = meaning.value_begin;
        return place;
      }
    }
  }
  return place;
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  line += kLineEnd;
  return line;
}

std::optional<std::int32_t> HexValue(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> SignedDecimalValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLimit) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key) {
  const KeyPlace place = FindKey(content, section, key);
  if (!place.key_line) return std::nullopt;
  const Line& line = *place.key_line;
  const std::string_view text = content.substr(line.begin, line.text_end - line.begin);
  const std::string_view value = Trim(text.substr(place.key_value_begin));
  return std::string(value.substr(0, kIniValueLimit));
}

std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
  const KeyPlace place = FindKey(content, section, key);
  std::string result;
  result.reserve(content.size() + section.size() + key.size() + value.size() + 8);
  if (place.key_line) {
    // Keep the line's own spelling of the key and the blanks after "="; only the value changes.
    const Line& line = *place.key_line;
    std::size_t value_begin = line.begin + place.key_value_begin;
    while (value_begin < line.text_end && IsBlank(content[value_begin])) ++value_begin;
    result.append(content.substr(0, value_begin));
    result.append(value);
    result.append(kLineEnd);
    result.append(content.substr(line.end));
  } else if (place.section_tail) {
    const Line& tail = *place.section_tail;
    result.append(content.substr(0, tail.end));
    if (tail.text_end == tail.end) result.append(kLineEnd);  // the file's last line had no break
    result.append(KeyLine(key, value));
    result.append(content.substr(tail.end));
  } else {
    result.append(content);
    if (!content.empty() && content.back() != '\n') result.append(kLineEnd);
    result += '[';
    result.append(section);
    result += ']';
    result.append(kLineEnd);
    result.append(KeyLine(key, value));
  }
  return result;
}

bool IsIniLineSafe(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

std::optional<std::int32_t> IniIntegerValue(std::string_view value) {
  if (value.starts_with('$')) return HexValue(value.substr(1));
  if (value.starts_with("0x") || value.starts_with("0X")) return HexValue(value.substr(2));
  return SignedDecimalValue(value);
}

std::string IniIntegerText(std::int64_t value) {
  std::array<char, 24> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)error;  // 24 characters hold every 64-bit integer
  return std::string(buffer.data(), end);
}

}  // namespace trackmint
