#include "run/conversion_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "kmz/deflate_stream.h"
#include "support/fixtures.h"
#include "support/program_run.h"
#include "support/scoped_process_state.h"
#include "support/sentences.h"
#include "support/stub_host.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::ReadWholeFile;
using testing::StubHost;
using testing::TempDirectory;
using testing::WriteWholeFile;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

std::vector<std::string> Entries(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// A member of a KMZ as unzip reads it.
std::string Member(const std::string& kmz, const std::string& name) {
  return testing::RunProgram("/usr/bin/unzip", {"-p", kmz, name}, "/").out;
}

// A host as the window would be after choosing <directory>/log.nmea.
StubHost HostFor(const TempDirectory& directory, const std::string& log_name = "log.nmea") {
  StubHost host;
  host.input_text = log_name;
  host.input_path = directory.File(log_name);
  host.output_text = log_name + ".kmz";
  host.output_path = directory.File(log_name + ".kmz");
  host.progress = 42;
  host.right_status = "before";
  host.run_enabled = true;
  return host;
}

TEST(ConversionRun, AnInputThatCannotBeOpenedLeavesEverythingAsItWas) {
  TempDirectory directory;
  for (const std::string& input_path : {std::string(), directory.File("missing.nmea")}) {
    SCOPED_TRACE("input path '" + input_path + "'");
    StubHost host = HostFor(directory);
    host.input_path = input_path;
    NMEA assembler;
    const RunResult result = SpeedButton3Click(host, assembler, kClock);
    EXPECT_EQ(result.outcome, RunOutcome::InputNotOpened);
    EXPECT_EQ(result.failed_path, input_path);
    EXPECT_EQ(result.error_number, ENOENT);
    EXPECT_EQ(host.left_status_history, std::vector<std::string>{"Can't open the input file"});
    EXPECT_EQ(host.pending_event_calls, 1);
    EXPECT_EQ(host.progress, 42);
    EXPECT_EQ(host.right_status, "before");
    EXPECT_TRUE(host.run_enabled);
    EXPECT_EQ(host.locks, 0);
    EXPECT_TRUE(Entries(directory.path()).empty());
  }
}

TEST(ConversionRun, AnOutputThatCannotBeCreatedKeepsTheOutputPath) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"), "");
  StubHost host = HostFor(directory);
  host.output_path = directory.File("missing/x.kmz");
  NMEA assembler;
  const RunResult result = SpeedButton3Click(host, assembler, kClock);
  EXPECT_EQ(result.outcome, RunOutcome::OutputNotCreated);
  EXPECT_EQ(result.failed_path, directory.File("missing/log.nmea.kmz"));
  EXPECT_EQ(result.error_number, ENOENT);
  EXPECT_EQ(host.left_status_history, std::vector<std::string>{"Can't create the output file"});
  EXPECT_EQ(host.output_path, directory.File("missing/x.kmz"));
  EXPECT_EQ(host.pending_event_calls, 1);
  EXPECT_EQ(host.locks, 0);
  EXPECT_EQ(Entries(directory.path()), std::vector<std::string>{"log.nmea"});
}

// The KMZ replaces only a regular file (or one a link points to), and never the log itself;
// anything else is refused before a byte is read or written.
TEST(ConversionRun, TheOutputMustBeAFileThatMayBeReplaced) {
  TempDirectory directory;
  const std::string log = testing::Line("GPRMC,1,A,4807.038,N,01131.000,E,1,2,010120,,,A");
  WriteWholeFile(directory.File("log.nmea"), log);
  std::filesystem::create_directory(directory.File("folder.kmz"));
  ASSERT_EQ(::mkfifo(directory.File("fifo.kmz").c_str(), 0600), 0);
  struct Case {
    std::string output_text;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"folder.kmz", "Is a directory"},
      {"", "Is a directory"},  // the name ends in the separator
      {"fifo.kmz", "it is not a regular file"},
      {"log.nmea", "it is the input file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output_text);
    StubHost host = HostFor(directory);
    host.output_text = c.output_text;
    NMEA assembler;
    try {
      SpeedButton3Click(host, assembler, kClock);
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Can't write the output file " + directory.File(c.output_text) + ": " + c.reason);
    }
    EXPECT_EQ(host.locks, 0);
    EXPECT_TRUE(host.left_status_history.empty());
    EXPECT_EQ(Entries(directory.path()),
              (std::vector<std::string>{"fifo.kmz", "folder.kmz", "log.nmea"}));
    EXPECT_EQ(ReadWholeFile(directory.File("log.nmea")), log);
  }
}

