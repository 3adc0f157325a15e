// The logs as users keep them: compressed, on standard input, in a FIFO, in several files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "design_settings.h"
#include "run/conversion_run.h"
#include "support/compressed.h"
#include "support/directory_names.h"
#include "support/fed_inputs.h"
#include "support/fixtures.h"
#include "support/program_run.h"
#include "support/recording_observer.h"
#include "support/sentences.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::Compressed;
using testing::DirectoryNames;
using testing::Line;
using testing::ReadWholeFile;
using testing::RecordingObserver;
using testing::TempDirectory;
using testing::WriteWholeFile;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

// One epoch of a receiver that sends RMC before GGA, then GSA, GSV and VTG (which the reader
// ignores), with its position moving a little each second.
std::string Epoch(int second) {
  const std::string time = "12" + TwoDigits(second / 60 % 60) + TwoDigits(second % 60) + ".00";
  const std::string minutes = std::to_string(1000 + second % 1000).substr(1);
  const std::string latitude = "4807." + minutes + ",N";
  const std::string longitude = "01131." + minutes + ",E";
  return Line("GPRMC," + time + ",A," + latitude + "," + longitude + ",12.5,84.4,230394,,,A") +
         Line("GPGGA," + time + "," + latitude + "," + longitude + ",1,08,0.9,545.4,M,46.9,M,,") +
         Line("GPGSA,A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1") +
         Line("GPGSV,1,1,04,04,40,083,46,05,17,308,41,09,07,344,39,12,37,270,42") +
         Line("GPVTG,084.4,T,,M,12.5,N,23.1,K,A");
}

// Several hundred kilobytes: many blocks, and more than one piece of decoded text.
std::string TestLog(int epochs = 600) {
  std::string log;
  for (int second = 0; second < epochs; ++second) log += Epoch(second);
  return log;
}

// The document of a KMZ as unzip inflates it.
std::string Document(const std::string& kmz) {
  return testing::RunProgram("/usr/bin/unzip", {"-p", kmz, "track.kml"}, "/").out;
}

// Standard input read from a file for the object's life, from the offset on.
class StandardInputFromFile {
 public:
  explicit StandardInputFromFile(const std::string& path, off_t offset = 0)
      : m_saved(::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    ::lseek(fd, offset, SEEK_SET);
    ::dup2(fd, STDIN_FILENO);
    ::close(fd);
  }
  ~StandardInputFromFile() {
    ::dup2(m_saved, STDIN_FILENO);
    ::close(m_saved);
  }
  StandardInputFromFile(const StandardInputFromFile&) = delete;
  StandardInputFromFile& operator=(const StandardInputFromFile&) = delete;

 private:
  int m_saved;
};

// The gauge after one file of the size, read in full blocks and a short one: a move every
// step + 1 bytes and one at the last byte.
int GaugeOfOneFile(std::size_t size) {
  const std::size_t step = size / 100;
  return static_cast<int>((size + step) / (step + 1));
}

struct Conversion {
  RunResult result;
  RecordingObserver observer;
  std::string error;  // the message of the error that ended the run
};

// Converts the logs (names in the directory, or "-") into <directory>/<kmz_name>, with the
// document named track.kml.
Conversion Convert(const TempDirectory& directory, const std::vector<std::string>& logs,
                   const std::string& kmz_name = "track.kmz") {
  ConversionRequest request;
  for (const std::string& log : logs) {
    request.input_paths.push_back(log == "-" ? log : directory.File(log));
  }
  request.kmz_path = directory.File(kmz_name);
  request.member_name = "track.kml";
  request.settings = DesignSettings();
  request.settings.use_all_waypoints = true;
  request.settings.show_height = true;
  Conversion conversion;
  NMEA assembler;
  try {
    conversion.result = RunConversion(request, conversion.observer, assembler, kClock);
  } catch (const TrackmintError& error) {
    conversion.error = error.what();
  }
  return conversion;
}

