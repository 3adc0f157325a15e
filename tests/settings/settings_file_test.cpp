#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "settings/plain_settings.h"
#include "settings/settings_change.h"
#include "support/fixtures.h"
#include "support/scoped_process_state.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::ReadWholeFile;
using testing::SameText;
using testing::ScopedEnvironment;
using testing::ScopedWorkingDirectory;
using testing::TempDirectory;
using testing::WriteWholeFile;

// Everything a load can change, so that one comparison shows every unintended change too.
struct ControlState {
  SettingValues values;
  bool fixed_date_enabled = false;

  bool operator==(const ControlState&) const = default;
};

void PrintTo(const ControlState& s, std::ostream* out) {
  const SettingValues& v = s.values;
  *out << "{CheckBox1 " << v.use_fixed_date << ", MaskEdit1 \"" << v.fixed_date_text.substr(0, 40)
       << "\" (" << v.fixed_date_text.size() << "), ShapeStyleTrack " << v.hidden_colour
       << ", ShapeFullTrack " << v.track_colour << ", Edit3 \"" << v.track_width_text
       << "\", CheckBox3 " << v.show_height << ", CheckBox4 " << v.start_at_first_fix
       << ", CheckBox2 " << v.use_all_waypoints << ", Edit4 \"" << v.icon_scale_text.substr(0, 40)
       << "\" (" << v.icon_scale_text.size() << "), Left " << v.window_left << ", Top "
       << v.window_top << ", MaskEdit1 enabled " << s.fixed_date_enabled << "}";
}

ControlState StateOf(const PlainSettings& c) {
  return {c.Values(), c.FixedDateEnabled()};
}

// Sets one stored setting of the controls, as a load sets it.
template <typename Value>
void Set(PlainSettings& controls, Value SettingValues::*member, Value value) {
  SettingValues values = controls.Values();
  values.*member = std::move(value);
  controls.SetValues(values);
}

// Controls whose every stored value differs from the design values and the defaults, so that a
// value a load keeps is told apart from one it sets.
PlainSettings CurrentControls() {
  PlainSettings c;
  Set(c, &SettingValues::use_fixed_date, false);  // its click disables the date field
  Set(c, &SettingValues::fixed_date_text, std::string("1999-12-31"));
  Set(c, &SettingValues::hidden_colour, WindowColour{1});
  Set(c, &SettingValues::track_colour, WindowColour{2});
  Set(c, &SettingValues::track_width_text, std::string("3"));
  Set(c, &SettingValues::show_height, true);
  Set(c, &SettingValues::start_at_first_fix, true);
  Set(c, &SettingValues::use_all_waypoints, true);  // its click keeps the track colour enabled
  Set(c, &SettingValues::icon_scale_text, std::string("0.8"));
  Set(c, &SettingValues::window_left, 10);
  Set(c, &SettingValues::window_top, 20);
  Set(c, &SettingValues::arrow_interval_text, std::string("2.5"));
  Set(c, &SettingValues::from_time_text, std::string("10:00"));
  Set(c, &SettingValues::to_time_text, std::string("2024-03-01T12:00:00Z"));
  return c;
}

// The file that a save of the defaults with the window at its design position creates.
const std::string kDefaultsFile =
    "[Settings]\r\n"
    "CheckBox1=1\r\n"
    "MaskEdit1=2000-01-01\r\n"
    "ShapeStyleTrack=255\r\n"
    "ShapeFullTrack=32768\r\n"
    "Edit3=5\r\n"
    "CheckBox2=0\r\n"
    "CheckBox4=0\r\n"
    "CheckBox3=0\r\n"
    "Edit4=0.5\r\n"
    "Left=1004\r\n"
    "Top=109\r\n"
    "ArrowInterval=0\r\n"
    "FromTime=\r\n"
    "ToTime=\r\n";

