#include "base/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "support/scoped_process_state.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

TEST(FullPath, RelativeNamesAreTakenFromTheCurrentDirectory) {
  testing::TempDirectory directory;
  const testing::ScopedWorkingDirectory here(directory.path());
  // The system may name the directory through another path (a symbolic link in TMPDIR), so the
  // expectation is built from what it reports.
  char real[4096];
  ASSERT_NE(getcwd(real, sizeof real), nullptr);
  const std::string current = std::string(real) + "/";
  EXPECT_EQ(CurrentDirectory(), current);
  EXPECT_EQ(FullPath("day1.nmea"), current + "day1.nmea");
  EXPECT_EQ(FullPath("./day1.nmea"), current + "./day1.nmea");
  EXPECT_EQ(FullPath("logs/day1.nmea"), current + "logs/day1.nmea");
  EXPECT_EQ(FullPath("/data/day1.nmea"), "/data/day1.nmea");
}

TEST(FullPath, TheRootDirectoryKeepsOneSeparator) {
  const testing::ScopedWorkingDirectory root("/");
  EXPECT_EQ(CurrentDirectory(), "/");
  EXPECT_EQ(FullPath("x.kmz"), "/x.kmz");
}

}  // namespace
}  // namespace trackmint
