#include "kmz/intermediate_directory.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/paths.h"
#include "kmz_test_support.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::DirectoryNames;
using testing::TempDirectory;

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST(IntermediateDirectory, HiddenBesideTheKmzAndGoneWithEverythingInIt) {
  TempDirectory dir;
  testing::WriteWholeFile(dir.File("track.kml"), "the user's own document");
  std::string path;
  {
    auto intermediate = IntermediateDirectory::Create(dir.File("track.kmz"));
    ASSERT_TRUE(intermediate.has_value());
    path = intermediate->path();
    EXPECT_EQ(DirectoryPart(path), dir.path() + "/");
    EXPECT_EQ(FileNamePart(path).rfind(".trackmint-", 0), 0u);
    ASSERT_TRUE(IsDirectory(path));
    testing::WriteWholeFile(intermediate->File("track.kml"), "the run's document");
    testing::WriteWholeFile(intermediate->File("255.png"), "icon");
    std::filesystem::create_directory(intermediate->File("nested"));
    testing::WriteWholeFile(intermediate->File("nested/x"), "x");

    // A second run beside the same KMZ gets a directory of its own.
    const auto other = IntermediateDirectory::Create(dir.File("track.kmz"));
    ASSERT_TRUE(other.has_value());
    EXPECT_NE(other->path(), path);

    // Moving hands the directory over; only the last owner removes it.
    IntermediateDirectory moved = std::move(*intermediate);
    intermediate.reset();
    EXPECT_TRUE(IsDirectory(path));
    EXPECT_EQ(moved.path(), path);
  }
  EXPECT_FALSE(IsDirectory(path));
  EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"track.kml"});
  EXPECT_EQ(testing::ReadWholeFile(dir.File("track.kml")), "the user's own document");
}

TEST(IntermediateDirectory, NoneWhereTheKmzCannotBe) {
  TempDirectory dir;
  testing::WriteWholeFile(dir.File("plain"), "x");
  for (const std::string& kmz : {dir.File("missing/track.kmz"), dir.File("plain/track.kmz"),
                                 std::string("/proc/trackmint-no/track.kmz")}) {
    SCOPED_TRACE(kmz);
    EXPECT_FALSE(IntermediateDirectory::Create(kmz).has_value());
  }
}

}  // namespace
}  // namespace trackmint
