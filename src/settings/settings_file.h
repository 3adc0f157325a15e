#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_holder.h"
#include "settings/stored_settings.h"

namespace trackmint {

// The settings file beside the program: the executable's path with the extension ".ini".
std::string SettingsPathBesideProgram(const std::string& executable_path);
// The user's settings file: $XDG_CONFIG_HOME/kelvra-trackmint/trackmint.ini, or under
// ~/.config when the variable is unset (or not an absolute path).
std::string UserSettingsPath();
// The settings file used when none is named: the one beside the program when it is there and
// writable (a copy run from its own folder), otherwise the user's.
std::string DefaultSettingsPath(const std::string& executable_path);

// Where a save with path writes: an empty path is the default settings file; any other is taken
// from the current directory unless absolute, and a bare name without extension gets ".ini".
std::string SaveSettingsPath(const std::string& path, const std::string& executable_path);

// Sets every stored setting of the holder from the file at path (used as it is), or from the
// defaults when no file is there (missing, or a directory), sets the states that depend on them
// and takes the snapshot in loaded, against which the close decides whether to ask about saving.
// The file is read once. A key that is missing, or a number that is not one, leaves its setting as
// the holder had it; a date that is no calendar date gives the default date. An arrow interval or
// a bound of the time window that cannot stand gives its default too, and a warning naming the
// file, the key and the value: the warnings are returned for the front end to show.
std::vector<std::string> LoadSettings(const std::string& path, SettingsHolder& holder,
                                      SettingValues& loaded);

// The same load from the text of a settings file; its warnings name no file.
std::vector<std::string> LoadSettingsText(std::string_view content, SettingsHolder& holder,
                                          SettingValues& loaded);

// Writes the stored settings of the holder into the file that SaveSettingsPath gives, one
// key at a time; the folder of the user's settings file is made when missing. Throws
// TrackmintError("Can't write the settings file <file>: <reason>") at the first key that cannot
// be written; the keys before it stay written. The snapshot is not touched.
void SaveSettings(const std::string& path, const SettingsHolder& holder,
                  const std::string& executable_path);

}  // namespace trackmint
