// The real trackmint program in batch mode, run as a script would run it.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <sys/stat.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "support/fixtures.h"
#include "support/png_reader.h"
#include "support/program_run.h"
#include "support/sentences.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::FixturePath;
using testing::ProgramResult;
using testing::ReadWholeFile;
using testing::RunProgram;
using testing::TempDirectory;
using testing::WriteWholeFile;

const std::string kProgram = TRACKMINT_PROGRAM;

// The user's own settings must not reach the tests: every run gets a settings folder of its own
// that holds nothing.
const TempDirectory& EmptyConfigHome() {
  static const TempDirectory config_home;
  return config_home;
}

ProgramResult RunTrackmint(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& directory,
                           const std::string& config_home = EmptyConfigHome().path()) {
  return RunProgram(program, arguments, directory, {{"XDG_CONFIG_HOME", config_home}});
}

ProgramResult Convert(const std::vector<std::string>& arguments, const std::string& directory) {
  return RunTrackmint(kProgram, arguments, directory);
}

std::vector<std::string> DirectoryEntries(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// What an independent reader makes of a KMZ: unzip's own test, the member names, the document.
struct KmzContent {
  bool intact = false;
  std::vector<std::string> members;
  std::string document;
};

KmzContent ReadKmz(const std::string& path) {
  KmzContent content;
  content.intact = RunProgram("/usr/bin/unzip", {"-tq", path}, "/").exit_status == 0;
  const ProgramResult listing = RunProgram("/usr/bin/unzip", {"-Z1", path}, "/");
  for (std::size_t start = 0; start < listing.out.size();) {
    const auto end = listing.out.find('\n', start);
    content.members.push_back(listing.out.substr(start, end - start));
    start = end == std::string::npos ? listing.out.size() : end + 1;
  }
  if (!content.members.empty())
    content.document = RunProgram("/usr/bin/unzip", {"-p", path, content.members[0]}, "/").out;
  return content;
}

// The number of waypoint placemarks (those with a Point) of a well-formed document; -1 when the
// document is not well-formed XML.
int WaypointCount(const std::string& document) {
  xmlDocPtr tree =
      xmlReadMemory(document.data(), static_cast<int>(document.size()), "doc.kml", nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
  if (tree == nullptr) return -1;
  int points = 0;
  std::vector<xmlNodePtr> pending = {xmlDocGetRootElement(tree)};
  while (!pending.empty()) {
    xmlNodePtr node = pending.back();
    pending.pop_back();
    for (; node != nullptr; node = node->next) {
      if (node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST "Point")) ++points;
      if (node->children != nullptr) pending.push_back(node->children);
    }
  }
  xmlFreeDoc(tree);
  return points;
}

// garmin25lp.log: an RMC alone (void), nine void epochs with quality 0, then ten fixes of
// quality 1 with status A: ten waypoints.
TEST(BatchMode, ConvertsALogGivenByAbsolutePaths) {
  TempDirectory work;
  const std::string kmz = work.File("garmin.kmz");
  // Quiet: nothing but the result line, and the warning that the default fixed date took the
  // place of the receiver's dates of the ten fixes.
  const ProgramResult result = Convert({"--quiet", FixturePath("gpsd/garmin25lp.log"), kmz}, "/");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, kmz + ": Waypoints 10\n");
  EXPECT_EQ(
      result.err,
      "Kelvra Trackmint: the fixed date 2000-01-01 replaced the receiver's date 2005-03-15 in "
      "10 placemarks; untick the date in the window, or CheckBox1=0 in the settings file, to "
      "keep the receiver's dates\n");

  const KmzContent content = ReadKmz(kmz);
  EXPECT_TRUE(content.intact);
  EXPECT_EQ(content.members,
            (std::vector<std::string>{"garmin.kml", "255.png", "65535.png", "32768.png",
                                      "16711935.png", "16776960.png", "0.png", "8421504.png"}));
  EXPECT_EQ(WaypointCount(content.document), 10);
  // Only the KMZ is left: no document, no icons, no temporary directory.
  EXPECT_EQ(DirectoryEntries(work.path()), std::vector<std::string>{"garmin.kmz"});
}