// The document of the log given plainly as one file.
std::string PlainDocument(const std::string& log) {
  TempDirectory directory;
  WriteWholeFile(directory.File("log.nmea"), log);
  const Conversion conversion = Convert(directory, {"log.nmea"});
  EXPECT_EQ(conversion.result.outcome, RunOutcome::Finished) << conversion.error;
  return Document(directory.File("track.kmz"));
}

// How the log reaches the run: files, FIFOs fed one after the other, standard input.
struct Inputs {
  std::string legend;
  std::map<std::string, std::string> files;
  std::vector<std::pair<std::string, std::string>> fifos;
  std::optional<std::string> standard_input;
  std::vector<std::string> logs;  // as the request names them
};

Conversion ConvertInputs(const TempDirectory& directory, const Inputs& inputs) {
  for (const auto& [name, bytes] : inputs.files) WriteWholeFile(directory.File(name), bytes);
  std::vector<std::pair<std::string, std::string>> fifos;
  for (const auto& [name, bytes] : inputs.fifos) {
    EXPECT_EQ(::mkfifo(directory.File(name).c_str(), 0600), 0);
    fifos.emplace_back(directory.File(name), bytes);
  }
  std::optional<testing::StandardInputFeed> standard_input;
  if (inputs.standard_input) standard_input.emplace(*inputs.standard_input);
  testing::FifoFeed feed(fifos);
  Conversion conversion = Convert(directory, inputs.logs);
  EXPECT_TRUE(feed.Complete()) << "the FIFOs were not all read";
  return conversion;
}

