#include "settings/settings_file.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "base/paths.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"

namespace trackmint {
namespace {

constexpr std::string_view kSettingsExtension = ".ini";

bool IsSettingsFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Each read falls back to the control's current value, so what the file lacks stays as it is.
bool ReadBoolean(const std::string& path, std::string_view key, bool current) {
  const std::optional<std::int32_t> value = ReadIniInteger(path, kSettingsSection, key);
  return value ? *value != 0 : current;
}

WindowColour ReadColour(const std::string& path, std::string_view key, WindowColour current) {
  const std::optional<std::int32_t> value = ReadIniInteger(path, kSettingsSection, key);
  return value ? static_cast<WindowColour>(*value) : current;
}

int ReadPosition(const std::string& path, std::string_view key, int current) {
  const std::optional<std::int32_t> value = ReadIniInteger(path, kSettingsSection, key);
  return value ? *value : current;
}

std::string ReadText(const std::string& path, std::string_view key, const std::string& current) {
  std::optional<std::string> value = ReadIniString(path, kSettingsSection, key);
  return value ? std::move(*value) : current;
}

void LoadFromFile(const std::string& path, SettingsControls& controls, LoadedSettings& loaded) {
  controls.SetCheckBox1(ReadBoolean(path, kKeyCheckBox1, controls.CheckBox1()));
  loaded.check_box1 = controls.CheckBox1();
  controls.SetMaskEdit1(ReadText(path, kKeyMaskEdit1, controls.MaskEdit1()));
  loaded.mask_edit1 = controls.MaskEdit1();
  controls.SetMaskEdit1Enabled(controls.CheckBox1());

  controls.SetShapeStyleTrack(ReadColour(path, kKeyShapeStyleTrack, controls.ShapeStyleTrack()));
  loaded.shape_style_track = controls.ShapeStyleTrack();
  controls.SetShapeFullTrack(ReadColour(path, kKeyShapeFullTrack, controls.ShapeFullTrack()));
  loaded.shape_full_track = controls.ShapeFullTrack();

  controls.SetEdit3(ReadText(path, kKeyEdit3, controls.Edit3()));
  loaded.edit3 = controls.Edit3();

  controls.SetCheckBox3(ReadBoolean(path, kKeyCheckBox3, controls.CheckBox3()));
  loaded.check_box3 = controls.CheckBox3();
  controls.SetCheckBox4(ReadBoolean(path, kKeyCheckBox4, controls.CheckBox4()));
  loaded.check_box4 = controls.CheckBox4();
  controls.SetCheckBox2(ReadBoolean(path, kKeyCheckBox2, controls.CheckBox2()));
  loaded.check_box2 = controls.CheckBox2();

  controls.SetEdit4(ReadText(path, kKeyEdit4, controls.Edit4()));
  loaded.edit4 = controls.Edit4();

  controls.UpdateTrackColorEnabled();

  controls.SetLeft(ReadPosition(path, kKeyLeft, controls.Left()));
  controls.SetTop(ReadPosition(path, kKeyTop, controls.Top()));
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

std::string DefaultSettingsPath(const std::string& executable_path) {
  return ChangeExtension(executable_path, kSettingsExtension);
}

std::string SaveSettingsPath(const std::string& path, const std::string& executable_path) {
  if (path.empty()) return DefaultSettingsPath(executable_path);
  if (!DirectoryPart(path).empty()) return path;
  std::string file = DirectoryPart(executable_path) + path;
  if (ExtensionPart(file).empty()) file += kSettingsExtension;
  return file;
}

void LoadSettings(const std::string& path, SettingsControls& controls, LoadedSettings& loaded) {
  if (IsSettingsFile(path)) {
    LoadFromFile(path, controls, loaded);
  } else {
    LoadDefaults(controls, loaded);
  }
}

void SaveSettings(const std::string& path, const SettingsControls& controls,
                  const std::string& executable_path) {
  const std::string file = SaveSettingsPath(path, executable_path);
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
