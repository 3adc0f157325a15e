#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trackmint {

// The settings file service: one key of one section read or written at a time, with the rules of
// ini_text.h.

// The whole text of the file at path, read at once; nothing when it is missing or cannot be read.
// Only a regular file is read: anything else (a directory, a device, a pipe) reads as empty.
std::optional<std::string> ReadIniFile(const std::string& path);

// The value of key in section of the file at path; nothing when the file, the section or the key
// is missing or the file cannot be read (ReadIniFile).
std::optional<std::string> ReadIniString(const std::string& path, std::string_view section,
                                         std::string_view key);

// Sets key in section of the file at path to value, creating the file when it is missing. The new
// content goes to a temporary file beside the target, which then replaces it in one rename, so a
// failure leaves the old file untouched. Throws TrackmintError("Can't write the settings file
// <path>: <reason>") when the write cannot be done, also when the target is not a regular file or
// a text would break the line.
void WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace trackmint