// A link at the output is written through: the file it names becomes the KMZ, the link stays.
TEST(ConversionRun, ALinkAtTheOutputIsWrittenThrough) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"),
                 testing::Line("GPRMC,1,A,4807.038,N,01131.000,E,1,2,010120,,,A"));
  std::filesystem::create_directory(directory.File("kmz"));
  WriteWholeFile(directory.File("kmz/day1.kmz"), "earlier");
  std::filesystem::create_symlink("kmz/day1.kmz", directory.File("log.nmea.kmz"));
  StubHost host = HostFor(directory);
  NMEA assembler;
  ASSERT_EQ(SpeedButton3Click(host, assembler, kClock).outcome, RunOutcome::Finished);
  EXPECT_TRUE(std::filesystem::is_symlink(directory.File("log.nmea.kmz")));
  EXPECT_TRUE(ReadWholeFile(directory.File("kmz/day1.kmz")).starts_with("PK\x03\x04"));
  EXPECT_EQ(Entries(directory.File("kmz")), std::vector<std::string>{"day1.kmz"});
}

// While the KMZ is written nothing new is seen beside it: no document, no icons, no half KMZ.
TEST(ConversionRun, NothingStandsBesideTheKmzWhileItIsWritten) {
  TempDirectory directory;
  std::string log;
  for (int i = 0; i < 400; ++i) {
    log += testing::Line("GPGGA,12" + std::to_string(1000 + i) +
                         ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
  }
  WriteWholeFile(directory.File("log.nmea"), log);
  WriteWholeFile(directory.File("log.nmea.kmz"), "the previous KMZ");
  struct LookingHost : StubHost {
    std::string directory;
    std::vector<std::vector<std::string>> seen;
    void ProcessPendingEvents() override {
      StubHost::ProcessPendingEvents();
      seen.push_back(Entries(directory));
    }
  } host;
  static_cast<StubHost&>(host) = HostFor(directory);
  host.directory = directory.path();
  NMEA assembler;
  ASSERT_EQ(SpeedButton3Click(host, assembler, kClock).outcome, RunOutcome::Finished);
  ASSERT_GT(host.seen.size(), 10u);  // a turn for each block of the log, and one before the end
  for (const std::vector<std::string>& entries : host.seen) {
    EXPECT_EQ(entries, (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
  }
  EXPECT_TRUE(ReadWholeFile(directory.File("log.nmea.kmz")).starts_with("PK\x03\x04"));
}

TEST(ConversionRun, ALogWithoutSentencesIsAnErrorThatKeepsTheEarlierKmz) {
  TempDirectory directory;
  std::string noise(5000, '\0');
  unsigned state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 16);
  const std::vector<std::pair<std::string, std::string>> logs = {
      {"empty", ""},
      {"random bytes", noise},
      {"a sentence with a wrong checksum",
       "$GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,*00\r\n"},
  };
  for (const auto& [legend, log] : logs) {
    SCOPED_TRACE(legend);
    WriteWholeFile(directory.File("log.nmea"), log);
    WriteWholeFile(directory.File("log.nmea.kmz"), "the previous KMZ");
    StubHost host = HostFor(directory);
    NMEA assembler;
    try {
      SpeedButton3Click(host, assembler, kClock);
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()), "no NMEA sentences in " + directory.File("log.nmea"));
    }
    EXPECT_EQ(ReadWholeFile(directory.File("log.nmea.kmz")), "the previous KMZ");
    EXPECT_EQ(Entries(directory.path()), (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
    EXPECT_EQ(host.left_status, "The conversion failed");
    EXPECT_EQ(host.right_status, "");
    EXPECT_EQ(host.progress, 0);
    EXPECT_TRUE(host.run_enabled);
    EXPECT_EQ(host.lock_depth, 0);
  }
}

// Sentences without a single usable fix still make a KMZ: the frame, the empty folder, no track.
TEST(ConversionRun, ALogWithoutAUsableFixGivesTheFrameOfADocument) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"), testing::Line("GPGGA,120000,,,,,0,00,,,M,,,,") +
                                                 testing::Line("GPRMC,120000,V,,,,,,,010120,,,N"));
  StubHost host = HostFor(directory);
  host.track_colour = 0x0000FF;  // red
  NMEA assembler;
  const RunResult result = SpeedButton3Click(host, assembler, kClock);
  ASSERT_EQ(result.outcome, RunOutcome::Finished);
  EXPECT_EQ(result.summary.placemarks, 0);
  EXPECT_EQ(host.right_status, "Waypoints 0");
  EXPECT_TRUE(
      testing::SameText("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
                        "<Style "
                        "id=\"NormalTrack\">\n<LineStyle>\n<color>FF0000FF</color>\n<width>5</"
                        "width>\n</LineStyle>\n</Style>\n"
                        "<Folder>\n<name>WayPoints</name>\n</Folder>\n"
                        "<Placemark>\n<name>NormalTrack</name>\n<styleUrl>#NormalTrack</styleUrl>\n"
                        "<LineString>\n<tessellate>1</tessellate>\n<coordinates>\n</coordinates>\n"
                        "</LineString>\n</Placemark>\n"
                        "</Document>\n</kml>",
                        Member(directory.File("log.nmea.kmz"), "log.nmea.kml")));
  EXPECT_EQ(Entries(directory.path()), (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
}

TEST(ConversionRun, ReportsItsCourseAndEndsUnlocked) {
  TempDirectory directory;
  std::string log;
  for (int second = 0; second < 30; ++second) {
    log += testing::Line("GPGGA,1200" + std::to_string(10 + second) +
                         ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
  }
  log.resize(2048, ' ');  // two full blocks: the gauge moves only by the step rule
  WriteWholeFile(directory.File("log.nmea"), log);

  // Looks at the host each time the run gives the window a turn.
  struct WatchingHost : StubHost {
    std::vector<int> lock_depth_at_events;
    void ProcessPendingEvents() override {
      StubHost::ProcessPendingEvents();
      lock_depth_at_events.push_back(run_enabled ? -1 : lock_depth);
    }
  } host;
  static_cast<StubHost&>(host) = HostFor(directory);
  NMEA assembler;
  const RunResult result = SpeedButton3Click(host, assembler, kClock);
  ASSERT_EQ(result.outcome, RunOutcome::Finished);
  EXPECT_EQ(result.summary.placemarks, 30);
  EXPECT_EQ(host.progress, 97);  // 2048 bytes, step 20
  EXPECT_EQ(host.right_status, "Waypoints 30");
  EXPECT_EQ(host.left_status, "The progress finished");
  const std::vector<RunPhase> course = {RunPhase::Started, RunPhase::Reading, RunPhase::Writing,
                                        RunPhase::Packing, RunPhase::Finished};
  EXPECT_EQ(host.phases, course);
  const std::vector<std::string> panel = {" ", "The progress started", "Creation of KML-file",
                                          "Packing of KMZ-file", "The progress finished"};
  EXPECT_EQ(host.left_status_history, panel);
  EXPECT_EQ(
      host.final_messages,
      std::vector<std::string>{
          "The progress finished!\n\rInput file log.nmea\n\rWaypoints 30"
          // Thirty GGA fixes of quality 1 at one place, 12:00:10 to 12:00:39, without a date.
          "\n\rSpan: 12:00:10 to 12:00:39 (duration unknown: the log gives no date for both ends)"
          "\n\rEpochs: 30 read, 30 waypoint placemarks"
          "\n\rFix classes: Auto 30 (100.0 %)"
          "\n\rValid track: 0.000 km, highest speed 0.0 km/h"});
  // Locked with Run off whenever the window had a turn; unlocked with Run on at the end.
  ASSERT_FALSE(host.lock_depth_at_events.empty());
  for (int depth : host.lock_depth_at_events) EXPECT_EQ(depth, 1);
  EXPECT_EQ(host.lock_depth, 0);
  EXPECT_EQ(host.locks, 1);
  EXPECT_TRUE(host.run_enabled);
  // The document, then the icons of the fix classes in slot order and the grey one.
  const std::vector<std::string> members = {"log.nmea.kml", "255.png",      "65535.png",
                                            "32768.png",    "16711935.png", "16776960.png",
                                            "0.png",        "8421504.png"};
  const std::string listing =
      testing::RunProgram("/usr/bin/unzip", {"-Z1", directory.File("log.nmea.kmz")}, "/").out;
  std::vector<std::string> listed;
  for (std::size_t start = 0; start < listing.size();) {
    const std::size_t end = listing.find('\n', start);
    listed.push_back(listing.substr(start, end - start));
    start = end == std::string::npos ? listing.size() : end + 1;
  }
  EXPECT_EQ(listed, members);
}

TEST(ConversionRun, OutputNameRules) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"),
                 testing::Line("GPRMC,1,A,4807.038,N,01131.000,E,1,2,010120,,,A"));
  struct Case {
    const char* legend;
    std::string output_text;
    std::string output_path;
    std::string kmz;
    std::string document;
  };
  const std::vector<Case> cases = {
      {"no full path: the current directory", "track.kmz", "", directory.File("track.kmz"),
       "track.kml"},
      {"a name without extension in the directory of the full path", "track",
       directory.File("x.kmz"), directory.File("track"), "track.kml"},
      {"an absolute name stands", directory.File("abs.kmz"), directory.File("x.kmz"),
       directory.File("abs.kmz"), "abs.kml"},
      {"a name ending in .kml is the KMZ's own name", "same.kml", directory.File("x.kmz"),
       directory.File("same.kml"), "same.kml"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    StubHost host = HostFor(directory);
    host.output_text = c.output_text;
    host.output_path = c.output_path;
    NMEA assembler;
    const testing::ScopedWorkingDirectory here(directory.path());
    ASSERT_EQ(SpeedButton3Click(host, assembler, kClock).outcome, RunOutcome::Finished);
    EXPECT_EQ(std::filesystem::path(host.output_path), std::filesystem::path(c.kmz));
    const std::string document = Member(c.kmz, c.document);
    EXPECT_TRUE(
        document.starts_with("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"))
        << document.substr(0, 100);
    EXPECT_TRUE(document.ends_with("</kml>"));
  }
}

// Where two files first differ, or nothing when they are the same.
::testing::AssertionResult SameBytes(const std::string& first_path,
                                     const std::string& second_path) {
  const std::string first = ReadWholeFile(first_path);
  const std::string second = ReadWholeFile(second_path);
  if (first == second) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
  return ::testing::AssertionFailure()
         << first_path << " (" << first.size() << " bytes) and " << second_path << " ("
         << second.size() << " bytes) differ from byte " << at;
}

// The KMZ depends on the log, the settings and the clock alone: the same log converted twice
// gives the same bytes. Its document takes several pieces, which the deflate workers finish in
// whatever order the threads happen to run.
TEST(ConversionRun, TheSameLogTwiceGivesTheSameBytes) {
  const std::string log = testing::FixturePath("nmeaparser/NmeaSampleData.txt");
  TempDirectory first;
  TempDirectory second;
  for (const TempDirectory* directory : {&first, &second}) {
    // The same output name in both folders, for the document's member is named after it.
    StubHost host = HostFor(*directory, "track.nmea");
    host.input_path = log;
    host.use_fixed_date = false;    // the dates of the log
    host.use_all_waypoints = true;  // and the second track
    host.show_height = true;
    NMEA assembler;
    ASSERT_EQ(SpeedButton3Click(host, assembler, kClock).outcome, RunOutcome::Finished);
  }
  const std::string kmz = first.File("track.nmea.kmz");
  ASSERT_GT(Member(kmz, "track.nmea.kml").size(), 2 * kArchivePieceSize);
  EXPECT_TRUE(SameBytes(kmz, second.File("track.nmea.kmz")));
}

TEST(ConversionRun, AnErrorInsideAPhaseUnlocksAndLeavesNothing) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea.kmz"), "the previous KMZ");
  std::filesystem::create_directory(directory.File("log.nmea"));  // opens, but cannot be read
  StubHost host = HostFor(directory);
  NMEA assembler;
  try {
    SpeedButton3Click(host, assembler, kClock);
    FAIL() << "no error";
  } catch (const TrackmintError& error) {
    EXPECT_EQ(std::string(error.what())
                  .rfind("Can't read the input file " + directory.File("log.nmea"), 0),
              0u);
  }
  EXPECT_EQ(host.lock_depth, 0);
  EXPECT_TRUE(host.run_enabled);
  EXPECT_EQ(host.left_status, "The conversion failed");
  EXPECT_EQ(ReadWholeFile(directory.File("log.nmea.kmz")), "the previous KMZ");
  EXPECT_EQ(Entries(directory.path()), (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
}

}  // namespace
}  // namespace trackmint