TEST(LogInputs, TheSameLogGivesTheSameDocumentHoweverItComes) {
  const std::string log = TestLog();
  const std::string expected = PlainDocument(log);
  ASSERT_GT(expected.size(), 100'000u);

  // Three pieces: the first cut inside a VTG sentence (which the reader ignores), the second
  // between the RMC and the GGA of one epoch, so that the epoch open at the end of one file goes
  // on in the next.
  const std::size_t in_vtg = log.find("$GPVTG", log.size() / 3) + 10;
  const std::size_t before_gga = log.find("$GPGGA", 2 * log.size() / 3);
  ASSERT_EQ(log.substr(before_gga - 2, 2), "\r\n");
  const std::string first = log.substr(0, in_vtg);
  const std::string second = log.substr(in_vtg, before_gga - in_vtg);
  const std::string third = log.substr(before_gga);
  // A gzip file of two members, cut inside a sentence: one log all the same.
  const std::size_t in_gga = log.find("$GPGGA", log.size() / 2) + 20;
  const std::string two_members =
      Compressed("gzip", log.substr(0, in_gga)) + Compressed("gzip", log.substr(in_gga));

  const std::vector<Inputs> cases = {
      {"plain", {{"log.nmea", log}}, {}, {}, {"log.nmea"}},
      {"gzip", {{"log.nmea.gz", Compressed("gzip", log)}}, {}, {}, {"log.nmea.gz"}},
      {"bzip2", {{"log.nmea.bz2", Compressed("bzip2", log)}}, {}, {}, {"log.nmea.bz2"}},
      {"xz", {{"log.nmea.xz", Compressed("xz", log)}}, {}, {}, {"log.nmea.xz"}},
      {"zstd", {{"log.nmea.zst", Compressed("zstd", log)}}, {}, {}, {"log.nmea.zst"}},
      {"gzip named like a log", {{"log.nmea", Compressed("gzip", log)}}, {}, {}, {"log.nmea"}},
      {"a log named like gzip", {{"log.gz", log}}, {}, {}, {"log.gz"}},
      {"gzip of two members", {{"log.gz", two_members}}, {}, {}, {"log.gz"}},
      {"a pipe as standard input", {}, {}, log, {"-"}},
      {"xz through a pipe", {}, {}, Compressed("xz", log), {"-"}},
      {"a FIFO", {}, {{"log.fifo", log}}, {}, {"log.fifo"}},
      {"three files",
       {{"1.nmea", first}, {"2.nmea", second}, {"3.nmea", third}},
       {},
       {},
       {"1.nmea", "2.nmea", "3.nmea"}},
      {"three files, compressed each its own way",
       {{"1.gz", Compressed("gzip", first)},
        {"2.nmea", second},
        {"3.zst", Compressed("zstd", third)}},
       {},
       {},
       {"1.gz", "2.nmea", "3.zst"}},
      {"standard input, a FIFO and a file",
       {{"3.bz2", Compressed("bzip2", third)}},
       {{"2.fifo", Compressed("xz", second)}},
       first,
       {"-", "2.fifo", "3.bz2"}},
  };
  for (const Inputs& inputs : cases) {
    SCOPED_TRACE(inputs.legend);
    TempDirectory directory;
    const Conversion conversion = ConvertInputs(directory, inputs);
    ASSERT_EQ(conversion.result.outcome, RunOutcome::Finished) << conversion.error;
    EXPECT_EQ(conversion.result.logs_read, inputs.logs.size());
    EXPECT_EQ(conversion.result.summary.epochs, 600u);
    EXPECT_TRUE(testing::SameText(expected, Document(directory.File("track.kmz"))));
  }
}

// The halves of a sentence cut at the end of one file are not joined with the next file's first
// bytes: the sentence is lost, as at the end of any log.
TEST(LogInputs, ASentenceCutAtTheEndOfAFileIsDropped) {
  const std::string log = TestLog(40);
  const std::size_t gga = log.find("$GPGGA", log.size() / 2);
  const std::size_t line_end = log.find("\r\n", gga) + 2;
  const std::string without_that_gga = log.substr(0, gga) + log.substr(line_end);
  const std::string expected = PlainDocument(without_that_gga);
  // Joined, the two halves would give the whole log's document.
  ASSERT_FALSE(testing::SameText(PlainDocument(log), expected));

  TempDirectory directory;
  WriteWholeFile(directory.File("1.nmea"), log.substr(0, gga + 30));
  WriteWholeFile(directory.File("2.nmea"), log.substr(gga + 30));
  const Conversion conversion = Convert(directory, {"1.nmea", "2.nmea"});
  ASSERT_EQ(conversion.result.outcome, RunOutcome::Finished) << conversion.error;
  EXPECT_TRUE(testing::SameText(expected, Document(directory.File("track.kmz"))));
}

// The gauge runs over the sum of the sizes, as over one log of all their bytes: 2999 bytes give
// step 29, a move every 30 bytes (99 moves) and one at the last byte, the end of the last short
// block. The short blocks at the ends of the other files move nothing.
TEST(LogInputs, TheGaugeRunsOverTheSumOfTheSizes) {
  std::string log = TestLog(3);
  ASSERT_LT(log.size(), 1000u);
  log.resize(2999, ' ');
  TempDirectory directory;
  WriteWholeFile(directory.File("all.nmea"), log);
  WriteWholeFile(directory.File("1.nmea"), log.substr(0, 1000));
  WriteWholeFile(directory.File("2.nmea"), log.substr(1000, 1500));
  WriteWholeFile(directory.File("3.nmea"), log.substr(2500));

  const Conversion three = Convert(directory, {"1.nmea", "2.nmea", "3.nmea"}, "three.kmz");
  ASSERT_EQ(three.result.outcome, RunOutcome::Finished) << three.error;
  EXPECT_EQ(three.observer.Gauge(), 100);
  EXPECT_EQ(three.observer.progress.size(), 101u);  // 0, then each move
  EXPECT_TRUE(three.observer.bytes_read.empty());
  // A turn after each read (one, two and one), and the last before the KMZ takes its place.
  EXPECT_EQ(three.observer.turns, 5);

  const Conversion one = Convert(directory, {"all.nmea"}, "one.kmz");
  ASSERT_EQ(one.result.outcome, RunOutcome::Finished) << one.error;
  EXPECT_EQ(three.observer.progress, one.observer.progress);
}

// A compressed log moves the gauge by its compressed bytes: once every step + 1 of them, and at
// the last one.
TEST(LogInputs, ACompressedLogMovesTheGaugeByItsCompressedBytes) {
  TempDirectory directory;
  const std::string log = TestLog();
  ASSERT_NE(log.size() % 1024, 0u);  // so that the last block is short
  const std::string gzip = Compressed("gzip", log);
  WriteWholeFile(directory.File("log.gz"), gzip);
  const Conversion conversion = Convert(directory, {"log.gz"});
  ASSERT_EQ(conversion.result.outcome, RunOutcome::Finished) << conversion.error;
  EXPECT_EQ(conversion.observer.Gauge(), GaugeOfOneFile(gzip.size()));
  EXPECT_EQ(conversion.observer.Advances(), GaugeOfOneFile(gzip.size()));
  EXPECT_TRUE(conversion.observer.bytes_read.empty());
}

// Logs without a size give no percentage: the gauge stays at 0 and each block reports the bytes
// read so far, the compressed ones of a compressed log.
TEST(LogInputs, WithoutASizeTheBytesReadAreReported) {
  const std::string log = TestLog(30);
  ASSERT_NE(log.size() % 1024, 0u);
  std::vector<std::uint64_t> blocks;
  for (std::uint64_t end = 1024; end < log.size() + 1024; end += 1024) {
    blocks.push_back(std::min<std::uint64_t>(end, log.size()));
  }
  const std::string xz = Compressed("xz", log);
  struct Case {
    Inputs inputs;
    std::vector<std::uint64_t> reports;  // all of them, or the last when only that one is known
  };
  const std::vector<Case> cases = {
      {{"a pipe", {}, {}, log, {"-"}}, blocks},
      {{"a FIFO", {}, {{"log.fifo", log}}, {}, {"log.fifo"}}, blocks},
      {{"a file and a pipe", {{"log.nmea", log}}, {}, log, {"log.nmea", "-"}}, {2 * log.size()}},
      {{"xz through a pipe", {}, {}, xz, {"-"}}, {xz.size()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inputs.legend);
    TempDirectory directory;
    const Conversion conversion = ConvertInputs(directory, c.inputs);
    ASSERT_EQ(conversion.result.outcome, RunOutcome::Finished) << conversion.error;
    EXPECT_EQ(conversion.observer.progress, std::vector<int>{0});
    const std::vector<std::uint64_t>& reported = conversion.observer.bytes_read;
    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    if (c.reports.size() > 1) {
      EXPECT_EQ(reported, c.reports);
    } else {
      EXPECT_EQ(reported.back(), c.reports.back());
    }
  }
}

// A damaged or cut compressed log ends the run with the file named, and the earlier KMZ stays.
TEST(LogInputs, ADamagedCompressedLogKeepsTheEarlierKmz) {
  const std::string log = TestLog(100);
  const std::string gzip = Compressed("gzip", log);
  std::string wrong_crc = gzip;
  wrong_crc[gzip.size() - 8] = static_cast<char>(wrong_crc[gzip.size() - 8] ^ 0x01);
  const std::string xz = Compressed("xz", log);
  struct Case {
    Inputs inputs;
    std::string message;  // after "Can't read the input file "
  };
  const std::vector<Case> cases = {
      {{"a truncated gzip", {{"log.gz", gzip.substr(0, gzip.size() / 2)}}, {}, {}, {"log.gz"}},
       "log.gz: truncated gzip data"},
      {{"a gzip with a wrong CRC", {{"log.gz", wrong_crc}}, {}, {}, {"log.gz"}},
       "log.gz: damaged gzip data (incorrect data check)"},
      {{"a truncated xz after a good log",
        {{"1.nmea", log}, {"2.xz", xz.substr(0, xz.size() - 3)}},
        {},
        {},
        {"1.nmea", "2.xz"}},
       "2.xz: truncated xz data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inputs.legend);
    TempDirectory directory;
    WriteWholeFile(directory.File("track.kmz"), "the previous KMZ");
    const Conversion conversion = ConvertInputs(directory, c.inputs);
    EXPECT_EQ(conversion.error, "Can't read the input file " + directory.File(c.message));
    EXPECT_EQ(ReadWholeFile(directory.File("track.kmz")), "the previous KMZ");
    std::vector<std::string> names = {"track.kmz"};
    for (const auto& [name, bytes] : c.inputs.files) names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(DirectoryNames(directory.path()), names);
    ASSERT_FALSE(conversion.observer.phases.empty());
    EXPECT_EQ(conversion.observer.phases.back(), RunPhase::Failed);
    EXPECT_EQ(conversion.observer.Gauge(), 0);
  }

  // Standard input is named as the command line names it.
  TempDirectory directory;
  const Conversion conversion = ConvertInputs(
      directory, {"a truncated gzip on standard input", {}, {}, gzip.substr(0, 500), {"-"}});
  EXPECT_EQ(conversion.error, "Can't read the input file -: truncated gzip data");
}

// Compressed or not, logs that hold no sentence are refused, and the message names them all.
TEST(LogInputs, LogsWithoutSentencesAreRefused) {
  std::string noise(5000, '\0');
  unsigned state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 16);
  TempDirectory directory;
  WriteWholeFile(directory.File("noise.gz"), Compressed("gzip", noise));
  WriteWholeFile(directory.File("empty.nmea"), "");
  WriteWholeFile(directory.File("track.kmz"), "the previous KMZ");

  Conversion conversion = Convert(directory, {"noise.gz"});
  EXPECT_EQ(conversion.error, "no NMEA sentences in " + directory.File("noise.gz"));
  conversion = Convert(directory, {"noise.gz", "empty.nmea"});
  EXPECT_EQ(conversion.error, "no NMEA sentences in " + directory.File("noise.gz") + ", " +
                                  directory.File("empty.nmea"));
  EXPECT_EQ(ReadWholeFile(directory.File("track.kmz")), "the previous KMZ");
}

// A socket at a path: there, but no file that can be opened for reading, even by root.
void MakeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  path.copy(address.sun_path, path.size());
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

// Every log is opened before anything is written: the first one that cannot be opened ends the
// run before it began, naming that file, wherever it stands in the list.
TEST(LogInputs, ALogThatCannotBeOpenedStopsTheRunBeforeAnythingIsWritten) {
  TempDirectory directory;
  WriteWholeFile(directory.File("1.nmea"), TestLog(3));
  WriteWholeFile(directory.File("track.kmz"), "the previous KMZ");
  MakeSocket(directory.File("socket"));
  ASSERT_EQ(::mkfifo(directory.File("waiting.fifo").c_str(), 0600), 0);
  struct Case {
    std::vector<std::string> logs;
    std::string failed;
    int error_number;
  };
  const std::vector<Case> cases = {
      {{"1.nmea", "missing.nmea", "1.nmea"}, directory.File("missing.nmea"), ENOENT},
      {{"1.nmea", "1.nmea", "socket"}, directory.File("socket"), ENXIO},
      // The FIFO is checked at once; it would be opened only at its turn.
      {{"waiting.fifo", "missing.nmea"}, directory.File("missing.nmea"), ENOENT},
      {{"missing/waiting.fifo", "1.nmea"}, directory.File("missing/waiting.fifo"), ENOENT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failed);
    const Conversion conversion = Convert(directory, c.logs);
    EXPECT_EQ(conversion.error, "");
    EXPECT_EQ(conversion.result.outcome, RunOutcome::InputNotOpened);
    EXPECT_EQ(conversion.result.failed_path, c.failed);
    EXPECT_EQ(conversion.result.error_number, c.error_number);
    EXPECT_EQ(conversion.observer.phases, std::vector<RunPhase>{RunPhase::InputNotOpened});
    EXPECT_EQ(conversion.observer.turns, 1);
    EXPECT_TRUE(conversion.observer.progress.empty());
    EXPECT_EQ(DirectoryNames(directory.path()),
              (std::vector<std::string>{"1.nmea", "socket", "track.kmz", "waiting.fifo"}));
    EXPECT_EQ(ReadWholeFile(directory.File("track.kmz")), "the previous KMZ");
  }
  // No log at all is a log that cannot be opened.
  ConversionRequest request;
  request.kmz_path = directory.File("track.kmz");
  RecordingObserver observer;
  NMEA assembler;
  const RunResult result = RunConversion(request, observer, assembler, kClock);
  EXPECT_EQ(result.outcome, RunOutcome::InputNotOpened);
  EXPECT_EQ(result.failed_path, "");
  EXPECT_EQ(result.error_number, ENOENT);
}

// The KMZ never replaces a log of the run, whichever of them it would be.
TEST(LogInputs, TheKmzIsNoneOfTheLogs) {
  TempDirectory directory;
  const std::string log = TestLog(3);
  WriteWholeFile(directory.File("1.nmea"), log);
  WriteWholeFile(directory.File("2.nmea"), log);
  const Conversion conversion = Convert(directory, {"1.nmea", "2.nmea"}, "2.nmea");
  EXPECT_EQ(conversion.error,
            "Can't write the output file " + directory.File("2.nmea") + ": it is the input file");
  EXPECT_TRUE(conversion.observer.phases.empty());
  EXPECT_EQ(ReadWholeFile(directory.File("2.nmea")), log);

  // Nor the file standard input reads.
  const StandardInputFromFile standard_input(directory.File("2.nmea"));
  const Conversion from_standard_input = Convert(directory, {"-"}, "2.nmea");
  EXPECT_EQ(from_standard_input.error,
            "Can't write the output file " + directory.File("2.nmea") + ": it is the input file");
  EXPECT_EQ(ReadWholeFile(directory.File("2.nmea")), log);
}

// Standard input redirected from a file has the file's size, from where it stands: the gauge
// moves as for the file named.
TEST(LogInputs, StandardInputFromAFileHasItsSize) {
  TempDirectory directory;
  const std::string log = TestLog(30);
  ASSERT_NE(log.size() % 1024, 0u);
  WriteWholeFile(directory.File("log.nmea"), "$GPTXT\r\n" + log);
  const Conversion named = Convert(directory, {"log.nmea"}, "named.kmz");
  ASSERT_EQ(named.result.outcome, RunOutcome::Finished) << named.error;

  const StandardInputFromFile standard_input(directory.File("log.nmea"), 8);
  const Conversion from_standard_input = Convert(directory, {"-"});
  ASSERT_EQ(from_standard_input.result.outcome, RunOutcome::Finished) << from_standard_input.error;
  EXPECT_TRUE(from_standard_input.observer.bytes_read.empty());
  EXPECT_EQ(from_standard_input.observer.Gauge(), GaugeOfOneFile(log.size()));
  EXPECT_EQ(Document(directory.File("track.kmz")), Document(directory.File("named.kmz")));
}

// One writer that fills the FIFOs one after the other, each with more than a pipe holds, is read
// to the end: a FIFO is opened only at its turn, when the writer has finished the one before.
TEST(LogInputs, OneWriterMayFillTheFifosOneAfterTheOther) {
  const std::string log = TestLog(1000);
  const std::size_t middle = log.find("$GPRMC", log.size() / 2);
  ASSERT_GT(middle, 2u * 65536);  // twice what a pipe holds by default
  TempDirectory directory;
  const Inputs inputs = {"two FIFOs",
                         {},
                         {{"1.fifo", log.substr(0, middle)}, {"2.fifo", log.substr(middle)}},
                         {},
                         {"1.fifo", "2.fifo"}};
  const Conversion conversion = ConvertInputs(directory, inputs);
  ASSERT_EQ(conversion.result.outcome, RunOutcome::Finished) << conversion.error;
  EXPECT_TRUE(testing::SameText(PlainDocument(log), Document(directory.File("track.kmz"))));
}

}  // namespace
}  // namespace trackmint
