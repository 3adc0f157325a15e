#include "run/input_phase.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "support/epoch_list.h"
#include "support/recording_observer.h"
#include "support/sentences.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::Line;
using testing::RecordingObserver;

const FixedClock kClock({2026, 12, 9, 14, 30, 0});

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Runs the input phase over bytes held in memory, as the run does over an open file, with the gauge
// at 0 to begin with.
EpochList ReadBytes(std::string bytes, RecordingObserver& observer) {
  File file(fmemopen(bytes.data(), bytes.size(), "rb"));
  if (bytes.empty()) file.reset(std::tmpfile());
  EpochList epochs;
  NMEA assembler;
  ProgressGauge gauge(bytes.size(), observer);
  gauge.Reset();
  ReadEpochList(file.get(), "memory", epochs, assembler, gauge, observer, kClock);
  return epochs;
}

TEST(ProgressStep, IsAHundredthOfTheFile) {
  EXPECT_EQ(ProgressStep(0), 0);
  EXPECT_EQ(ProgressStep(99), 0);
  EXPECT_EQ(ProgressStep(1000), 10);
  EXPECT_EQ(ProgressStep(2048), 20);
  EXPECT_EQ(ProgressStep(1'000'000'000'000), 2147483647);
}

TEST(InputPhase, ProgressRule) {
  struct Case {
    std::size_t size;
    int gauge;
    int turns;
  };
  // 1000 bytes, step 10: every 11th byte, plus the last byte of the short block: 90 + 1.
  // 50 bytes, step 0: every byte. 151 bytes, step 1: every 2nd byte (75) plus the last.
  // 2048 bytes, step 20: 2048 / 21 = 97; both blocks are full and a third, empty read ends it.
  const std::vector<Case> cases = {{1000, 91, 1}, {50, 50, 1}, {151, 76, 1},
                                   {2048, 97, 3}, {0, 0, 1},   {1024, 93, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes");
    RecordingObserver observer;
    ReadBytes(std::string(c.size, 'x'), observer);
    EXPECT_EQ(observer.Gauge(), c.gauge);
    // Each move is reported: the start at 0, then one report a step.
    EXPECT_EQ(observer.progress.size(), static_cast<std::size_t>(c.gauge) + 1);
    EXPECT_EQ(observer.turns, c.turns);
  }
}

// The progress rule as written, byte by byte: the oracle for files of any size and step.
int GaugeByTheRule(std::size_t size) {
  const auto step = static_cast<std::int32_t>(size / 100);
  std::int32_t counter = 0;
  int gauge = 0;
  for (std::size_t block_start = 0; block_start <= size; block_start += kInputBlockSize) {
    const std::size_t count = std::min(kInputBlockSize, size - block_start);
    for (std::size_t i = 0; i < count; ++i) {
      if (counter == step) {
        ++gauge;
        counter = 0;
      } else if (count < kInputBlockSize && i == count - 1) {
        ++gauge;
        counter = 0;
      } else {
        ++counter;
      }
    }
    if (count < kInputBlockSize) break;
  }
  return gauge;
}

TEST(InputPhase, ProgressRuleForManySizes) {
  for (std::size_t size :
       {1u, 2u, 99u, 100u, 101u, 1023u, 1025u, 3071u, 3072u, 9999u, 20481u, 102400u, 123457u}) {
    SCOPED_TRACE(std::to_string(size) + " bytes");
    RecordingObserver observer;
    ReadBytes(std::string(size, 'x'), observer);
    EXPECT_EQ(observer.Gauge(), GaugeByTheRule(size));
  }
}

TEST(InputPhase, SentencesAcrossBlockBoundariesAreRead) {
  std::string log;
  int epochs_written = 0;
  while (log.size() < 5000) {
    log += Line("GPGGA,12" + std::to_string(1000 + epochs_written) +
                ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
    log += "garbage without dollar\r\n";
    ++epochs_written;
  }
  RecordingObserver observer;
  const EpochList epochs = ReadBytes(log, observer);
  ASSERT_EQ(static_cast<int>(epochs.size()), epochs_written);
  EXPECT_EQ(epochs.back().time_text, "12" + std::to_string(1000 + epochs_written - 1));
}

TEST(InputPhase, AReadErrorIsAnErrorNotTheEndOfTheLog) {
  testing::TempDirectory directory;
  File file(std::fopen(directory.path().c_str(), "rb"));  // a directory opens but cannot be read
  ASSERT_NE(file, nullptr);
  RecordingObserver observer;
  ProgressGauge gauge(0, observer);
  EpochList epochs;
  NMEA assembler;
  try {
    ReadEpochList(file.get(), directory.path(), epochs, assembler, gauge, observer, kClock);
    FAIL() << "no error";
  } catch (const TrackmintError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Can't read the input file " + directory.path(), 0),
              0u)
        << error.what();
  }
}

}  // namespace
}  // namespace trackmint
