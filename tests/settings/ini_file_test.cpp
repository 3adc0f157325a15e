#include "settings/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "settings/ini_text.h"
#include "support/directory_names.h"
#include "support/error_of.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::DirectoryNames;
using testing::ErrorOf;
using testing::ReadWholeFile;
using testing::TempDirectory;
using testing::WriteWholeFile;

TEST(WriteIniString, WritesAndReadsBackWithNoTemporaryFileLeft) {
  TempDirectory directory;
  const std::string file = directory.File("my.ini");
  WriteIniString(file, "Settings", "Edit3", "5");
  WriteIniString(file, "Settings", "Edit4", "0.5");
  WriteIniString(file, "Settings", "Edit3", "7");
  EXPECT_EQ(ReadWholeFile(file), "[Settings]\r\nEdit3=7\r\nEdit4=0.5\r\n");
  EXPECT_EQ(ReadIniString(file, "settings", "EDIT4"), "0.5");
  EXPECT_EQ(DirectoryNames(directory.path()), std::vector<std::string>{"my.ini"});
}

TEST(WriteIniString, FailuresNameTheFileAndLeaveEverythingAsItWas) {
  TempDirectory directory;
  const std::string regular = directory.File("settings.ini");
  const std::string original = "[Settings]\r\nEdit3=7\r\n";
  WriteWholeFile(regular, original);
  std::filesystem::create_directory(directory.File("folder"));
  struct Case {
    const char* legend;
    std::string path;
    std::string value;
    std::string reason;
  };
  const std::string line_break = "a line break in a value would change the file's other settings";
  const std::vector<Case> cases = {
      {"missing directory", directory.File("missing/my.ini"), "5", "No such file or directory"},
      {"parent is a regular file", regular + "/my.ini", "5", "Not a directory"},
      {"under /proc", "/proc/trackmint-no/x", "5", "No such file or directory"},
      {"target is a directory", directory.File("folder"), "5", "Is a directory"},
      {"value that would break its line", regular, "5\r\nCheckBox1=0", line_break},
      {"value with a lone line feed", regular, "5\nTop=0", line_break},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(ErrorOf([&] { WriteIniString(c.path, "Settings", "Edit3", c.value); }),
              "Can't write the settings file " + c.path + ": " + c.reason);
  }
  EXPECT_EQ(ReadWholeFile(regular), original);
  EXPECT_EQ(DirectoryNames(directory.path()), (std::vector<std::string>{"folder", "settings.ini"}));
  EXPECT_TRUE(DirectoryNames(directory.File("folder")).empty());
}

TEST(WriteIniString, RefusesToReplaceADevice) {
  // As root a rename over /dev/null would succeed and destroy the device node.
  EXPECT_EQ(ErrorOf([] { WriteIniString("/dev/null", "Settings", "Edit3", "5"); }),
            "Can't write the settings file /dev/null: it is not a regular file");
  struct stat info {};
  ASSERT_EQ(::stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(WriteIniString, KeepsTheFilesPermissions) {
  TempDirectory directory;
  const std::string file = directory.File("my.ini");
  WriteWholeFile(file, "[Settings]\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  WriteIniString(file, "Settings", "Edit3", "5");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(WriteIniString, WritesThroughASymbolicLink) {
  TempDirectory directory;
  const std::string target = directory.File("real.ini");
  const std::string link = directory.File("link.ini");
  WriteWholeFile(target, "[Settings]\r\nEdit3=7\r\n");
  std::filesystem::create_symlink("real.ini", link);
  WriteIniString(link, "Settings", "Edit3", "5");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(target), "[Settings]\r\nEdit3=5\r\n");
}

TEST(ReadIniString, FilesThatCannotBeReadHaveNoKeys) {
  TempDirectory directory;
  const std::string fifo = directory.File("pipe.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // A pipe without a writer must not block the read.
  EXPECT_EQ(ReadIniString(fifo, "Settings", "Edit3"), std::nullopt);
  EXPECT_EQ(ReadIniString(directory.path(), "Settings", "Edit3"), std::nullopt);
  EXPECT_EQ(ReadIniString(directory.File("missing.ini"), "Settings", "Edit3"), std::nullopt);
  EXPECT_EQ(ReadIniString("/dev/zero", "Settings", "Edit3"), std::nullopt);
}

// A number is read from the file as a load reads it: the value without its blanks, then its text.
TEST(ReadIniString, NumbersAsALoadReadsThem) {
  TempDirectory directory;
  const std::string file = directory.File("my.ini");
  WriteWholeFile(file, "[Settings]\nA= $FF \nB=yes\nC=\n");
  const auto number = [&](const char* key) -> std::optional<std::int32_t> {
    const std::optional<std::string> value = ReadIniString(file, "Settings", key);
    return value ? IniIntegerValue(*value) : std::nullopt;
  };
  EXPECT_EQ(ReadIniString(file, "Settings", "A"), "$FF");
  EXPECT_EQ(number("A"), 255);
  EXPECT_EQ(number("B"), std::nullopt);
  EXPECT_EQ(number("C"), std::nullopt);
  EXPECT_EQ(number("D"), std::nullopt);
}

}  // namespace
}  // namespace trackmint
