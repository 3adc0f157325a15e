#include "run/conversion_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "design_settings.h"
#include "kmz/deflate_stream.h"
#include "support/directory_names.h"
#include "support/fixtures.h"
#include "support/program_run.h"
#include "support/recording_observer.h"
#include "support/sentences.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::DirectoryNames;
using testing::ReadWholeFile;
using testing::RecordingObserver;
using testing::TempDirectory;
using testing::WriteWholeFile;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

// A member of a KMZ as unzip reads it.
std::string Member(const std::string& kmz, const std::string& name) {
  return testing::RunProgram("/usr/bin/unzip", {"-p", kmz, name}, "/").out;
}

// The request to convert <directory>/log.nmea into <directory>/log.nmea.kmz with the design
// settings.
ConversionRequest RequestFor(const TempDirectory& directory,
                             const std::string& log_name = "log.nmea") {
  ConversionRequest request;
  request.input_paths = {directory.File(log_name)};
  request.kmz_path = directory.File(log_name + ".kmz");
  request.member_name = log_name + ".kml";
  request.settings = DesignSettings();
  return request;
}

TEST(ConversionRun, AnInputThatCannotBeOpenedLeavesEverythingAsItWas) {
  TempDirectory directory;
  for (const std::string& input_path : {std::string(), directory.File("missing.nmea")}) {
    SCOPED_TRACE("input path '" + input_path + "'");
    ConversionRequest request = RequestFor(directory);
    request.input_paths = {input_path};
    RecordingObserver observer;
    NMEA assembler;
    const RunResult result = RunConversion(request, observer, assembler, kClock);
    EXPECT_EQ(result.outcome, RunOutcome::InputNotOpened);
    EXPECT_EQ(result.failed_path, input_path);
    EXPECT_EQ(result.error_number, ENOENT);
    // The failure is said, the caller has one turn, and the gauge is never touched.
    EXPECT_EQ(observer.phases, std::vector<RunPhase>{RunPhase::InputNotOpened});
    EXPECT_EQ(observer.turns, 1);
    EXPECT_TRUE(observer.progress.empty());
    EXPECT_TRUE(observer.placemarks.empty());
    EXPECT_TRUE(DirectoryNames(directory.path()).empty());
  }
}