TEST(BatchMode, RelativeNamesAreTakenFromTheCurrentDirectory) {
  TempDirectory program_directory;
  TempDirectory current_directory;
  const std::string program = program_directory.File("trackmint");
  std::filesystem::copy_file(kProgram, program);
  std::filesystem::create_directory(current_directory.File("logs"));
  std::filesystem::copy_file(FixturePath("gpsd/garmin25lp.log"),
                             current_directory.File("logs/day1.nmea"));
  // Settings in the current directory: a track width of 7 and every epoch on the second track.
  WriteWholeFile(current_directory.File("my.ini"), "[Settings]\r\nEdit3=7\r\nCheckBox2=1\r\n");
  // The same names beside the program must not be the ones used.
  std::filesystem::copy_file(FixturePath("gpsd/magellan-ec10.log"),
                             program_directory.File("day1.nmea"));
  WriteWholeFile(program_directory.File("my.ini"), "[Settings]\r\nEdit3=9\r\n");

  const ProgramResult result =
      RunTrackmint(program, {"./logs/day1.nmea", "day1.kmz", "my.ini"}, current_directory.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;
  // The result names the full path, as the user's shell would resolve it.
  const std::string kmz =
      std::filesystem::canonical(current_directory.path()).string() + "/day1.kmz";
  EXPECT_EQ(result.out, kmz + ": Waypoints 10\n");
  const KmzContent content = ReadKmz(kmz);
  EXPECT_TRUE(content.intact);
  EXPECT_EQ(WaypointCount(content.document), 10);  // garmin25lp.log; magellan-ec10.log has 21
  EXPECT_NE(
      content.document.find(
          "<Style id=\"NormalTrack\">\n<LineStyle>\n<color>FF0000FF</color>\n<width>7</width>"),
      std::string::npos);
  EXPECT_NE(content.document.find("<Placemark\n><name>IncorrectTrack</name>"), std::string::npos);
  EXPECT_EQ(DirectoryEntries(current_directory.path()),
            (std::vector<std::string>{"day1.kmz", "logs", "my.ini"}));
  EXPECT_EQ(DirectoryEntries(program_directory.path()),
            (std::vector<std::string>{"day1.nmea", "my.ini", "trackmint"}));

  // The output goes into a folder named relative to the current directory too.
  std::filesystem::create_directory(current_directory.File("out"));
  const ProgramResult into_folder =
      RunTrackmint(program, {"logs/day1.nmea", "out/day1.kmz"}, current_directory.path());
  ASSERT_EQ(into_folder.exit_status, 0) << into_folder.err;
  EXPECT_TRUE(ReadKmz(current_directory.File("out/day1.kmz")).intact);
}

// Without SETTINGS the default settings file is used: the user's, or a writable one beside the
// program; the built-in defaults (green track) when there is none.
TEST(BatchMode, WithoutSettingsTheDefaultSettingsFileIsUsed) {
  TempDirectory program_directory;
  TempDirectory work;
  TempDirectory config_home;
  const std::string program = program_directory.File("trackmint");
  std::filesystem::copy_file(kProgram, program);
  const std::string log = FixturePath("gpsd/garmin25lp.log");
  const auto track_style = [](const std::string& kmz) {
    const std::string document = ReadKmz(kmz).document;
    const auto start = document.find("<color>");
    const auto end = document.find("</width>", start);
    return start == std::string::npos || end == std::string::npos
               ? std::string()
               : document.substr(start, end + 8 - start);
  };

  const ProgramResult defaults =
      RunTrackmint(program, {log, "a.kmz"}, work.path(), config_home.path());
  ASSERT_EQ(defaults.exit_status, 0) << defaults.err;
  EXPECT_EQ(track_style(work.File("a.kmz")), "<color>FF008000</color>\n<width>5</width>");

  std::filesystem::create_directory(config_home.File("kelvra-trackmint"));
  WriteWholeFile(config_home.File("kelvra-trackmint/trackmint.ini"),
                 "[Settings]\r\nShapeFullTrack=255\r\nEdit3=3\r\n");
  const ProgramResult user = RunTrackmint(program, {log, "b.kmz"}, work.path(), config_home.path());
  ASSERT_EQ(user.exit_status, 0) << user.err;
  EXPECT_EQ(track_style(work.File("b.kmz")), "<color>FF0000FF</color>\n<width>3</width>");

  WriteWholeFile(program_directory.File("trackmint.ini"), "[Settings]\r\nEdit3=9\r\n");
  const ProgramResult beside =
      RunTrackmint(program, {log, "c.kmz"}, work.path(), config_home.path());
  ASSERT_EQ(beside.exit_status, 0) << beside.err;
  EXPECT_EQ(track_style(work.File("c.kmz")), "<color>FF0000FF</color>\n<width>9</width>");

  // A settings file named on the command line wins; one that is not there is said.
  WriteWholeFile(work.File("mine.ini"), "[Settings]\r\nEdit3=2\r\n");
  const ProgramResult named =
      RunTrackmint(program, {log, "d.kmz", "mine.ini"}, work.path(), config_home.path());
  ASSERT_EQ(named.exit_status, 0) << named.err;
  EXPECT_EQ(track_style(work.File("d.kmz")), "<color>FF0000FF</color>\n<width>2</width>");
  const ProgramResult missing =
      RunTrackmint(program, {"-q", log, "e.kmz", "typo.ini"}, work.path(), config_home.path());
  ASSERT_EQ(missing.exit_status, 0) << missing.err;
  EXPECT_TRUE(missing.err.starts_with("Kelvra Trackmint: no settings file " +
                                      std::filesystem::canonical(work.path()).string() +
                                      "/typo.ini; the default settings are used\n"))
      << missing.err;
  EXPECT_EQ(track_style(work.File("e.kmz")), "<color>FF008000</color>\n<width>5</width>");
  // Batch mode never writes settings back.
  EXPECT_EQ(ReadWholeFile(config_home.File("kelvra-trackmint/trackmint.ini")),
            "[Settings]\r\nShapeFullTrack=255\r\nEdit3=3\r\n");
}

TEST(BatchMode, FailuresExitWithOneAndLeaveNothing) {
  TempDirectory work;
  const std::string old_kmz = work.File("old.kmz");
  WriteWholeFile(old_kmz, "an earlier KMZ");
  std::string noise(5000, '\0');
  std::mt19937 random(5000);
  for (char& c : noise) c = static_cast<char>(random());
  WriteWholeFile(work.File("noise.bin"), noise);
  WriteWholeFile(work.File("empty.nmea"), "");
  struct Case {
    const char* legend;
    std::vector<std::string> arguments;
    std::string message;
  };
  const std::string garmin = FixturePath("gpsd/garmin25lp.log");
  const std::vector<Case> cases = {
      {"missing input",
       {work.File("missing.nmea"), old_kmz},
       "Kelvra Trackmint: Can't open the input file " + work.File("missing.nmea") +
           ": No such file or directory.\n"},
      {"missing output directory",
       {garmin, work.File("no/such/dir/new.kmz")},
       "Kelvra Trackmint: Can't create the output file " + work.File("no/such/dir/new.kmz") +
           ": No such file or directory.\n"},
      {"a directory as the input",
       {work.path(), old_kmz},
       "Kelvra Trackmint: Can't read the input file " + work.path() + ": Is a directory.\n"},
      {"a folder as the output",
       {garmin, work.path() + "/"},
       "Kelvra Trackmint: Can't write the output file " + work.path() + "/: Is a directory.\n"},
      {"random bytes",
       {work.File("noise.bin"), old_kmz},
       "Kelvra Trackmint: no NMEA sentences in " + work.File("noise.bin") + ".\n"},
      {"an empty log",
       {work.File("empty.nmea"), old_kmz},
       "Kelvra Trackmint: no NMEA sentences in " + work.File("empty.nmea") + ".\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const ProgramResult result = Convert(c.arguments, "/");
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(ReadWholeFile(old_kmz), "an earlier KMZ");
    EXPECT_EQ(DirectoryEntries(work.path()),
              (std::vector<std::string>{"empty.nmea", "noise.bin", "old.kmz"}));
  }
}

// Sentences, but not one epoch with a fix: the KMZ is written, and the user is told why it shows
// no placemark.
TEST(BatchMode, ALogWithoutAUsableFixConvertsAndSaysSo) {
  TempDirectory work;
  WriteWholeFile(work.File("void.nmea"), testing::Line("GPGGA,120000,,,,,0,00,,,M,,,,") +
                                             testing::Line("GPRMC,120000,V,,,,,,,010120,,,N"));
  const ProgramResult result =
      Convert({"--quiet", work.File("void.nmea"), work.File("void.kmz")}, "/");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, work.File("void.kmz") + ": Waypoints 0\n");
  EXPECT_EQ(result.err,
            "Kelvra Trackmint: no epoch in " + work.File("void.nmea") + " has a usable fix\n");
  const KmzContent content = ReadKmz(work.File("void.kmz"));
  EXPECT_TRUE(content.intact);
  EXPECT_EQ(WaypointCount(content.document), 0);
}

// OUT must be a file the KMZ may replace: anything else is refused before the log is read, and
// a link is written through.
TEST(BatchMode, OutputThatIsNoFileToReplace) {
  TempDirectory work;
  const std::string log = work.File("day1.nmea");
  std::filesystem::copy_file(FixturePath("gpsd/garmin25lp.log"), log);
  std::filesystem::create_directory(work.File("folder"));
  ASSERT_EQ(::mkfifo(work.File("fifo.kmz").c_str(), 0600), 0);
  std::filesystem::create_hard_link(log, work.File("same.kmz"));
  const std::string original = ReadWholeFile(log);
  struct Case {
    std::string output;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {work.File("folder"), "Is a directory"},
      {work.File("fifo.kmz"), "it is not a regular file"},
      {"/dev/null", "it is not a regular file"},
      {log, "it is the input file"},
      {work.File("same.kmz"), "it is the input file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    const ProgramResult result = Convert({log, c.output}, work.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Kelvra Trackmint: Can't write the output file " + c.output + ": " +
                              c.reason + ".\n");
    EXPECT_EQ(ReadWholeFile(log), original);
    EXPECT_EQ(DirectoryEntries(work.path()),
              (std::vector<std::string>{"day1.nmea", "fifo.kmz", "folder", "same.kmz"}));
  }

  std::filesystem::create_symlink("folder/real.kmz", work.File("link.kmz"));
  const ProgramResult linked = Convert({log, "link.kmz"}, work.path());
  ASSERT_EQ(linked.exit_status, 0) << linked.err;
  EXPECT_TRUE(std::filesystem::is_symlink(work.File("link.kmz")));
  EXPECT_TRUE(ReadKmz(work.File("folder/real.kmz")).intact);
}

// A file-size limit is the run's own write error, not a silent death by SIGXFSZ, and the earlier
// KMZ stays.
TEST(BatchMode, AFileSizeLimitIsAWriteError) {
  TempDirectory work;
  WriteWholeFile(work.File("out.kmz"), "an earlier KMZ");
  const std::string command = "ulimit -f 64; exec '" + kProgram + "' '" +
                              FixturePath("nmeaparser/NmeaSampleData.txt") + "' out.kmz";
  const ProgramResult result = RunProgram("/bin/sh", {"-c", command}, work.path(),
                                          {{"XDG_CONFIG_HOME", EmptyConfigHome().path()}});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "Kelvra Trackmint: Can't write the output file " + work.File("out.kmz") +
                            ": File too large.\n");
  EXPECT_EQ(ReadWholeFile(work.File("out.kmz")), "an earlier KMZ");
  EXPECT_EQ(DirectoryEntries(work.path()), std::vector<std::string>{"out.kmz"});
}

