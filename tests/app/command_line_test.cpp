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
      {"two arguments convert", {"log.nmea", "out.kmz"}, Mode::Batch, "log.nmea", "out.kmz", ""},
      {"three with settings",
       {"log.nmea", "out.kmz", "my.ini"},
       Mode::Batch,
       "log.nmea",
       "out.kmz",
       "my.ini"},
      {"empty arguments count as none",
       {"", "log.nmea", "", "out.kmz"},
       Mode::Batch,
       "log.nmea",
       "out.kmz",
       ""},

      {"help", {"--help"}, Mode::Help, "", "", ""},
      {"short help", {"-h"}, Mode::Help, "", "", ""},
      {"version", {"--version"}, Mode::Version, "", "", ""},
      {"help among operands", {"in.nmea", "--help", "foo"}, Mode::Help, "", "", ""},
      {"help after the operands", {"in.nmea", "out.kmz", "-h"}, Mode::Help, "", "", ""},
      {"help wins over version", {"--version", "--help"}, Mode::Help, "", "", ""},
      {"version among operands", {"a", "--version"}, Mode::Version, "", "", ""},
      {"help before an unknown option", {"-x", "--help"}, Mode::Help, "", "", ""},
      {"version before an unknown option", {"-x", "--version"}, Mode::Version, "", "", ""},
      {"-- ends the options",
       {"--", "-day1.nmea", "--help"},
       Mode::Batch,
       "-day1.nmea",
       "--help",
       ""},
      {"-- between operands",
       {"in.nmea", "--", "-out.kmz"},
       Mode::Batch,
       "in.nmea",
       "-out.kmz",
       ""},
      {"a second -- is an operand", {"--", "--", "out.kmz"}, Mode::Batch, "--", "out.kmz", ""},
      {"-- alone opens the window", {"--"}, Mode::Window, "", "", ""},
      {"- is standard input", {"-", "out.kmz"}, Mode::Batch, "-", "out.kmz", ""},
      {"./- is a file", {"./-", "out.kmz"}, Mode::Batch, "./-", "out.kmz", ""},
      {"settings by option", {"a", "b", "--settings", "s.ini"}, Mode::Batch, "a", "b", "s.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, c.mode);
    EXPECT_EQ(command.inputs,
              c.input.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.input});
    EXPECT_EQ(command.output, c.output);
    EXPECT_EQ(command.settings, c.settings);
    EXPECT_EQ(command.window_log, "");
  }
}

// One name alone is a log for the window to open, as a file manager's "Open with" passes it.
TEST(CommandLine, OneLogOpensTheWindowWithIt) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"day1.nmea"}, std::vector<std::string>{"", "day1.nmea"},
        std::vector<std::string>{"--", "day1.nmea"}}) {
    const CommandLine command = ParseCommandLine(arguments);
    EXPECT_EQ(command.mode, CommandLine::Mode::Window);
    EXPECT_EQ(command.window_log, "day1.nmea");
    EXPECT_TRUE(command.inputs.empty());
  }
}

// -o OUT takes every operand as a log, in their order, into the one KMZ.
TEST(CommandLine, SeveralLogsIntoOneKmz) {
  const CommandLine day = ParseCommandLine(
      {"-o", "day.kmz", "log-00.nmea", "log-01.nmea.gz", "-", "--settings=rover.ini"});
  EXPECT_EQ(day.mode, CommandLine::Mode::Batch);
  EXPECT_EQ(day.output, "day.kmz");
  EXPECT_EQ(day.inputs, (std::vector<std::string>{"log-00.nmea", "log-01.nmea.gz", "-"}));
  EXPECT_EQ(day.settings, "rover.ini");
  const CommandLine one = ParseCommandLine({"a.nmea", "--output", "a.kmz"});
  EXPECT_EQ(one.mode, CommandLine::Mode::Batch);
  EXPECT_EQ(one.inputs, std::vector<std::string>{"a.nmea"});
  EXPECT_EQ(one.output, "a.kmz");
  const CommandLine csv = ParseCommandLine({"--csv", "-", "a.nmea", "a.kmz"});
  EXPECT_EQ(csv.csv, "-");
}

