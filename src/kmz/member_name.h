#pragma once

#include <string>
#include <string_view>

namespace trackmint {

// A member's name as the archive stores it.
struct StoredName {
  std::string bytes;
  bool utf8 = false;  // general purpose flag bit 11
  bool operator==(const StoredName&) const = default;
};

// The MS-DOS code page that archive programs of the user's language expect in member names,
// from a locale name such as "ru_RU.UTF-8": CP866 for Cyrillic languages, CP852 for central
// European ones, CP850 for western European ones, CP437 for all others (English, "C", none).
std::string OemCodePageForLocale(std::string_view locale_name);
// The same for the locale of this process's environment (LC_ALL, LC_CTYPE, then LANG).
std::string OemCodePageFromEnvironment();

// File names here are UTF-8. ASCII stays as it is; other names are converted to the code page,
// or kept in UTF-8 with bit 11 set when the code page has no letter for them. Bytes that are not
// UTF-8 at all are kept as they are.
StoredName EncodeMemberName(std::string_view file_name, const std::string& code_page);

}  // namespace trackmint