// SIGINT, SIGTERM and SIGHUP in the middle of a run: the message, the status shells give for the
// signal, the earlier KMZ as it was and nothing beside it. The log comes through a pipe that the
// test keeps open, so the run is surely in the middle of it, waiting for more.
TEST(BatchMode, SignalsStopTheRunAndKeepTheEarlierKmz) {
  std::string sentences;
  for (int i = 0; i < 2000; ++i) {
    sentences += testing::Line("GPGGA,12" + std::to_string(1000 + i % 5000) +
                               ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
  }
  for (const auto& [signal_number, status] :
       std::vector<std::pair<int, int>>{{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
    SCOPED_TRACE(signal_number);
    TempDirectory work;
    WriteWholeFile(work.File("out.kmz"), "an earlier KMZ");
    ASSERT_EQ(::mkfifo(work.File("log.pipe").c_str(), 0600), 0);
    testing::RunningProgram program(kProgram, {"log.pipe", "out.kmz"}, work.path(),
                                    {{"XDG_CONFIG_HOME", EmptyConfigHome().path()}});
    {
      // Opening the pipe waits for the program to open it for reading.
      std::ofstream pipe(work.File("log.pipe"), std::ios::binary);
      pipe << sentences << std::flush;
      ASSERT_TRUE(program.WaitUntilItCatches(signal_number));
      ::usleep(300000);
      program.Signal(signal_number);
      const ProgramResult result = program.Wait();
      EXPECT_EQ(result.exit_status, status) << result.err;
      EXPECT_EQ(result.err, "Kelvra Trackmint: interrupted\n");
      EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(ReadWholeFile(work.File("out.kmz")), "an earlier KMZ");
    EXPECT_EQ(DirectoryEntries(work.path()), (std::vector<std::string>{"log.pipe", "out.kmz"}));
  }
}

// The same in the middle of a long log read from a file, where the signal arrives between
// blocks while the document is being deflated.
TEST(BatchMode, ASignalDuringALongLogKeepsTheEarlierKmz) {
  TempDirectory work;
  std::string log;
  for (int i = 0; i < 200000; ++i) {
    const int second = i % 86400;
    char time[32];
    std::snprintf(time, sizeof time, "%02d%02d%02d.%d", second / 3600, second / 60 % 60,
                  second % 60, i / 86400);
    log += testing::Line(std::string("GPGGA,") + time +
                         ",4807.038,N,01131.000,E,4,08,0.9,545.4,M,,,,");
  }
  WriteWholeFile(work.File("long.nmea"), log);
  WriteWholeFile(work.File("out.kmz"), "an earlier KMZ");
  testing::RunningProgram program(kProgram, {"long.nmea", "out.kmz"}, work.path(),
                                  {{"XDG_CONFIG_HOME", EmptyConfigHome().path()}});
  // A signal before the program has its handler would end it the default way, without a word.
  ASSERT_TRUE(program.WaitUntilItCatches(SIGTERM));
  ::usleep(200000);
  program.Signal(SIGTERM);
  const ProgramResult result = program.Wait();
  // A machine fast enough to finish first has nothing to show here.
  if (result.exit_status == 0) GTEST_SKIP() << "the run ended before the signal";
  EXPECT_EQ(result.exit_status, 143) << result.err;
  EXPECT_EQ(result.err, "Kelvra Trackmint: interrupted\n");
  EXPECT_EQ(ReadWholeFile(work.File("out.kmz")), "an earlier KMZ");
  EXPECT_EQ(DirectoryEntries(work.path()), (std::vector<std::string>{"long.nmea", "out.kmz"}));
}

TEST(BatchMode, HelpAndVersion) {
  const ProgramResult version = Convert({"--version"}, "/");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_EQ(version.out, "Kelvra Trackmint  v 1.4\n");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"-h"}, std::vector<std::string>{"--help", "foo"},
        std::vector<std::string>{"in.nmea", "out.kmz", "--help"}}) {
    const ProgramResult help = Convert(arguments, "/");
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_NE(help.out.find("trackmint [OPTION...] [--] IN OUT [SETTINGS]"), std::string::npos);
    EXPECT_EQ(help.err, "");
  }
}

// A wrong command line converts nothing and opens no window: the usage on standard error and the
// status 2 that scripts know from other tools.
TEST(BatchMode, UsageErrorsExitWithTwo) {
  TempDirectory work;
  const std::string garmin = FixturePath("gpsd/garmin25lp.log");
  struct Case {
    std::vector<std::string> arguments;
    std::string first_line;
  };
  const std::vector<Case> cases = {
      {{"-x"}, "Kelvra Trackmint: unknown option -x\n"},
      {{garmin, work.File("a.kmz"), "--verbose"}, "Kelvra Trackmint: unknown option --verbose\n"},
      {{garmin, work.File("a.kmz"), "my.ini", "extra"},
       "Kelvra Trackmint: too many arguments: at most IN, OUT and SETTINGS (or -o OUT IN...)\n"},
      {{garmin, work.File("a.kmz"), "--interval"},
       "Kelvra Trackmint: --interval needs a number of seconds\n"},
      {{"--interval", "1,5", garmin, work.File("a.kmz")},
       "Kelvra Trackmint: --interval takes seconds from 0 to 86400 with at most three decimals, "
       "not \"1,5\"\n"},
      {{"--from", "9:30", garmin, work.File("a.kmz")},
       "Kelvra Trackmint: --from takes a time hh:mm[:ss[.fff]] or a date-time "
       "yyyy-mm-ddThh:mm[:ss[.fff]], not \"9:30\"\n"},
      {{garmin, work.File("a.kmz"), "--to"}, "Kelvra Trackmint: --to needs a time\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first_line);
    const ProgramResult result =
        RunProgram(kProgram, c.arguments, work.path(),
                   {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind(c.first_line, 0), 0u) << result.err;
    EXPECT_NE(result.err.find("trackmint [OPTION...] [--] IN OUT [SETTINGS]"), std::string::npos);
  }
  EXPECT_TRUE(DirectoryEntries(work.path()).empty());

  // After "--" a name may start with "-".
  std::filesystem::copy_file(garmin, work.File("-day1.nmea"));
  const ProgramResult dashed = Convert({"--", "-day1.nmea", "-day1.kmz"}, work.path());
  ASSERT_EQ(dashed.exit_status, 0) << dashed.err;
  EXPECT_TRUE(ReadKmz(work.File("-day1.kmz")).intact);
}

// garmin25lp.log's ten fixes run from 12:03:26 to 12:03:35 on 2005-03-15, one a second. The
// options stand for the settings file's keys in the run, and a key that cannot stand is said.
TEST(BatchMode, TimeWindowAndIntervalFromTheFileAndTheOptions) {
  TempDirectory work;
  const std::string garmin = FixturePath("gpsd/garmin25lp.log");
  WriteWholeFile(work.File("window.ini"),
                 "[Settings]\r\nCheckBox1=0\r\nArrowInterval=5\r\nFromTime=12:03:28\r\n");
  struct Case {
    const char* legend;
    std::vector<std::string> arguments;
    std::vector<std::string> when;
  };
  // The slots of 5 s: 12:03:25 to 12:03:29.999 is one, 12:03:30 to 12:03:34.999 the next.
  const std::vector<Case> cases = {
      {"the file's window from 12:03:28, an arrow each 5 s",
       {garmin, "a.kmz", "window.ini"},
       {"2005-03-15T12:03:28Z", "2005-03-15T12:03:30Z", "2005-03-15T12:03:35Z"}},
      {"the options win: 12:03:33 to the end, every arrow",
       {"--from", "2005-03-15T12:03:33Z", "--interval", "0", garmin, "a.kmz", "window.ini"},
       {"2005-03-15T12:03:33Z", "2005-03-15T12:03:34Z", "2005-03-15T12:03:35Z"}},
      {"from 12:03:28 to 12:03:27 runs across midnight and holds the whole log",
       {"--to", "12:03:27", garmin, "a.kmz", "window.ini"},
       {"2005-03-15T12:03:26Z", "2005-03-15T12:03:30Z", "2005-03-15T12:03:35Z"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const ProgramResult result = Convert(c.arguments, work.path());
    ASSERT_EQ(result.exit_status, 0) << result.err;
    std::vector<std::string> when;
    const std::string document = ReadKmz(work.File("a.kmz")).document;
    for (std::size_t at = document.find("<when>"); at != std::string::npos;
         at = document.find("<when>", at + 1)) {
      when.push_back(document.substr(at + 6, document.find("</when>", at) - at - 6));
    }
    EXPECT_EQ(when, c.when);
  }

  WriteWholeFile(work.File("bad.ini"), "[Settings]\r\nArrowInterval=often\r\n");
  const ProgramResult bad = Convert({"-q", garmin, "b.kmz", "bad.ini"}, work.path());
  ASSERT_EQ(bad.exit_status, 0) << bad.err;
  EXPECT_TRUE(bad.err.starts_with("Kelvra Trackmint: the settings file " +
                                  std::filesystem::canonical(work.path()).string() +
                                  "/bad.ini: ArrowInterval=often is not a number of seconds from "
                                  "0 to 86400 with at most three decimals; it is left at 0\n"))
      << bad.err;
  EXPECT_EQ(bad.out, work.File("b.kmz") + ": Waypoints 10\n");
}

// More placemarks than a globe opens in reasonable time: after the summary, how long it takes
// and the interval that keeps fewer than 5,000. 20,001 fixes one a second are 20,000 s: an arrow
// each 5 s keeps 4,001 of them.
TEST(BatchMode, TooManyPlacemarksForAGlobeAreSaidWithTheIntervalThatHelps) {
  TempDirectory work;
  std::string log;
  for (int i = 0; i < 20'001; ++i) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%02d", i / 3600, i / 60 % 60, i % 60);
    log += testing::Line(std::string("GPGGA,") + time + ",4807.038,N,01131.000,E,1,08,0.9,1,M,,,,");
  }
  WriteWholeFile(work.File("day.nmea"), log);
  const ProgramResult result = Convert({"day.nmea", "day.kmz"}, work.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_TRUE(result.err.ends_with(
      "\n20,001 placemarks take a globe about 20 seconds to load; --interval 5 keeps about "
      "4,000\n"))
      << result.err;
  const ProgramResult quiet = Convert({"-q", "day.nmea", "day.kmz"}, work.path());
  EXPECT_EQ(quiet.err, "");
  const ProgramResult thinned = Convert({"--interval", "5", "day.nmea", "day.kmz"}, work.path());
  EXPECT_EQ(thinned.out, work.File("day.kmz") + ": Waypoints 4001\n");
  EXPECT_NE(thinned.err.find("Epochs: 20001 read, 4001 waypoint placemarks, 16000 left out by "
                             "the arrow interval\n"),
            std::string::npos)
      << thinned.err;
  EXPECT_EQ(thinned.err.find("placemarks take a globe"), std::string::npos);
}

// --preview writes the run's picture beside the KMZ, with the same care: a 1200 by 800 PNG that
// libpng reads to its end, an earlier one kept when the run fails, and a name that is the log,
// the KMZ or no regular file refused before anything is written.
TEST(BatchMode, PreviewWritesThePictureWholeOrNotAtAll) {
  TempDirectory work;
  const std::string garmin = FixturePath("gpsd/garmin25lp.log");
  const ProgramResult result =
      Convert({"--json", "--preview", "day.png", garmin, "day.kmz"}, work.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;
  const testing::DecodedPng png = testing::DecodePng(ReadWholeFile(work.File("day.png")));
  EXPECT_EQ(png.problem, "");
  EXPECT_EQ(png.width, 1200u);
  EXPECT_EQ(png.height, 800u);
  EXPECT_NE(result.out.find("\"preview\":\"" + work.File("day.png") + "\""), std::string::npos)
      << result.out;
  EXPECT_EQ(DirectoryEntries(work.path()), (std::vector<std::string>{"day.kmz", "day.png"}));

  // A run that fails keeps the earlier picture.
  const std::string earlier = ReadWholeFile(work.File("day.png"));
  WriteWholeFile(work.File("noise.nmea"), "no sentence here\n");
  const ProgramResult failed =
      Convert({"--preview", "day.png", "noise.nmea", "day.kmz"}, work.path());
  EXPECT_EQ(failed.exit_status, 1);
  EXPECT_EQ(ReadWholeFile(work.File("day.png")), earlier);
  EXPECT_EQ(DirectoryEntries(work.path()),
            (std::vector<std::string>{"day.kmz", "day.png", "noise.nmea"}));

  std::filesystem::create_directory(work.File("folder.png"));
  std::filesystem::copy_file(garmin, work.File("log.nmea"));
  struct Case {
    std::string preview;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"log.nmea",
       "Can't write the picture file " + work.File("log.nmea") + ": it is the input file."},
      {"other.kmz",
       "Can't write the output file " + work.File("other.kmz") + ": it is the picture file."},
      {"folder.png",
       "Can't write the picture file " + work.File("folder.png") + ": Is a directory."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.preview);
    const ProgramResult refused =
        Convert({"--preview", c.preview, "log.nmea", "other.kmz"}, work.path());
    EXPECT_EQ(refused.exit_status, 1);
    EXPECT_EQ(refused.err, "Kelvra Trackmint: " + c.error + "\n");
    EXPECT_FALSE(std::filesystem::exists(work.File("other.kmz")) &&
                 std::filesystem::is_regular_file(work.File("other.kmz")));
  }
  const ProgramResult usage = Convert({"log.nmea", "other.kmz", "--preview"}, work.path());
  EXPECT_EQ(usage.exit_status, 2);
  EXPECT_TRUE(usage.err.starts_with("Kelvra Trackmint: --preview needs a file name\n"));
}

// Logs as loggers keep them: through a pipe as "-", gzipped, and cut into files given one after
// the other with -o; each gives the document of the plain log. A file named "-" is "./-".
TEST(BatchMode, LogsThroughAPipeCompressedAndSplit) {
  TempDirectory work;
  const std::string log = ReadWholeFile(FixturePath("gpsd/garmin25lp.log"));
  WriteWholeFile(work.File("day.nmea"), log);
  ASSERT_EQ(Convert({"day.nmea", "plain.kmz"}, work.path()).exit_status, 0);
  const std::string plain = ReadKmz(work.File("plain.kmz")).document;
  ASSERT_FALSE(plain.empty());

  const std::string config = "XDG_CONFIG_HOME='" + EmptyConfigHome().path() + "' ";
  const ProgramResult piped = RunProgram(
      "/bin/sh", {"-c", "cat day.nmea | " + config + "'" + kProgram + "' -q - piped.kmz"},
      work.path());
  ASSERT_EQ(piped.exit_status, 0) << piped.err;
  EXPECT_EQ(ReadKmz(work.File("piped.kmz")).document, plain);

  ASSERT_EQ(
      RunProgram("/bin/sh", {"-c", "gzip -c day.nmea > day.nmea.gz"}, work.path()).exit_status, 0);
  ASSERT_EQ(Convert({"-q", "day.nmea.gz", "zipped.kmz"}, work.path()).exit_status, 0);
  EXPECT_EQ(ReadKmz(work.File("zipped.kmz")).document, plain);

  // Cut at line ends into three files, the middle one gzipped, given in their order.
  const std::size_t third = log.find('\n', log.size() / 3) + 1;
  const std::size_t two_thirds = log.find('\n', 2 * log.size() / 3) + 1;
  WriteWholeFile(work.File("part-1.nmea"), log.substr(0, third));
  WriteWholeFile(work.File("part-2.nmea"), log.substr(third, two_thirds - third));
  WriteWholeFile(work.File("part-3.nmea"), log.substr(two_thirds));
  ASSERT_EQ(RunProgram("/bin/sh", {"-c", "gzip part-2.nmea"}, work.path()).exit_status, 0);
  const ProgramResult split = Convert(
      {"--json", "-o", "split.kmz", "part-1.nmea", "part-2.nmea.gz", "part-3.nmea"}, work.path());
  ASSERT_EQ(split.exit_status, 0) << split.err;
  EXPECT_EQ(ReadKmz(work.File("split.kmz")).document, plain);
  EXPECT_NE(
      split.out.find("\"inputs\":[\"" + work.File("part-1.nmea") + "\",\"" +
                     work.File("part-2.nmea.gz") + "\",\"" + work.File("part-3.nmea") + "\"]"),
      std::string::npos)
      << split.out;

  // A file called "-" is named "./-"; a missing second log stops the run before anything is
  // written, naming it.
  std::filesystem::copy_file(work.File("day.nmea"), work.File("-"));
  ASSERT_EQ(Convert({"-q", "./-", "dash.kmz"}, work.path()).exit_status, 0);
  EXPECT_EQ(ReadKmz(work.File("dash.kmz")).document, plain);
  const ProgramResult missing = Convert({"-o", "none.kmz", "day.nmea", "absent.nmea"}, work.path());
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.err, "Kelvra Trackmint: Can't open the input file " + work.File("absent.nmea") +
                             ": No such file or directory.\n");
  EXPECT_FALSE(std::filesystem::exists(work.File("none.kmz")));
}

// --csv writes a row for each placemark written, read back here by Python's csv module: the
// header, then garmin25lp.log's ten fixes, the first two worked out from their sentences
// ($GPRMC,120326,A,4221.3871,N,01322.0800,E,000.0,000.0,150305 and its GGA of quality 1 with no
// satellite, HDOP 3.1 at 746.1 m; the next with three satellites), the fixed date in their time.
TEST(BatchMode, CsvTableOfThePlacemarks) {
  if (!std::filesystem::exists("/usr/bin/python3"))
    GTEST_SKIP() << "no /usr/bin/python3 to read CSV";
  TempDirectory work;
  const std::string garmin = FixturePath("gpsd/garmin25lp.log");
  const ProgramResult result =
      Convert({"--json", "--csv", "day.csv", garmin, "day.kmz"}, work.path());
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_NE(result.out.find("\"csv\":\"" + work.File("day.csv") + "\""), std::string::npos);
  const std::string script =
      "import csv, json, sys\n"
      "with open(sys.argv[1], newline='') as f:\n"
      "    rows = list(csv.reader(f))\n"
      "print(json.dumps(rows))\n";
  const ProgramResult parsed =
      RunProgram("/usr/bin/python3", {"-c", script, work.File("day.csv")}, work.path());
  ASSERT_EQ(parsed.exit_status, 0) << parsed.err;
  const nlohmann::json rows = nlohmann::json::parse(parsed.out);
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows[0], (nlohmann::json{"time", "latitude", "longitude", "altitude_m", "fix_class",
                                     "gga_quality", "rmc_mode", "satellites_used", "hdop",
                                     "speed_kmh", "course_deg"}));
  EXPECT_EQ(rows[1], (nlohmann::json{"2000-01-01T12:03:26Z", "42.356452", "13.368000", "746.100",
                                     "Auto", "1", "", "0", "3.10", "0.000", "0.00"}));
  EXPECT_EQ(rows[2], (nlohmann::json{"2000-01-01T12:03:27Z", "42.356453", "13.368000", "746.100",
                                     "Auto", "1", "", "3", "3.10", "0.000", "0.00"}));
  EXPECT_EQ(rows[10][0], "2000-01-01T12:03:35Z");

  // To standard output the table has it to itself; the result line goes to standard error.
  const ProgramResult piped = Convert({"--csv", "-", "-q", garmin, "out.kmz"}, work.path());
  ASSERT_EQ(piped.exit_status, 0) << piped.err;
  EXPECT_EQ(piped.out, ReadWholeFile(work.File("day.csv")));
  EXPECT_NE(piped.err.find(work.File("out.kmz") + ": Waypoints 10\n"), std::string::npos);
}

// A damaged or cut compressed log ends the run with the reason, and the earlier KMZ stays.
TEST(BatchMode, ATruncatedGzipKeepsTheEarlierKmz) {
  TempDirectory work;
  std::filesystem::copy_file(FixturePath("gpsd/garmin25lp.log"), work.File("day.nmea"));
  ASSERT_EQ(RunProgram("/bin/sh", {"-c", "gzip day.nmea"}, work.path()).exit_status, 0);
  const std::string zipped = ReadWholeFile(work.File("day.nmea.gz"));
  WriteWholeFile(work.File("cut.nmea.gz"), zipped.substr(0, zipped.size() / 2));
  WriteWholeFile(work.File("out.kmz"), "an earlier KMZ");
  const ProgramResult result = Convert({"cut.nmea.gz", "out.kmz"}, work.path());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(result.err.starts_with("Kelvra Trackmint: Can't read the input file " +
                                     work.File("cut.nmea.gz") + ": "))
      << result.err;
  EXPECT_EQ(ReadWholeFile(work.File("out.kmz")), "an earlier KMZ");
}

// One log named alone is for the window; without a display that converts nothing and says how.
TEST(BatchMode, OneLogWithoutADisplayIsAUsageError) {
  const ProgramResult result =
      RunProgram(kProgram, {"day1.nmea"}, "/",
                 {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_TRUE(
      result.err.starts_with("Kelvra Trackmint: no window to open day1.nmea in; to "
                             "convert it here: trackmint day1.nmea day1.nmea.kmz\n"))
      << result.err;
  EXPECT_EQ(result.out, "");
}

TEST(BatchMode, WithoutADisplayTheWindowSaysHowToConvert) {
  const ProgramResult result = RunProgram(
      kProgram, {}, "/", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_NE(result.err.find("trackmint IN OUT"), std::string::npos) << result.err;
}

// Logs no receiver should write, and settings files no user should: every run ends with 0 or 1,
// and every KMZ written is intact and holds a well-formed document.
TEST(BatchMode, HostileInputNeverBreaksTheProgramOrTheDocument) {
  TempDirectory work;
  std::mt19937 random(20261209);
  std::string noise(200000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string storm;
  for (int i = 0; i < 50000; ++i) storm += "$*"[random() % 2];
  const std::string markup_time = "12<&>]]>\x01\xff\xfe";
  std::string long_fields = testing::Line("GPGGA," + std::string(200, '1') +
                                          ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
  long_fields += testing::Line("GPRMC,1" + std::string(60, '9') + ",A,,,,,,,,,,");

  // The exit status each log must give, whatever the settings: 0 when it holds a sentence with a
  // right checksum, 1 when it holds none. Random bytes may hold one by chance.
  struct Log {
    std::string legend;
    std::string bytes;
    std::optional<int> status;
  };
  const std::vector<Log> logs = {
      {"random bytes", noise, std::nullopt},
      {"no line end", testing::Sentence("GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,"),
       0},
      // After "$*" the assembler waits for checksum digits, and a storm brings none.
      {"storms of $ and *", storm, 1},
      {"markup, control characters and invalid UTF-8",
       testing::Line("GPGGA," + markup_time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,") +
           testing::Line("GPRMC," + markup_time + ",A,4807.038,N,01131.000,E,1,2,<x>&,,,A") +
           testing::Line("GPRMC,\t\x7f\x80,A,4807.038,N,01131.000,E,1,2,]]>,,,A"),
       0},
      // The GGA passes 100 characters and is dropped; the RMC of 83 is read.
      {"long fields and sentences", long_fields, 0},
      {"absurd numbers",
       testing::Line("GPGGA,1,1e999,N,-1e999,W,99999999999999999999,nan,inf,1e-999,M,,,1e999,") +
           testing::Line("GPRMC,1,A,nan,S,inf,W,1e308,-1e999,999999,,,A") +
           testing::Line("GPGSV,1,1,01,05,99999999999999999999,-5,1e9"),
       0},
      {"empty", "", 1},
  };
  const std::vector<std::string> settings = {
      "",
      std::string("[Settings]\r\nMaskEdit1=<&]]>\x01\xff\r\nEdit3=<w>&\r\nEdit4=]]>"
                  "\x02\r\nCheckBox2=1\r\nCheckBox1=1\r\n"),
      noise.substr(0, 5000)};
  int run = 0;
  for (const Log& log : logs) {
    for (std::size_t s = 0; s < settings.size(); ++s) {
      SCOPED_TRACE(log.legend + " with settings " + std::to_string(s));
      const std::string log_path = work.File("log" + std::to_string(run) + ".nmea");
      const std::string settings_path = work.File("settings" + std::to_string(run) + ".ini");
      const std::string kmz = work.File("out" + std::to_string(run) + ".kmz");
      ++run;
      WriteWholeFile(log_path, log.bytes);
      WriteWholeFile(settings_path, settings[s]);
      const ProgramResult result = Convert({log_path, kmz, settings_path}, "/");
      ASSERT_TRUE(result.exit_status == 0 || result.exit_status == 1)
          << result.exit_status << result.err;
      if (log.status) {
        EXPECT_EQ(result.exit_status, *log.status) << result.err;
      }
      if (result.exit_status == 0) {
        const KmzContent content = ReadKmz(kmz);
        EXPECT_TRUE(content.intact);
        EXPECT_GE(WaypointCount(content.document), 0) << "not well-formed:\n"
                                                      << content.document.substr(0, 2000);
      }
    }
  }
}

}  // namespace
}  // namespace trackmint
