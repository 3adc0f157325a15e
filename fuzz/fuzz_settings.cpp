// Arbitrary bytes as a settings file. Such files travel between users, so whatever one holds must
// load without harm, set the controls as the INI rules read it, and a change of one key must keep
// the rest of the file.
//
// The input is the file's text up to the first NUL byte. After it may come a key and, after a
// second NUL, a value, which SetIniValue then puts into the [Settings] section; without them one
// of the stored keys gets a date.
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "base/calendar_date.h"
#include "settings/ini_text.h"
#include "settings/plain_settings.h"
#include "settings/settings_file.h"
#include "settings/stored_settings.h"
#include "settings/text_case.h"

namespace {

using namespace trackmint;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The parts of one input: the file's text, and the change to make in it.
struct FuzzInput {
  std::string_view content;
  std::string_view key;
  std::string_view value;
};

FuzzInput SplitInput(std::string_view bytes) {
  FuzzInput input;
  const std::size_t end_of_content = bytes.find('\0');
  input.content = bytes.substr(0, end_of_content);
  if (end_of_content == std::string_view::npos) {
    input.key = kStoredSettings[bytes.size() % kStoredSettings.size()].key;
    input.value = "2024-02-29";
    return input;
  }
  const std::string_view rest = bytes.substr(end_of_content + 1);
  const std::size_t end_of_key = rest.find('\0');
  input.key = rest.substr(0, end_of_key);
  input.value = end_of_key == std::string_view::npos ? "" : rest.substr(end_of_key + 1);
  return input;
}

std::optional<std::string> SettingsValue(std::string_view content, std::string_view key) {
  return FindIniValue(content, kSettingsSection, key);
}

// The integer rule worked out with std::from_chars, apart from the reader's own digit loop:
// decimal with an optional sign in the 32-bit range, or up to 32 bits of hexadecimal after "$",
// "0x" or "0X", taken as the bit pattern.
std::optional<std::int32_t> ExpectedInteger(std::string_view text) {
  int base = 10;
  bool negative = false;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.starts_with('+') || text.starts_with('-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Unsigned parsing takes no sign, so a second one is refused.
  std::uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (base == 16) {
    if (magnitude > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
  }
  constexpr std::uint64_t kLargestMagnitude = std::uint64_t{1} << 31;
  if (magnitude > kLargestMagnitude) return std::nullopt;
  const std::int64_t value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// A "yyyy-mm-dd" date checked by the standard library's calendar.
bool IsExpectedCalendarDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const auto number = [text](std::size_t begin, std::size_t size) -> std::optional<unsigned> {
    unsigned value = 0;
    const char* first = text.data() + begin;
    const auto [end, error] = std::from_chars(first, first + size, value);
    if (error != std::errc() || end != first + size) return std::nullopt;
    return value;
  };
  const std::optional<unsigned> year = number(0, 4);
  const std::optional<unsigned> month = number(5, 2);
  const std::optional<unsigned> day = number(8, 2);
  if (!year || !month || !day || *year < 1) return false;
  return std::chrono::year_month_day(std::chrono::year(static_cast<int>(*year)),
                                     std::chrono::month(*month), std::chrono::day(*day))
      .ok();
}

// The interval and the bounds by their shapes, worked out here apart from the reader: seconds up
// to 86400 with up to three decimals; hh:mm[:ss[.fff]], after a calendar date and "T" (and
// before an optional "Z") for a date-time.
bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsExpectedInterval(const std::string& text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = std::string_view(text).substr(0, point);
  if (!AllDigits(whole) || whole.size() > 9) return false;
  std::string decimals;
  if (point != std::string::npos) {
    decimals = text.substr(point + 1);
    if (!AllDigits(decimals) || decimals.size() > 3) return false;
  }
  decimals.resize(3, '0');
  return std::stoll(std::string(whole)) * 1000 + std::stoll(decimals) <= 86'400'000;
}

bool IsExpectedClock(std::string_view text) {
  const auto two = [&](std::size_t at, int most) {
    return at + 2 <= text.size() && AllDigits(text.substr(at, 2)) &&
           (text[at] - '0') * 10 + (text[at + 1] - '0') <= most;
  };
  if (!two(0, 23) || text.size() < 5 || text[2] != ':' || !two(3, 59)) return false;
  if (text.size() == 5) return true;
  if (text[5] != ':' || !two(6, 60)) return false;
  if (text.size() == 8) return true;
  return text[8] == '.' && text.size() >= 10 && text.size() <= 12 && AllDigits(text.substr(9));
}

bool IsExpectedBound(const std::string& text) {
  const std::size_t t = text.find('T');
  if (t == std::string::npos) return IsExpectedClock(text);
  std::string_view clock = std::string_view(text).substr(t + 1);
  if (clock.ends_with('Z')) clock.remove_suffix(1);
  return IsExpectedCalendarDate(text.substr(0, t)) && IsExpectedClock(clock);
}

// The load from text: each control as the file's [Settings] section says, or as it was (the
// design value of a fresh PlainSettings) where the key is missing or not a number; the
// snapshot equals the controls; the states that depend on them follow.
void CheckLoad(std::string_view content) {
  PlainSettings controls;
  SettingValues loaded;
  LoadSettingsText(content, controls, loaded);
  const SettingValues design;
  const SettingValues values = controls.Values();

  const auto boolean = [content](std::string_view key, bool design_value) {
    const std::optional<std::string> text = SettingsValue(content, key);
    const std::optional<std::int32_t> value = text ? ExpectedInteger(*text) : std::nullopt;
    return value ? *value != 0 : design_value;
  };
  const auto integer = [content](std::string_view key, std::int64_t design_value) {
    const std::optional<std::string> text = SettingsValue(content, key);
    const std::optional<std::int32_t> value = text ? ExpectedInteger(*text) : std::nullopt;
    return value ? *value : design_value;
  };
  const auto text = [content](std::string_view key, const std::string& design_value) {
    return SettingsValue(content, key).value_or(design_value);
  };

  Check(values.use_fixed_date == boolean("CheckBox1", design.use_fixed_date));
  Check(values.use_all_waypoints == boolean("CheckBox2", design.use_all_waypoints));
  Check(values.show_height == boolean("CheckBox3", design.show_height));
  Check(values.start_at_first_fix == boolean("CheckBox4", design.start_at_first_fix));
  Check(values.hidden_colour ==
        static_cast<WindowColour>(integer("ShapeStyleTrack", design.hidden_colour)));
  Check(values.track_colour ==
        static_cast<WindowColour>(integer("ShapeFullTrack", design.track_colour)));
  Check(values.window_left == integer("Left", design.window_left));
  Check(values.window_top == integer("Top", design.window_top));
  Check(values.track_width_text == text("Edit3", design.track_width_text));
  Check(values.icon_scale_text == text("Edit4", design.icon_scale_text));

  // A date that is no day of the calendar would stamp every placemark: it gives the default.
  const std::optional<std::string> date = SettingsValue(content, "MaskEdit1");
  if (date) {
    Check(IsCalendarDate(*date) == IsExpectedCalendarDate(*date));
    Check(IsExpectedCalendarDate(values.fixed_date_text));
    Check(values.fixed_date_text == (IsExpectedCalendarDate(*date) ? *date : "2000-01-01"));
  } else {
    Check(values.fixed_date_text == design.fixed_date_text);
  }

  // An interval or a bound that cannot stand gives its default.
  const auto checked = [content](std::string_view key, bool (*usable)(const std::string&),
                                 const std::string& held, const std::string& fallback) {
    const std::optional<std::string> value = SettingsValue(content, key);
    if (!value) return held;
    return usable(*value) ? *value : fallback;
  };
  Check(values.arrow_interval_text ==
        checked("ArrowInterval", IsExpectedInterval, design.arrow_interval_text, "0"));
  const auto bound_or_empty = [](const std::string& bound) {
    return bound.empty() || IsExpectedBound(bound);
  };
  Check(values.from_time_text == checked("FromTime", bound_or_empty, design.from_time_text, ""));
  Check(values.to_time_text == checked("ToTime", bound_or_empty, design.to_time_text, ""));

  // The snapshot is what the controls hold, and the states that depend on them follow.
  Check(loaded == values);
  Check(controls.FixedDateEnabled() == values.use_fixed_date);
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

// A key that a line "key=value" can carry and give back: on one line, without "=" and without
// blanks around it, and not read as a comment or a section header.
bool IsPlainKey(std::string_view key) {
  return !key.empty() && IsIniLineSafe(key) && key.find('=') == std::string_view::npos &&
         !IsSpace(key.front()) && !IsSpace(key.back()) && key.front() != ';' &&
         key.front() != '#' && key.front() != '[';
}

// Whether after is before with the rest of one line replaced or lines put in: between the
// longest common beginning and the longest common end of the two texts, before keeps no line
// break but the one that may end the replaced line.
bool KeepsAllButOneLine(std::string_view before, std::string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
  const std::size_t line_break = removed.find('\n');
  return line_break == std::string_view::npos || line_break + 1 == removed.size();
}

// A change of one key reads back as set, keeps every other stored key's value and every byte
// outside its line.
void CheckChange(std::string_view content, std::string_view key, std::string_view value) {
  if (!IsPlainKey(key) || !IsIniLineSafe(value)) return;
  // Spaces and tabs around the value are blanks that a read removes; other control characters
  // at its ends are left out, as the rules do not say how a read takes them.
  std::string_view expected = value;
  while (!expected.empty() && (expected.front() == ' ' || expected.front() == '\t')) {
    expected.remove_prefix(1);
  }
  while (!expected.empty() && (expected.back() == ' ' || expected.back() == '\t')) {
    expected.remove_suffix(1);
  }
  if (!expected.empty() && (IsSpace(expected.front()) || IsSpace(expected.back()))) return;
  expected = expected.substr(0, kIniValueLimit);

  const std::string changed = SetIniValue(content, kSettingsSection, key, value);
  Check(SettingsValue(changed, key) == std::string(expected));
  Check(KeepsAllButOneLine(content, changed));
  for (const StoredSetting& other : kStoredSettings) {
    if (!SameTextIgnoringCase(other.key, key)) {
      Check(SettingsValue(changed, other.key) == SettingsValue(content, other.key));
    }
  }
  CheckLoad(changed);
}

// Every integer the file can hold reads back: the decimal text that a save writes, and the
// hexadecimal forms of its 32-bit pattern. Outside the 32-bit range the decimal text is no number.
void CheckIntegerTexts(std::string_view bytes) {
  std::uint64_t pattern = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(bytes.size(), 8); ++i) {
    pattern = pattern << 8 | static_cast<unsigned char>(bytes[bytes.size() - 1 - i]);
  }
  const auto wide = static_cast<std::int64_t>(pattern);
  const bool fits = wide >= std::numeric_limits<std::int32_t>::min() &&
                    wide <= std::numeric_limits<std::int32_t>::max();
  const std::optional<std::int32_t> read = IniIntegerValue(IniIntegerText(wide));
  Check(fits ? read == static_cast<std::int32_t>(wide) : !read);

  const auto bits = static_cast<std::uint32_t>(pattern);
  std::array<char, 8> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), bits, 16).ptr;
  const std::string hex(digits.data(), end);
  for (const std::string_view prefix : {"$", "0x", "0X"}) {
    Check(IniIntegerValue(std::string(prefix) + hex) == static_cast<std::int32_t>(bits));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const FuzzInput input = SplitInput(bytes);

  for (const StoredSetting& setting : kStoredSettings) {
    if (const std::optional<std::string> value = SettingsValue(input.content, setting.key)) {
      Check(value->size() <= kIniValueLimit);
      Check(IniIntegerValue(*value) == ExpectedInteger(*value));
    }
  }
  Check(IniIntegerValue(input.value) == ExpectedInteger(input.value));

  CheckLoad(input.content);
  CheckChange(input.content, input.key, input.value);
  CheckIntegerTexts(bytes);
  return 0;
}
