#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/error_text.h"

namespace trackmint {
namespace {

TEST(CommandLine, ModesAndArguments) {
  using Mode = CommandLine::Mode;
  struct Case {
    const char* legend;
    std::vector<std::string> arguments;
    Mode mode;
    std::string input, output, settings;
  };
  const std::vector<Case> cases = {
      {"no argument opens the window", {}, Mode::Window, "", "", ""},
      {"one argument is ignored", {"log.nmea"}, Mode::Window, "", "", ""},
      {"two arguments convert", {"log.nmea", "out.kmz"}, Mode::Batch, "log.nmea", "out.kmz", ""},
      {"three with settings",
       {"log.nmea", "out.kmz", "my.ini"},
       Mode::Batch,
       "log.nmea",
       "out.kmz",
       "my.ini"},
      {"a fourth is ignored", {"a", "b", "c", "d"}, Mode::Batch, "a", "b", "c"},
      {"empty arguments count as none",
       {"", "log.nmea", "", "out.kmz"},
       Mode::Batch,
       "log.nmea",
       "out.kmz",
       ""},
      {"an empty pair alone", {"", "log.nmea"}, Mode::Window, "", "", ""},
      {"help", {"--help"}, Mode::Help, "", "", ""},
      {"short help", {"-h"}, Mode::Help, "", "", ""},
      {"version", {"--version"}, Mode::Version, "", "", ""},
      {"--help with another argument is a conversion",
       {"--help", "x"},
       Mode::Batch,
       "--help",
       "x",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, c.mode);
    EXPECT_EQ(command.input, c.input);
    EXPECT_EQ(command.output, c.output);
    EXPECT_EQ(command.settings, c.settings);
  }
}

TEST(ErrorDisplayText, AddsAFullStopAfterALetterOrDigit) {
  EXPECT_EQ(ErrorDisplayText("Cannot create file /x/255.png"), "Cannot create file /x/255.png.");
  EXPECT_EQ(ErrorDisplayText("Unable to write to /x/a.ini"), "Unable to write to /x/a.ini.");
  EXPECT_EQ(ErrorDisplayText("Native error: 00010"), "Native error: 00010.");
  EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
  EXPECT_EQ(ErrorDisplayText("Really?"), "Really?.");  // "?" sorts after "." as well
  EXPECT_EQ(ErrorDisplayText("(none)"), "(none)");
  EXPECT_EQ(ErrorDisplayText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorDisplayText(""), "");
}

}  // namespace
}  // namespace trackmint