TEST(CommandLine, UsageErrors) {
  struct Case {
    std::vector<std::string> arguments;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"-x"}, "unknown option -x"},
      {{"in.nmea", "out.kmz", "--quiet-please"}, "unknown option --quiet-please"},
      {{"-x", "-y"}, "unknown option -x"},
      {{"in.nmea", "-x", "out.kmz"}, "unknown option -x"},
      {{"a", "b", "c", "d"}, "too many arguments: at most IN, OUT and SETTINGS (or -o OUT IN...)"},
      {{"--", "a", "b", "c", "-d"},
       "too many arguments: at most IN, OUT and SETTINGS (or -o OUT IN...)"},
      {{"-o", "day.kmz"}, "no log to convert into day.kmz"},
      {{"-o"}, "-o needs a file name"},
      {{"a", "b", "c", "--settings", "d"}, "two settings files: SETTINGS and --settings"},
      {{"a", "-"}, "the KMZ cannot go to standard output: name a file for OUT"},
      {{"-o", "x.kmz", "-", "a", "-"}, "standard input (-) can be read only once"},
      {{"--json", "--csv", "-", "a", "b"},
       "--json and --csv - would both write to standard output"},
      {{"--csv", "", "a", "b"},
       "--csv takes the name of the CSV file to write, or - for standard output, not \"\""},
      {{"in.nmea", "out.kmz", "--threads"}, "--threads needs a number"},
      {{"--threads", "0", "in.nmea", "out.kmz"},
       "--threads takes a whole number from 1 up, not \"0\""},
      {{"--threads=-2", "in.nmea", "out.kmz"},
       "--threads takes a whole number from 1 up, not \"-2\""},
      {{"--threads", "two", "in.nmea", "out.kmz"},
       "--threads takes a whole number from 1 up, not \"two\""},
      {{"--threads=", "in.nmea", "out.kmz"}, "--threads takes a whole number from 1 up, not \"\""},
      {{"--threads", "4x", "in.nmea", "out.kmz"},
       "--threads takes a whole number from 1 up, not \"4x\""},
      {{"--threads", "99999999999", "a", "b"},
       "--threads takes a whole number from 1 up, not \"99999999999\""},
      {{"a", "b", "--interval"}, "--interval needs a number of seconds"},
      {{"--interval", "-1", "a", "b"},
       "--interval takes seconds from 0 to 86400 with at most three decimals, not \"-1\""},
      {{"--interval=0.0001", "a", "b"},
       "--interval takes seconds from 0 to 86400 with at most three decimals, not \"0.0001\""},
      {{"--interval", "90000", "a", "b"},
       "--interval takes seconds from 0 to 86400 with at most three decimals, not \"90000\""},
      {{"a", "b", "--from"}, "--from needs a time"},
      {{"--from", "25:00", "a", "b"},
       "--from takes a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]], not "
       "\"25:00\""},
      {{"--to", "", "a", "b"},
       "--to takes a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]], not \"\""},
      {{"--to=2024-02-30T10:00", "a", "b"},
       "--to takes a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]], not "
       "\"2024-02-30T10:00\""},
      // The first wrong option is the one named.
      {{"--from", "x", "--to", "y", "a", "b"},
       "--from takes a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]], not "
       "\"x\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, CommandLine::Mode::UsageError);
    EXPECT_EQ(command.error, c.error);
  }
}

// The workers for the document's deflate, as many as asked; the value is taken whole, after the
// option or joined to it by "=", and is no operand.
TEST(CommandLine, Threads) {
  struct Case {
    std::vector<std::string> arguments;
    unsigned threads;
  };
  const std::vector<Case> cases = {
      {{"in.nmea", "out.kmz"}, 0},
      {{"--threads", "1", "in.nmea", "out.kmz"}, 1},
      {{"in.nmea", "--threads=4", "out.kmz"}, 4},
      {{"in.nmea", "out.kmz", "--threads", "16"}, 16},
      {{"--threads", "2", "--threads", "3", "in.nmea", "out.kmz"}, 3},  // the last one counts
  };
  for (const Case& c : cases) {
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.mode, CommandLine::Mode::Batch);
    EXPECT_EQ(command.threads, c.threads);
    EXPECT_EQ(command.inputs, std::vector<std::string>{"in.nmea"});
    EXPECT_EQ(command.output, "out.kmz");
  }
}

// The time window and the arrow interval, checked and kept as given, for this run.
TEST(CommandLine, TimeWindowAndInterval) {
  const CommandLine none = ParseCommandLine({"a", "b"});
  EXPECT_EQ(none.interval, std::nullopt);
  EXPECT_EQ(none.from, std::nullopt);
  EXPECT_EQ(none.to, std::nullopt);
  const CommandLine all = ParseCommandLine(
      {"--interval", "0.25", "a", "--from=23:00", "b", "--to", "2024-03-01T01:00:00.5Z"});
  EXPECT_EQ(all.mode, CommandLine::Mode::Batch);
  EXPECT_EQ(all.interval, "0.25");
  EXPECT_EQ(all.from, "23:00");
  EXPECT_EQ(all.to, "2024-03-01T01:00:00.5Z");
  EXPECT_EQ(all.inputs, std::vector<std::string>{"a"});
  EXPECT_EQ(all.output, "b");
}

TEST(ErrorDisplayText, AddsAFullStopAfterALetterOrDigit) {
  EXPECT_EQ(ErrorDisplayText("Cannot create file /x/255.png"), "Cannot create file /x/255.png.");
  EXPECT_EQ(ErrorDisplayText("Can't write the settings file /x/a.ini: Permission denied"),
            "Can't write the settings file /x/a.ini: Permission denied.");
  EXPECT_EQ(ErrorDisplayText("Native error: 00010"), "Native error: 00010.");
  EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
  EXPECT_EQ(ErrorDisplayText("Really?"), "Really?.");  // "?" sorts after "." as well
  EXPECT_EQ(ErrorDisplayText("(none)"), "(none)");
  EXPECT_EQ(ErrorDisplayText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorDisplayText(""), "");
}

}  // namespace
}  // namespace trackmint