TEST(LoadSettings, FromAFileSetsWhatItHoldsAndKeepsTheRest) {
  const ControlState current = StateOf(CurrentControls());
  const std::string long_value(3000, 'd');
  struct Case {
    const char* legend;
    std::string content;
    std::function<void(ControlState&)> change;  // from the current state; enabled states follow
  };
  const std::vector<Case> cases = {
      {"empty file", "", [](ControlState&) {}},
      {"keys in another section only", "[Other]\r\nEdit3=7\r\nCheckBox1=1\r\n",
       [](ControlState&) {}},
      {"lower-case key", "[settings]\r\nedit3=7\r\n",
       [](ControlState& s) { s.values.track_width_text = "7"; }},
      {"$FF", "[Settings]\r\nShapeFullTrack=$FF\r\n",
       [](ControlState& s) { s.values.track_colour = 255; }},
      {"0xFF", "[Settings]\r\nShapeFullTrack=0xFF\r\n",
       [](ControlState& s) { s.values.track_colour = 255; }},
      {"negative colour is the 32-bit pattern", "[Settings]\r\nShapeStyleTrack=-2147483633\r\n",
       [](ControlState& s) { s.values.hidden_colour = 0x8000000Fu; }},
      {"yes is no number", "[Settings]\r\nCheckBox1=yes\r\n", [](ControlState&) {}},
      {"2 checks", "[Settings]\r\nCheckBox1=2\r\n",
       [](ControlState& s) { s.values.use_fixed_date = true; }},
      {"blanks around names and values",
       "[Settings]\r\n  Edit3 =  7  \r\n CheckBox3 = 0 \r\nLeft = -20 "
       "\r\n\tMaskEdit1\t=\t2001-02-03\t\r\n",
       [](ControlState& s) {
         s.values.track_width_text = "7";
         s.values.show_height = false;
         s.values.window_left = -20;
         s.values.fixed_date_text = "2001-02-03";
       }},
      {"empty texts are taken, but an empty date is no date",
       "[Settings]\r\nMaskEdit1=\r\nEdit4=\r\nEdit3=  \r\n",
       [](ControlState& s) {
         s.values.fixed_date_text = "2000-01-01";
         s.values.icon_scale_text = "";
         s.values.track_width_text = "";
       }},
      {"a month that does not exist gives the default date",
       "[Settings]\r\nMaskEdit1=2024-13-45\r\n",
       [](ControlState& s) { s.values.fixed_date_text = "2000-01-01"; }},
      {"29 February of a common year gives the default date",
       "[Settings]\r\nMaskEdit1=2023-02-29\r\n",
       [](ControlState& s) { s.values.fixed_date_text = "2000-01-01"; }},
      {"29 February of a leap year is kept", "[Settings]\r\nMaskEdit1=2024-02-29\r\n",
       [](ControlState& s) { s.values.fixed_date_text = "2024-02-29"; }},
      {"texts out of range are taken as they stand", "[Settings]\r\nEdit3=20\r\nEdit4=abc\r\n",
       [](ControlState& s) {
         s.values.track_width_text = "20";
         s.values.icon_scale_text = "abc";
       }},
      {"numbers that are none",
       "[Settings]\r\nShapeStyleTrack=12abc\r\nShapeFullTrack=\r\nCheckBox4=yes\r\n"
       "Top=99999999999\r\nLeft=1.5\r\nCheckBox2=-\r\n",
       [](ControlState&) {}},
      {"long value cut to 2047 characters", "[Settings]\r\nEdit4=" + long_value + "\r\n",
       [&](ControlState& s) { s.values.icon_scale_text = long_value.substr(0, 2047); }},
      {"LF line ends, every key",
       "[Settings]\nCheckBox1=1\nMaskEdit1=2001-02-03\nShapeStyleTrack=255\nShapeFullTrack=32768\n"
       "Edit3=9\nCheckBox2=0\nCheckBox4=0\nCheckBox3=0\nEdit4=0.3\nLeft=1\nTop=2\n",
       [](ControlState& s) {
         s.values = {.use_fixed_date = true,
                     .fixed_date_text = "2001-02-03",
                     .hidden_colour = 255,
                     .track_colour = 32768,
                     .track_width_text = "9",
                     .use_all_waypoints = false,
                     .start_at_first_fix = false,
                     .show_height = false,
                     .icon_scale_text = "0.3",
                     .window_left = 1,
                     .window_top = 2,
                     // Not in the file: kept.
                     .arrow_interval_text = "2.5",
                     .from_time_text = "10:00",
                     .to_time_text = "2024-03-01T12:00:00Z"};
       }},
      {"the time window and the arrow interval",
       "[Settings]\r\nArrowInterval=0.25\r\nFromTime=23:00\r\nToTime=\r\n",
       [](ControlState& s) {
         s.values.arrow_interval_text = "0.25";
         s.values.from_time_text = "23:00";
         s.values.to_time_text = "";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory directory;
    const std::string file = directory.File("my.ini");
    WriteWholeFile(file, c.content);
    PlainSettings controls = CurrentControls();
    SettingValues loaded;
    LoadSettings(file, controls, loaded);

    ControlState expected = current;
    c.change(expected);
    expected.fixed_date_enabled = expected.values.use_fixed_date;
    EXPECT_EQ(StateOf(controls), expected);
    EXPECT_EQ(loaded, expected.values);
  }
}

TEST(LoadSettings, WithoutAFileSetsTheDefaultsAndKeepsThePosition) {
  TempDirectory directory;
  for (const std::string& path : {directory.File("missing.ini"), directory.path(), std::string()}) {
    SCOPED_TRACE(path);
    PlainSettings controls = CurrentControls();
    SettingValues loaded;
    LoadSettings(path, controls, loaded);
    ControlState expected;
    expected.values = {.use_fixed_date = true,
                       .fixed_date_text = "2000-01-01",
                       .hidden_colour = 255,
                       .track_colour = 32768,
                       .track_width_text = "5",
                       .use_all_waypoints = false,
                       .start_at_first_fix = false,
                       .show_height = false,
                       .icon_scale_text = "0.5",
                       .window_left = 10,
                       .window_top = 20,
                       .arrow_interval_text = "0",
                       .from_time_text = "",
                       .to_time_text = ""};
    expected.fixed_date_enabled = true;
    EXPECT_EQ(StateOf(controls), expected);
    EXPECT_EQ(loaded, expected.values);
  }
}

// An arrow interval or a bound that cannot stand would thin or cut every later run: it is left
// at its default, whatever was held before, and the load says so, naming the file, the key and
// the value.
TEST(LoadSettings, AnIntervalOrABoundThatCannotStandGivesItsDefaultAndAWarning) {
  TempDirectory directory;
  const std::string file = directory.File("my.ini");
  struct Case {
    std::string line;
    std::string warning;  // after "the settings file FILE: "
  };
  const std::string seconds =
      " is not a number of seconds from 0 to 86400 with at most three decimals; it is left at 0";
  const std::string time =
      " is not a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]]; it is left "
      "empty";
  const std::vector<Case> cases = {
      {"ArrowInterval=abc", "ArrowInterval=abc" + seconds},
      {"ArrowInterval=-1", "ArrowInterval=-1" + seconds},
      {"ArrowInterval=0.1234", "ArrowInterval=0.1234" + seconds},
      {"ArrowInterval=86400.001", "ArrowInterval=86400.001" + seconds},
      {"ArrowInterval=", "ArrowInterval=" + seconds},
      {"FromTime=25:00", "FromTime=25:00" + time},
      {"FromTime=10:00Z", "FromTime=10:00Z" + time},
      {"ToTime=2024-02-30T10:00", "ToTime=2024-02-30T10:00" + time},
      {"ToTime=10:00:00.1234", "ToTime=10:00:00.1234" + time},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    WriteWholeFile(file, "[Settings]\r\n" + c.line + "\r\nEdit3=7\r\n");
    PlainSettings controls = CurrentControls();
    SettingValues loaded;
    const std::vector<std::string> warnings = LoadSettings(file, controls, loaded);
    EXPECT_EQ(warnings, std::vector<std::string>{"the settings file " + file + ": " + c.warning});
    SettingValues expected = CurrentControls().Values();
    expected.track_width_text = "7";
    if (c.line.starts_with("ArrowInterval")) expected.arrow_interval_text = "0";
    if (c.line.starts_with("FromTime")) expected.from_time_text = "";
    if (c.line.starts_with("ToTime")) expected.to_time_text = "";
    EXPECT_EQ(controls.Values(), expected);
  }
  // Values that can stand say nothing.
  WriteWholeFile(file,
                 "[Settings]\r\nArrowInterval=86400\r\nFromTime=2024-02-29T23:59:60.5Z\r\n"
                 "ToTime=00:00\r\n");
  PlainSettings controls;
  SettingValues loaded;
  EXPECT_TRUE(LoadSettings(file, controls, loaded).empty());
  EXPECT_EQ(controls.Values().from_time_text, "2024-02-29T23:59:60.5Z");
}

TEST(LoadSettings, TrackColourIsTheDesignValueWhenTheFileLacksItAndTheDefaultWithoutAFile) {
  TempDirectory directory;
  const std::string file = directory.File("my.ini");
  WriteWholeFile(file, "[Settings]\r\nEdit3=5\r\n");
  PlainSettings with_file;
  SettingValues loaded;
  LoadSettings(file, with_file, loaded);
  EXPECT_EQ(with_file.Values().track_colour, 255u);
  EXPECT_EQ(loaded.track_colour, 255u);

  PlainSettings without_file;
  LoadSettings(directory.File("missing.ini"), without_file, loaded);
  EXPECT_EQ(without_file.Values().track_colour, 32768u);
  EXPECT_EQ(loaded.track_colour, 32768u);
}

// The date field is enabled exactly when the last load left the fixed date in use.
TEST(LoadSettings, TheDateFieldFollowsTheLoadsFromStartUp) {
  struct Case {
    const char* legend;
    std::vector<std::optional<std::string>> loads;  // file contents; nothing for a missing file
    bool date_field_enabled;
  };
  const std::vector<Case> cases = {
      {"defaults at start-up", {std::nullopt}, true},
      {"file without CheckBox1", {"[Settings]\r\nEdit3=5\r\n"}, true},
      {"file with CheckBox1 1", {"[Settings]\r\nCheckBox1=1\r\n"}, true},
      {"file with CheckBox1 0", {"[Settings]\r\nCheckBox1=0\r\n"}, false},
      {"file with CheckBox1 0, then defaults",
       {"[Settings]\r\nCheckBox1=0\r\n", std::nullopt},
       true},
      {"defaults, then a file with CheckBox1 0",
       {std::nullopt, "[Settings]\r\nCheckBox1=0\r\n"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory directory;
    PlainSettings controls;
    SettingValues loaded;
    for (const std::optional<std::string>& content : c.loads) {
      const std::string file = directory.File("my.ini");
      std::filesystem::remove(file);
      if (content) WriteWholeFile(file, *content);
      LoadSettings(file, controls, loaded);
    }
    EXPECT_EQ(controls.FixedDateEnabled(), c.date_field_enabled);
  }
}

TEST(LoadSettings, GarbageLoadsWithoutHarm) {
  std::mt19937 random(20240601);
  const auto random_bytes = [&](std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>(random() & 0xFF);
    return bytes;
  };
  const std::string mega_line(1 << 20, 'x');
  const std::string garbage = random_bytes(65536) + std::string(1000, '\0') +
                              "\r\nno equals sign\r\n[Settings\r\n=\r\n==\r\n[]\r\n" + mega_line +
                              "\r\n[Settings]\r\nEdit3=7\r\nCheckBox3=\x01\x02\r\n" +
                              "Edit4=" + mega_line + "\nTop=" + std::string(2, '\0') + "\r\n" +
                              random_bytes(65536);

  struct Case {
    const char* legend;
    std::string content;
    std::function<void(ControlState&)> change;
  };
  const std::vector<Case> cases = {
      {"random bytes only", random_bytes(1 << 20), [](ControlState&) {}},
      {"garbage around a section", garbage,
       [&](ControlState& s) {
         s.values.track_width_text = "7";
         s.values.icon_scale_text = mega_line.substr(0, 2047);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory directory;
    const std::string file = directory.File("garbage.ini");
    WriteWholeFile(file, c.content);
    PlainSettings controls = CurrentControls();
    ControlState expected = StateOf(controls);
    c.change(expected);
    SettingValues loaded;
    LoadSettings(file, controls, loaded);
    EXPECT_EQ(StateOf(controls), expected);
    EXPECT_EQ(loaded, expected.values);
  }
}

TEST(SaveSettings, DefaultsAtTheDesignPositionMakeTheKnownFile) {
  TempDirectory directory;
  PlainSettings controls;
  SettingValues loaded;
  LoadSettings(directory.File("missing.ini"), controls, loaded);
  const std::string file = directory.File("new.ini");
  SaveSettings(file, controls, directory.File("trackmint"));
  EXPECT_TRUE(SameText(kDefaultsFile, ReadWholeFile(file)));
}

TEST(SaveSettings, WhatIsSavedLoadsBack) {
  TempDirectory directory;
  const PlainSettings saved = CurrentControls();
  const std::string file = directory.File("round.ini");
  SaveSettings(file, saved, directory.File("trackmint"));
  // Each value under its own key, so that a key written and read under the same wrong name
  // cannot pass.
  EXPECT_TRUE(
      SameText("[Settings]\r\n"
               "CheckBox1=0\r\n"
               "MaskEdit1=1999-12-31\r\n"
               "ShapeStyleTrack=1\r\n"
               "ShapeFullTrack=2\r\n"
               "Edit3=3\r\n"
               "CheckBox2=1\r\n"
               "CheckBox4=1\r\n"
               "CheckBox3=1\r\n"
               "Edit4=0.8\r\n"
               "Left=10\r\n"
               "Top=20\r\n"
               "ArrowInterval=2.5\r\n"
               "FromTime=10:00\r\n"
               "ToTime=2024-03-01T12:00:00Z\r\n",
               ReadWholeFile(file)));
  PlainSettings loaded_controls;
  SettingValues loaded;
  LoadSettings(file, loaded_controls, loaded);
  EXPECT_EQ(StateOf(loaded_controls), StateOf(saved));
}

TEST(SaveSettings, UpdatesInPlaceKeepingEveryForeignLine) {
  TempDirectory directory;
  const std::string file = directory.File("hand.ini");
  WriteWholeFile(file,
                 "; Trackmint settings, edited by hand\r\n"
                 "[Other]\r\n"
                 "Edit3=99\r\n"
                 "\r\n"
                 "[settings]\r\n"
                 "edit4 = 0.7\r\n"
                 "; the date\r\n"
                 "MASKEDIT1=1999-12-31\r\n"
                 "Left=5\r\n"
                 "\r\n"
                 "[Tail]\r\n"
                 "x=y\r\n");
  PlainSettings controls;
  Set(controls, &SettingValues::icon_scale_text, std::string("0.600000"));
  Set(controls, &SettingValues::show_height, true);
  Set(controls, &SettingValues::window_left, 20);
  SaveSettings(file, controls, directory.File("trackmint"));
  EXPECT_TRUE(
      SameText("; Trackmint settings, edited by hand\r\n"
               "[Other]\r\n"
               "Edit3=99\r\n"
               "\r\n"
               "[settings]\r\n"
               "edit4 = 0.600000\r\n"
               "; the date\r\n"
               "MASKEDIT1=2000-01-01\r\n"
               "Left=20\r\n"
               "CheckBox1=1\r\n"
               "ShapeStyleTrack=16777215\r\n"
               "ShapeFullTrack=255\r\n"
               "Edit3=5\r\n"
               "CheckBox2=0\r\n"
               "CheckBox4=0\r\n"
               "CheckBox3=1\r\n"
               "Top=109\r\n"
               "ArrowInterval=0\r\n"
               "FromTime=\r\n"
               "ToTime=\r\n"
               "\r\n"
               "[Tail]\r\n"
               "x=y\r\n",
               ReadWholeFile(file)));
}

TEST(DefaultSettingsPath, TheUserSettingsUnlessAWritableFileIsBesideTheProgram) {
  TempDirectory directory;
  const ScopedEnvironment config_home("XDG_CONFIG_HOME", "/xdg/config");
  const ScopedEnvironment home("HOME", "/home/surveyor");
  const std::string program = directory.File("trackmint");
  EXPECT_EQ(DefaultSettingsPath(program), "/xdg/config/kelvra-trackmint/trackmint.ini");
  {
    const ScopedEnvironment unset("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(DefaultSettingsPath(program),
              "/home/surveyor/.config/kelvra-trackmint/trackmint.ini");
  }
  {
    // A relative value is to be ignored, as if the variable were unset.
    const ScopedEnvironment relative("XDG_CONFIG_HOME", "config");
    EXPECT_EQ(DefaultSettingsPath(program),
              "/home/surveyor/.config/kelvra-trackmint/trackmint.ini");
  }
  // A copy run from its own folder keeps its settings there, as long as it can write them.
  WriteWholeFile(directory.File("trackmint.ini"), kDefaultsFile);
  EXPECT_EQ(DefaultSettingsPath(program), directory.File("trackmint.ini"));
  if (geteuid() != 0) {  // root may write whatever the mode says
    std::filesystem::permissions(directory.File("trackmint.ini"),
                                 std::filesystem::perms::owner_read);
    EXPECT_EQ(DefaultSettingsPath(program), "/xdg/config/kelvra-trackmint/trackmint.ini");
  }
  std::filesystem::remove(directory.File("trackmint.ini"));
  std::filesystem::create_directory(directory.File("trackmint.ini"));
  EXPECT_EQ(DefaultSettingsPath(program), "/xdg/config/kelvra-trackmint/trackmint.ini");
}

TEST(SaveSettingsPath, Rule) {
  TempDirectory directory;
  const ScopedWorkingDirectory here(directory.path());
  const std::string current = std::filesystem::current_path().string() + "/";
  const ScopedEnvironment config_home("XDG_CONFIG_HOME", "/xdg");
  struct Case {
    std::string path;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"", "/xdg/kelvra-trackmint/trackmint.ini"},
      {"my", current + "my.ini"},
      {"my.cfg", current + "my.cfg"},
      {"my.ini", current + "my.ini"},
      {"conf/my", current + "conf/my"},
      {"./my", current + "./my"},
      {"/etc/conf/my", "/etc/conf/my"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SaveSettingsPath(c.path, "/opt/tm/trackmint"), c.expected) << '"' << c.path << '"';
  }
}

TEST(SaveSettings, BareNamesGoToTheCurrentDirectoryAndTheDefaultToTheUserSettings) {
  TempDirectory directory;
  const ScopedWorkingDirectory here(directory.path());
  const ScopedEnvironment config_home("XDG_CONFIG_HOME", directory.File("config").c_str());
  const std::string executable = directory.File("bin/trackmint");
  PlainSettings controls;
  SettingValues loaded;
  LoadSettings(directory.File("missing.ini"), controls, loaded);
  SaveSettings("", controls, executable);
  SaveSettings("my", controls, executable);
  SaveSettings("my.cfg", controls, executable);
  for (const std::string& file : {directory.File("config/kelvra-trackmint/trackmint.ini"),
                                  directory.File("my.ini"), directory.File("my.cfg")}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(ReadWholeFile(file), kDefaultsFile);
  }
  // The folder that was made for the user's settings is private to the user.
  const auto made = std::filesystem::status(directory.File("config/kelvra-trackmint"));
  EXPECT_EQ(made.permissions() & std::filesystem::perms::all, std::filesystem::perms::owner_all);
  // What was saved is what the next start loads.
  PlainSettings next;
  LoadSettings(DefaultSettingsPath(executable), next, loaded);
  SettingValues defaults;  // the design position, which a load of the defaults keeps
  defaults.track_colour = 32768;
  defaults.hidden_colour = 255;
  EXPECT_EQ(loaded, defaults);
}

TEST(SaveSettings, UnwritableLocationsNameTheFileAndTheReason) {
  TempDirectory directory;
  const std::string regular = directory.File("plain.txt");
  WriteWholeFile(regular, "not a folder");
  std::filesystem::create_directory(directory.File("folder.ini"));
  struct Case {
    std::string path;
    std::string message;
  };
  const std::vector<Case> cases = {
      {directory.File("missing/my.ini"), "Can't write the settings file " +
                                             directory.File("missing/my.ini") +
                                             ": No such file or directory"},
      {regular + "/my", "Can't write the settings file " + regular + "/my: Not a directory"},
      {directory.File("folder.ini"),
       "Can't write the settings file " + directory.File("folder.ini") + ": Is a directory"},
      {"/dev/null", "Can't write the settings file /dev/null: it is not a regular file"},
  };
  const PlainSettings controls;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      SaveSettings(c.path, controls, directory.File("trackmint"));
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
  EXPECT_EQ(ReadWholeFile(regular), "not a folder");
}

TEST(LoadSettingsText, TheTextOfAFileLoadsAsTheFileDoes) {
  PlainSettings from_text = CurrentControls();
  PlainSettings from_file = CurrentControls();
  SettingValues loaded_from_text;
  SettingValues loaded_from_file;
  const std::string content = "[Settings]\r\nEdit3=7\r\nMaskEdit1=2019-04-07\r\nTop=5\r\n";
  LoadSettingsText(content, from_text, loaded_from_text);
  TempDirectory directory;
  WriteWholeFile(directory.File("my.ini"), content);
  LoadSettings(directory.File("my.ini"), from_file, loaded_from_file);
  EXPECT_EQ(StateOf(from_text), StateOf(from_file));
  EXPECT_EQ(loaded_from_text, loaded_from_file);
  EXPECT_EQ(from_text.Values().track_width_text, "7");
  EXPECT_EQ(from_text.Values().fixed_date_text, "2019-04-07");
  EXPECT_EQ(from_text.Values().window_top, 5);
}

TEST(SettingsChanged, Cases) {
  struct Case {
    const char* legend;
    std::function<void(PlainSettings&, SettingValues&)> change;
    bool changed;
  };
  const std::vector<Case> cases = {
      {"nothing", [](PlainSettings&, SettingValues&) {}, false},
      {"scale changed and back to 0.5",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::icon_scale_text, std::string("0.6"));
         Set(c, &SettingValues::icon_scale_text, std::string("0.5"));
       },
       false},
      {"width changed and back to 5",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::track_width_text, std::string("6"));
         Set(c, &SettingValues::track_width_text, std::string("5"));
       },
       false},
      {"only the position",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::window_left, 1);
         Set(c, &SettingValues::window_top, 2);
       },
       false},
      {"date differing in case only",
       [](PlainSettings& c, SettingValues& l) {
         l.fixed_date_text = "2000-jan-01";
         Set(c, &SettingValues::fixed_date_text, std::string("2000-JAN-01"));
       },
       false},
      {"CheckBox1",
       [](PlainSettings& c, SettingValues&) { Set(c, &SettingValues::use_fixed_date, false); },
       true},
      {"MaskEdit1",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::fixed_date_text, std::string("2000-01-02"));
       },
       true},
      {"ShapeStyleTrack",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::hidden_colour, WindowColour{254});
       },
       true},
      {"ShapeFullTrack",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::track_colour, WindowColour{32769});
       },
       true},
      {"Edit3 exactly",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::track_width_text, std::string("05"));
       },
       true},
      {"CheckBox2",
       [](PlainSettings& c, SettingValues&) { Set(c, &SettingValues::use_all_waypoints, true); },
       true},
      {"CheckBox4",
       [](PlainSettings& c, SettingValues&) { Set(c, &SettingValues::start_at_first_fix, true); },
       true},
      {"CheckBox3",
       [](PlainSettings& c, SettingValues&) { Set(c, &SettingValues::show_height, true); }, true},
      {"Edit4 exactly",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::icon_scale_text, std::string("0.50"));
       },
       true},
      {"ArrowInterval",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::arrow_interval_text, std::string("10"));
       },
       true},
      {"FromTime",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::from_time_text, std::string("10:00"));
       },
       true},
      {"ToTime",
       [](PlainSettings& c, SettingValues&) {
         Set(c, &SettingValues::to_time_text, std::string("11:00"));
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    PlainSettings controls;
    SettingValues loaded;
    LoadSettings("/proc/trackmint-no/settings.ini", controls, loaded);
    c.change(controls, loaded);
    EXPECT_EQ(SettingsChanged(controls.Values(), loaded), c.changed);
  }
}

}  // namespace
}  // namespace trackmint
