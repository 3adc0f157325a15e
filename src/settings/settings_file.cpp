#include "settings/settings_file.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "base/calendar_date.h"
#include "base/paths.h"
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

// The settings file's text, read once; each read below looks a key up in it and falls back to the
// control's current value, so what the file lacks stays as it is.
class SettingsText {
 public:
  explicit SettingsText(std::string_view content) : m_content(content) {}

  std::optional<std::string> Text(std::string_view key) const {
    return FindIniValue(m_content, kSettingsSection, key);
  }
  std::optional<std::int32_t> Integer(std::string_view key) const {
    const std::optional<std::string> value = Text(key);
    return value ? IniIntegerValue(*value) : std::nullopt;
  }

  bool Boolean(std::string_view key, bool current) const {
    const std::optional<std::int32_t> value = Integer(key);
    return value ? *value != 0 : current;
  }
  WindowColour Colour(std::string_view key, WindowColour current) const {
    const std::optional<std::int32_t> value = Integer(key);
    return value ? static_cast<WindowColour>(*value) : current;
  }
  int Position(std::string_view key, int current) const {
    const std::optional<std::int32_t> value = Integer(key);
    return value ? *value : current;
  }
  std::string String(std::string_view key, const std::string& current) const {
    std::optional<std::string> value = Text(key);
    return value ? std::move(*value) : current;
  }
  // A date that is no real day of the calendar would end up in every time stamp; the default
  // stands in for it.
  std::string Date(std::string_view key, const std::string& current) const {
    const std::optional<std::string> value = Text(key);
    if (!value) return current;
    return IsCalendarDate(*value) ? *value : std::string(kDefaultMaskEdit1);
  }

 private:
  std::string_view m_content;
};

void LoadFromText(const SettingsText& file, SettingsControls& controls, LoadedSettings& loaded) {
  controls.SetCheckBox1(file.Boolean(kKeyCheckBox1, controls.CheckBox1()));
  loaded.check_box1 = controls.CheckBox1();
  controls.SetMaskEdit1(file.Date(kKeyMaskEdit1, controls.MaskEdit1()));
  loaded.mask_edit1 = controls.MaskEdit1();
  controls.SetMaskEdit1Enabled(controls.CheckBox1());

  controls.SetShapeStyleTrack(file.Colour(kKeyShapeStyleTrack, controls.ShapeStyleTrack()));
  loaded.shape_style_track = controls.ShapeStyleTrack();
  controls.SetShapeFullTrack(file.Colour(kKeyShapeFullTrack, controls.ShapeFullTrack()));
  loaded.shape_full_track = controls.ShapeFullTrack();

  controls.SetEdit3(file.String(kKeyEdit3, controls.Edit3()));
  loaded.edit3 = controls.Edit3();

  controls.SetCheckBox3(file.Boolean(kKeyCheckBox3, controls.CheckBox3()));
  loaded.check_box3 = controls.CheckBox3();
  controls.SetCheckBox4(file.Boolean(kKeyCheckBox4, controls.CheckBox4()));
  loaded.check_box4 = controls.CheckBox4();
  controls.SetCheckBox2(file.Boolean(kKeyCheckBox2, controls.CheckBox2()));
  loaded.check_box2 = controls.CheckBox2();

  controls.SetEdit4(file.String(kKeyEdit4, controls.Edit4()));
  loaded.edit4 = controls.Edit4();

  controls.UpdateTrackColorEnabled();

  controls.SetLeft(file.Position(kKeyLeft, controls.Left()));
  controls.SetTop(file.Position(kKeyTop, controls.Top()));
}

// Track colour and its label change their enabled state here only through the click of
// CheckBox2, when unchecking it changes it; the window position stays where it is.
void LoadDefaults(SettingsControls& controls, LoadedSettings& loaded) {
  controls.SetCheckBox1(kDefaultCheckBox1);
  loaded.check_box1 = controls.CheckBox1();
  controls.SetMaskEdit1(std::string(kDefaultMaskEdit1));
  loaded.mask_edit1 = controls.MaskEdit1();
  controls.SetMaskEdit1Enabled(true);

  controls.SetShapeStyleTrack(kDefaultShapeStyleTrack);
  loaded.shape_style_track = controls.ShapeStyleTrack();
  controls.SetShapeFullTrack(kDefaultShapeFullTrack);
  loaded.shape_full_track = controls.ShapeFullTrack();

  controls.SetEdit3(std::string(kDefaultEdit3));
  loaded.edit3 = controls.Edit3();

  controls.SetCheckBox3(kDefaultCheckBox3);
  loaded.check_box3 = controls.CheckBox3();
  controls.SetCheckBox4(kDefaultCheckBox4);
  loaded.check_box4 = controls.CheckBox4();
  controls.SetCheckBox2(kDefaultCheckBox2);
  loaded.check_box2 = controls.CheckBox2();

  controls.SetEdit4(std::string(kDefaultEdit4));
  loaded.edit4 = controls.Edit4();
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

std::string BooleanText(bool checked) {
  return checked ? "1" : "0";
}

// Colours are kept as the 32-bit pattern and written as the signed integer of that pattern, so
// every written number is in the range that a reader of the file takes as a number.
std::string ColourText(WindowColour colour) {
  return IniIntegerText(static_cast<std::int32_t>(colour));
}

void WriteSetting(const std::string& file, std::string_view key, const std::string& value) {
  WriteIniString(file, kSettingsSection, key, value);
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

void LoadSettings(const std::string& path, SettingsControls& controls, LoadedSettings& loaded) {
  if (IsSettingsFile(path)) {
    const std::string content = ReadIniFile(path).value_or(std::string());
    LoadFromText(SettingsText(content), controls, loaded);
  } else {
    LoadDefaults(controls, loaded);
  }
}

void LoadSettingsText(std::string_view content, SettingsControls& controls,
                      LoadedSettings& loaded) {
  LoadFromText(SettingsText(content), controls, loaded);
}

void SaveSettings(const std::string& path, const SettingsControls& controls,
                  const std::string& executable_path) {
  const std::string file = SaveSettingsPath(path, executable_path);
  // The user's settings folder is made the first time it is needed.
  if (path.empty()) MakeSettingsDirectory(file);
  WriteSetting(file, kKeyCheckBox1, BooleanText(controls.CheckBox1()));
  WriteSetting(file, kKeyMaskEdit1, controls.MaskEdit1());
  WriteSetting(file, kKeyShapeStyleTrack, ColourText(controls.ShapeStyleTrack()));
  WriteSetting(file, kKeyShapeFullTrack, ColourText(controls.ShapeFullTrack()));
  WriteSetting(file, kKeyEdit3, controls.Edit3());
  WriteSetting(file, kKeyCheckBox2, BooleanText(controls.CheckBox2()));
  WriteSetting(file, kKeyCheckBox4, BooleanText(controls.CheckBox4()));
  WriteSetting(file, kKeyCheckBox3, BooleanText(controls.CheckBox3()));
  WriteSetting(file, kKeyEdit4, controls.Edit4());
  WriteSetting(file, kKeyLeft, IniIntegerText(controls.Left()));
  WriteSetting(file, kKeyTop, IniIntegerText(controls.Top()));
}

}  // namespace trackmint
