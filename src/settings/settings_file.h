#pragma once

#include <string>

#include "settings/settings_controls.h"
#include "settings/stored_settings.h"

namespace trackmint {

// The settings file beside the program: the executable's path with the extension ".ini".
std::string DefaultSettingsPath(const std::string& executable_path);

// Where a save with path writes: an empty path is the default settings file; a bare name goes
// into the executable's directory, with ".ini" when it has no extension; a path with a directory
// stands as it is (a relative one is taken from the current directory).
std::string SaveSettingsPath(const std::string& path, const std::string& executable_path);

// Sets every stored setting of controls from the file at path (used as it is), or from the
// defaults when no file is there (missing, or a directory), sets the states that depend on them
// and takes the snapshot in loaded. A key that is missing, or a number that is not one, leaves
// its control as it was. Reports nothing.
void LoadSettings(const std::string& path, SettingsControls& controls, LoadedSettings& loaded);

// Writes the eleven stored settings from controls into the file that SaveSettingsPath gives, one
// key at a time. Throws TrackmintError("Unable to write to <file>") at the first key that cannot
// be written; the keys before it stay written. The snapshot is not touched.
void SaveSettings(const std::string& path, const SettingsControls& controls,
                  const std::string& executable_path);

}  // namespace trackmint