TEST(ConversionRun, AnOutputThatCannotBeCreatedWritesNothing) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"), "");
  ConversionRequest request = RequestFor(directory);
  request.kmz_path = directory.File("missing/log.nmea.kmz");
  RecordingObserver observer;
  NMEA assembler;
  const RunResult result = RunConversion(request, observer, assembler, kClock);
  EXPECT_EQ(result.outcome, RunOutcome::OutputNotCreated);
  EXPECT_EQ(result.failed_path, directory.File("missing/log.nmea.kmz"));
  EXPECT_EQ(result.error_number, ENOENT);
  EXPECT_EQ(observer.phases, std::vector<RunPhase>{RunPhase::OutputNotCreated});
  EXPECT_EQ(observer.turns, 1);
  EXPECT_TRUE(observer.progress.empty());
  EXPECT_EQ(DirectoryNames(directory.path()), std::vector<std::string>{"log.nmea"});
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
    std::string output_name;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"folder.kmz", "Is a directory"},
      {"", "Is a directory"},  // the name ends in the separator
      {"fifo.kmz", "it is not a regular file"},
      {"log.nmea", "it is the input file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output_name);
    ConversionRequest request = RequestFor(directory);
    request.kmz_path = directory.File(c.output_name);
    RecordingObserver observer;
    NMEA assembler;
    try {
      RunConversion(request, observer, assembler, kClock);
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Can't write the output file " + directory.File(c.output_name) + ": " + c.reason);
    }
    EXPECT_TRUE(observer.phases.empty());
    EXPECT_EQ(DirectoryNames(directory.path()),
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
  RecordingObserver observer;
  NMEA assembler;
  ASSERT_EQ(RunConversion(RequestFor(directory), observer, assembler, kClock).outcome,
            RunOutcome::Finished);
  EXPECT_TRUE(std::filesystem::is_symlink(directory.File("log.nmea.kmz")));
  EXPECT_TRUE(ReadWholeFile(directory.File("kmz/day1.kmz")).starts_with("PK\x03\x04"));
  EXPECT_EQ(DirectoryNames(directory.File("kmz")), std::vector<std::string>{"day1.kmz"});
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
  RecordingObserver observer;
  std::vector<std::vector<std::string>> seen;
  observer.on_turn = [&] { seen.push_back(DirectoryNames(directory.path())); };
  NMEA assembler;
  ASSERT_EQ(RunConversion(RequestFor(directory), observer, assembler, kClock).outcome,
            RunOutcome::Finished);
  ASSERT_GT(seen.size(), 10u);  // a turn for each block of the log, and one before the end
  for (const std::vector<std::string>& entries : seen) {
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
    RecordingObserver observer;
    NMEA assembler;
    try {
      RunConversion(RequestFor(directory), observer, assembler, kClock);
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()), "no NMEA sentences in " + directory.File("log.nmea"));
    }
    EXPECT_EQ(ReadWholeFile(directory.File("log.nmea.kmz")), "the previous KMZ");
    EXPECT_EQ(DirectoryNames(directory.path()),
              (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
    // The last word is the failure, with the gauge back at 0 and no placemarks to show.
    ASSERT_FALSE(observer.phases.empty());
    EXPECT_EQ(observer.phases.back(), RunPhase::Failed);
    EXPECT_EQ(observer.Gauge(), 0);
    EXPECT_TRUE(observer.placemarks.empty());
  }
}

// Sentences without a single usable fix still make a KMZ: the frame, the empty folder, no track.
TEST(ConversionRun, ALogWithoutAUsableFixGivesTheFrameOfADocument) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"), testing::Line("GPGGA,120000,,,,,0,00,,,M,,,,") +
                                                 testing::Line("GPRMC,120000,V,,,,,,,010120,,,N"));
  ConversionRequest request = RequestFor(directory);
  request.settings.track_colour = 0x0000FF;  // red
  RecordingObserver observer;
  NMEA assembler;
  const RunResult result = RunConversion(request, observer, assembler, kClock);
  ASSERT_EQ(result.outcome, RunOutcome::Finished);
  EXPECT_EQ(result.summary.placemarks, 0);
  EXPECT_EQ(observer.placemarks, std::vector<std::int32_t>{0});
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
  EXPECT_EQ(DirectoryNames(directory.path()),
            (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
}

TEST(ConversionRun, ReportsItsCourse) {
  TempDirectory directory;
  std::string log;
  for (int second = 0; second < 30; ++second) {
    log += testing::Line("GPGGA,1200" + std::to_string(10 + second) +
                         ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
  }
  log.resize(2048, ' ');  // two full blocks: the gauge moves only by the step rule
  WriteWholeFile(directory.File("log.nmea"), log);

  // The phase the run was in at each of its turns.
  RecordingObserver observer;
  std::vector<RunPhase> phases_at_turns;
  observer.on_turn = [&] { phases_at_turns.push_back(observer.phases.back()); };
  NMEA assembler;
  const RunResult result = RunConversion(RequestFor(directory), observer, assembler, kClock);
  ASSERT_EQ(result.outcome, RunOutcome::Finished);
  EXPECT_EQ(result.summary.placemarks, 30);
  EXPECT_EQ(result.summary.epochs, 30u);
  EXPECT_EQ(observer.Gauge(), 97);  // 2048 bytes, step 20
  EXPECT_EQ(observer.progress.front(), 0);
  EXPECT_EQ(observer.placemarks, std::vector<std::int32_t>{30});
  const std::vector<RunPhase> course = {RunPhase::Started, RunPhase::Reading, RunPhase::Writing,
                                        RunPhase::Packing, RunPhase::Finished};
  EXPECT_EQ(observer.phases, course);
  // A turn after each of the three reads, and the last one before the KMZ takes its place.
  EXPECT_EQ(phases_at_turns, (std::vector<RunPhase>{RunPhase::Reading, RunPhase::Reading,
                                                    RunPhase::Reading, RunPhase::Packing}));
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

// The document takes the KMZ's name with ".kml"; the request says so, and the run keeps to it.
TEST(ConversionRun, TheDocumentIsNamedAfterTheKmz) {
  const std::pair<std::string, std::string> names[] = {
      {"/data/track.kmz", "track.kml"},
      {"/data/track", "track.kml"},  // a name without extension
      {"/data/same.kml", "same.kml"},
      {"/data.v2/track", "track.kml"},  // the folder's dot is no extension
      {"/data/day.1.kmz", "day.1.kml"},
      {"track.kmz", "track.kml"},
  };
  for (const auto& [kmz, member] : names) EXPECT_EQ(DocumentMemberName(kmz), member) << kmz;

  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"),
                 testing::Line("GPRMC,1,A,4807.038,N,01131.000,E,1,2,010120,,,A"));
  ConversionRequest request = RequestFor(directory);
  request.kmz_path = directory.File("track");
  request.member_name = "inner name.kml";
  RecordingObserver observer;
  NMEA assembler;
  ASSERT_EQ(RunConversion(request, observer, assembler, kClock).outcome, RunOutcome::Finished);
  const std::string document = Member(directory.File("track"), "inner name.kml");
  EXPECT_TRUE(document.starts_with("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"))
      << document.substr(0, 100);
  EXPECT_TRUE(document.ends_with("</kml>"));
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
    ConversionRequest request = RequestFor(*directory, "track.nmea");
    request.input_paths = {log};
    request.settings.use_fixed_date = false;    // the dates of the log
    request.settings.use_all_waypoints = true;  // and the second track
    request.settings.show_height = true;
    RecordingObserver observer;
    NMEA assembler;
    ASSERT_EQ(RunConversion(request, observer, assembler, kClock).outcome, RunOutcome::Finished);
  }
  const std::string kmz = first.File("track.nmea.kmz");
  ASSERT_GT(Member(kmz, "track.nmea.kml").size(), 2 * kArchivePieceSize);
  EXPECT_TRUE(SameBytes(kmz, second.File("track.nmea.kmz")));
}

// However many workers deflate the document's pieces, the KMZ is the same to the byte.
TEST(ConversionRun, AnyNumberOfWorkersGivesTheSameBytes) {
  const std::string log = testing::FixturePath("nmeaparser/NmeaSampleData.txt");
  std::vector<std::unique_ptr<TempDirectory>> directories;
  for (const unsigned workers : {1u, 2u, 4u}) {
    SCOPED_TRACE(std::to_string(workers) + " workers");
    directories.push_back(std::make_unique<TempDirectory>());
    ConversionRequest request = RequestFor(*directories.back(), "track.nmea");
    request.input_paths = {log};
    request.deflate_workers = workers;
    RecordingObserver observer;
    NMEA assembler;
    ASSERT_EQ(RunConversion(request, observer, assembler, kClock).outcome, RunOutcome::Finished);
    EXPECT_TRUE(SameBytes(directories.front()->File("track.nmea.kmz"),
                          directories.back()->File("track.nmea.kmz")));
  }
}

TEST(ConversionRun, AnErrorInsideAPhaseSaysSoAndLeavesNothing) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea.kmz"), "the previous KMZ");
  std::filesystem::create_directory(directory.File("log.nmea"));  // opens, but cannot be read
  RecordingObserver observer;
  NMEA assembler;
  try {
    RunConversion(RequestFor(directory), observer, assembler, kClock);
    FAIL() << "no error";
  } catch (const TrackmintError& error) {
    EXPECT_EQ(std::string(error.what())
                  .rfind("Can't read the input file " + directory.File("log.nmea"), 0),
              0u);
  }
  EXPECT_EQ(observer.phases,
            (std::vector<RunPhase>{RunPhase::Started, RunPhase::Reading, RunPhase::Failed}));
  EXPECT_EQ(observer.Gauge(), 0);
  EXPECT_EQ(ReadWholeFile(directory.File("log.nmea.kmz")), "the previous KMZ");
  EXPECT_EQ(DirectoryNames(directory.path()),
            (std::vector<std::string>{"log.nmea", "log.nmea.kmz"}));
}

}  // namespace
}  // namespace trackmint
