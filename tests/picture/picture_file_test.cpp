#include "picture/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "picture/track_picture.h"
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

std::vector<unsigned char> SomePicture() {
  RunPicture run;
  run.input_name = "day1.nmea";
  return DrawTrackPicture(run);
}

TEST(PictureFile, ThePictureTakesThePathOnlyWhenCommitted) {
  const std::vector<unsigned char> png = SomePicture();
  for (const WholeFile::Kind kind : {WholeFile::Kind::Unnamed, WholeFile::Kind::Hidden}) {
    SCOPED_TRACE(kind == WholeFile::Kind::Unnamed ? "unnamed" : "hidden");
    TempDirectory dir;
    WriteWholeFile(dir.File("day1.png"), "an earlier picture");
    {
      PictureFile file(dir.File("day1.png"), -1, dir.File("day1.kmz"), kind);
      file.Append(png);
      // A run that fails or is stopped here leaves the earlier picture and nothing else.
    }
    EXPECT_EQ(ReadWholeFile(dir.File("day1.png")), "an earlier picture");
    EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"day1.png"});
    {
      PictureFile file(dir.File("day1.png"), -1, dir.File("day1.kmz"), kind);
      file.Append(png);
      EXPECT_EQ(ReadWholeFile(dir.File("day1.png")), "an earlier picture");
      file.Commit();
    }
    EXPECT_EQ(ReadWholeFile(dir.File("day1.png")), std::string(png.begin(), png.end()));
    EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"day1.png"});
  }
}

// The picture replaces only a regular file, never the log being read, and never the KMZ of the
// same run, however the path names it.
TEST(PictureFile, RefusesWhatIsNoPictureToReplace) {
  TempDirectory dir;
  std::filesystem::create_directory(dir.File("folder.png"));
  ASSERT_EQ(::mkfifo(dir.File("fifo.png").c_str(), 0600), 0);
  WriteWholeFile(dir.File("log.nmea"), "$GPGGA...");
  WriteWholeFile(dir.File("old.kmz"), "an earlier KMZ");
  std::filesystem::create_symlink("old.kmz", dir.File("link-to-kmz.png"));
  const int input = ::open(dir.File("log.nmea").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(input, 0);
  struct Case {
    std::string path;
    std::string kmz;
    std::string reason;
  };
  const std::string new_kmz = dir.File("new.kmz");
  const std::vector<Case> cases = {
      {dir.File("folder.png"), new_kmz, "Is a directory"},
      {dir.File("fifo.png"), new_kmz, "it is not a regular file"},
      {"/dev/null", new_kmz, "it is not a regular file"},
      {dir.File("log.nmea"), new_kmz, "it is the input file"},
      {new_kmz, new_kmz, "it is the output file"},
      {dir.File("./new.kmz"), new_kmz, "it is the output file"},
      {dir.File("folder.png/../new.kmz"), new_kmz, "it is the output file"},
      {dir.File("old.kmz"), dir.File("old.kmz"), "it is the output file"},
      {dir.File("link-to-kmz.png"), dir.File("old.kmz"), "it is the output file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ErrorOf([&] { PictureFile file(c.path, input, c.kmz); }),
              "Can't write the picture file " + c.path + ": " + c.reason);
  }
  ::close(input);
  EXPECT_EQ(DirectoryNames(dir.path()),
            (std::vector<std::string>{"fifo.png", "folder.png", "link-to-kmz.png", "log.nmea",
                                      "old.kmz"}));
  EXPECT_EQ(ReadWholeFile(dir.File("log.nmea")), "$GPGGA...");
  EXPECT_EQ(ReadWholeFile(dir.File("old.kmz")), "an earlier KMZ");

  // Beside the KMZ, under another name, it is written.
  PictureFile file(dir.File("new.png"), -1, new_kmz);
  file.Append(SomePicture());
  file.Commit();
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("new.png")));
}

TEST(PictureFile, AFolderThatCannotTakeItIsNamed) {
  TempDirectory dir;
  const std::string path = dir.File("missing/day1.png");
  try {
    PictureFile file(path, -1, dir.File("day1.kmz"));
    ADD_FAILURE() << "no error";
  } catch (const FileNotCreated& error) {
    EXPECT_EQ(error.ErrorNumber(), ENOENT);
    EXPECT_EQ(std::string(error.what()),
              "Can't create the picture file " + path + ": No such file or directory");
  }
}

}  // namespace
}  // namespace trackmint
