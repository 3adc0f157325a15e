#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trackmint {

// The rules of the settings file's INI text, apart from any file: finding one key of one section
// and setting it in place. Section and key names match without regard to letter case (ASCII).
// Lines end with LF or CR LF when read; lines written here end with CR LF.

// The longest value a read gives; the rest of a longer value is cut off.
inline constexpr std::size_t kIniValueLimit = 2047;

// The value of key in section, blanks around it removed and cut to kIniValueLimit characters;
// nothing when the section or the key is missing.
std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key);

// content with key in section set to value: a key's line is replaced where it stands, a missing
// key goes after the last key line of its section, a missing section goes to the end. Every
// other byte is kept. section, key and value must fit on one line (IsIniLineSafe).
std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);

// Whether a text can stand in a line of the file without breaking it into two.
bool IsIniLineSafe(std::string_view text);

// The integer that a value holds: decimal with an optional sign in the 32-bit range, or
// hexadecimal of up to 32 bits with the prefix "$", "0x" or "0X" (taken as the 32-bit pattern,
// so "$FFFFFFFF" is -1). Nothing when the whole value is not such a number.
std::optional<std::int32_t> IniIntegerValue(std::string_view value);

// The decimal text of an integer as the file holds it, whatever the process locale.
std::string IniIntegerText(std::int64_t value);

}  // namespace trackmint
