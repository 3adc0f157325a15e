#include "settings/settings_file.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "base/calendar_date.h"
#include "base/paths.h"
#include "base/time_window.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"

namespace trackmint {
namespace {

constexpr std::string_view kSettingsExtension = ".ini";
constexpr std::string_view kUserSettingsFolder = "kelvra-trackmint";
constexpr std::string_view kUserSettingsName = "trackmint.ini";

bool IsSettingsFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Why a text cannot stand for a setting of a checked kind; nothing when it can.
std::optional<std::string> Unusable(const StoredSetting& setting, std::string_view text) {
  if (setting.kind == SettingKind::Interval && !ParseArrowInterval(text)) {
    return "is not a number of seconds from 0 to 86400 with at most three decimals";
  }
  if (setting.kind == SettingKind::TimeBound && !text.empty() && !ParseTimeBound(text)) {
    return "is not a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]]";
  }
  return std::nullopt;
}

// A setting's value as the file holds it, read into the member by the setting's kind. A
// boolean, colour or position that is no number leaves the member as it was; a text of a checked
// kind that cannot stand gives the default, and the warning that says so.
void ReadSetting(const StoredSetting& setting, std::string_view text, SettingValues& values,
                 std::vector<std::string>& warnings) {
  if (const std::optional<std::string> reason = Unusable(setting, text)) {
    const std::string default_text(setting.default_text);
    warnings.push_back(
        std::string(setting.key) + "=" + std::string(text) + " " + *reason + "; " +
        (default_text.empty() ? std::string("it is left empty") : "it is left at " + default_text));
    text = setting.default_text;
  }
  const std::optional<std::int32_t> number = IniIntegerValue(text);
  std::visit(
      [&](auto member) {
        using Member = decltype(member);
        if constexpr (std::is_same_v<Member, bool SettingValues::*>) {
          if (number) values.*member = *number != 0;
        } else if constexpr (std::is_same_v<Member, std::string SettingValues::*>) {
          // A date that is no real day of the calendar would end up in every time stamp.
          values.*member = setting.kind == SettingKind::Date && !IsCalendarDate(text)
                               ? std::string(kDefaultFixedDate)
                               : std::string(text);
        } else if constexpr (std::is_same_v<Member, WindowColour SettingValues::*>) {
          if (number) values.*member = static_cast<WindowColour>(*number);
        } else {
          if (number) values.*member = *number;
        }
      },
      setting.member);
}

// A setting's value in the file's text. Colours are kept as the 32-bit pattern and written as the
// signed integer of that pattern, so every written number is one a reader takes as a number.
std::string SettingText(const StoredSetting& setting, const SettingValues& values) {
  return std::visit(
      [&](auto member) -> std::string {
        using Member = decltype(member);
        if constexpr (std::is_same_v<Member, bool SettingValues::*>) {
          return values.*member ? "1" : "0";
        } else if constexpr (std::is_same_v<Member, std::string SettingValues::*>) {
          return values.*member;
        } else if constexpr (std::is_same_v<Member, WindowColour SettingValues::*>) {
          return IniIntegerText(static_cast<std::int32_t>(values.*member));
        } else {
          return IniIntegerText(values.*member);
        }
      },
      setting.member);
}

// Every setting the text holds replaces the held value; what the text lacks stays.
std::vector<std::string> LoadFromText(std::string_view content, SettingsHolder& holder,
                                      SettingValues& loaded) {
  std::vector<std::string> warnings;
  SettingValues values = holder.Values();
  for (const StoredSetting& setting : kStoredSettings) {
    if (const std::optional<std::string> text =
            FindIniValue(content, kSettingsSection, setting.key)) {
      ReadSetting(setting, *text, values, warnings);
    }
  }
  holder.SetValues(values);
  loaded = holder.Values();
  return warnings;
}

// Without a file every setting takes its default; the window stays where it is.
void LoadDefaults(SettingsHolder& holder, SettingValues& loaded) {
  std::vector<std::string> no_warnings;
  SettingValues values = holder.Values();
  for (const StoredSetting& setting : kStoredSettings) {
    if (setting.has_default) ReadSetting(setting, setting.default_text, values, no_warnings);
  }
  holder.SetValues(values);
  loaded = holder.Values();
}

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

// Makes the folders above the settings file that are missing, private to the user as the XDG
// layout asks. A folder that cannot be made shows up as the write's own error.
void MakeSettingsDirectory(const std::string& file) {
  std::string directory = DirectoryPart(file);
  for (std::size_t slash = directory.find('/', 1); slash != std::string::npos;
       slash = directory.find('/', slash + 1)) {
    ::mkdir(directory.substr(0, slash).c_str(), 0700);
  }
}

}  // namespace

std::string SettingsPathBesideProgram(const std::string& executable_path) {
  return ChangeExtension(executable_path, kSettingsExtension);
}

std::string UserSettingsPath() {
  // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  std::string directory;
  if (config_home != nullptr && IsAbsolutePath(config_home)) {
    directory = config_home;
  } else {
    directory = HomeDirectory() + "/.config";
  }
  if (!directory.ends_with('/')) directory += '/';
  return directory + std::string(kUserSettingsFolder) + "/" + std::string(kUserSettingsName);
}

std::string DefaultSettingsPath(const std::string& executable_path) {
  const std::string beside = SettingsPathBesideProgram(executable_path);
  struct stat info {};
  if (::stat(beside.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      ::access(beside.c_str(), W_OK) == 0) {
    return beside;
  }
  return UserSettingsPath();
}

std::string SaveSettingsPath(const std::string& path, const std::string& executable_path) {
  if (path.empty()) return DefaultSettingsPath(executable_path);
  std::string file = FullPath(path);
  if (DirectoryPart(path).empty() && ExtensionPart(file).empty()) file += kSettingsExtension;
  return file;
}

std::vector<std::string> LoadSettings(const std::string& path, SettingsHolder& holder,
                                      SettingValues& loaded) {
  if (!IsSettingsFile(path)) {
    LoadDefaults(holder, loaded);
    return {};
  }
  std::vector<std::string> warnings =
      LoadFromText(ReadIniFile(path).value_or(std::string()), holder, loaded);
  for (std::string& warning : warnings) warning = "the settings file " + path + ": " + warning;
  return warnings;
}

std::vector<std::string> LoadSettingsText(std::string_view content, SettingsHolder& holder,
                                          SettingValues& loaded) {
  return LoadFromText(content, holder, loaded);
}

void SaveSettings(const std::string& path, const SettingsHolder& holder,
                  const std::string& executable_path) {
  const std::string file = SaveSettingsPath(path, executable_path);
  // The user's settings folder is made the first time it is needed.
  if (path.empty()) MakeSettingsDirectory(file);
  const SettingValues values = holder.Values();
  for (const StoredSetting& setting : kStoredSettings) {
    WriteIniString(file, kSettingsSection, setting.key, SettingText(setting, values));
  }
}

}  // namespace trackmint
