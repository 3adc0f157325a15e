#include "kmz/kmz_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "kmz_test_support.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::DirectoryNames;
using testing::ReadWholeFile;
using testing::TempDirectory;
using testing::WriteWholeFile;

std::span<const unsigned char> Bytes(const std::string& text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// The message of the error that make throws, or "" when it throws none.
template <typename Make>
std::string ErrorOf(Make make) {
  try {
    make();
  } catch (const TrackmintError& error) {
    return error.what();
  }
  return "";
}

const std::vector<KmzFile::Kind> kKinds = {KmzFile::Kind::Unnamed, KmzFile::Kind::Hidden};

TEST(KmzFile, CommittedWholeAtItsPathWithNothingBeside) {
  for (const KmzFile::Kind kind : kKinds) {
    SCOPED_TRACE(kind == KmzFile::Kind::Unnamed ? "unnamed" : "hidden");
    TempDirectory dir;
    WriteWholeFile(dir.File("out.kmz"), "an earlier KMZ that is longer than the new one");
    ::chmod(dir.File("out.kmz").c_str(), 0640);
    {
      KmzFile file(dir.File("out.kmz"), -1, kind);
      file.Append(Bytes("new "));
      file.Append(Bytes("content"));
      file.WriteAt(0, Bytes("NEW"));
      EXPECT_EQ(file.Size(), 11u);
      // Until the commit the earlier file is untouched.
      EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")),
                "an earlier KMZ that is longer than the new one");
      file.Commit();
    }
    EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")), "NEW content");
    EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"out.kmz"});
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("out.kmz").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);  // the user's permissions pass to the new file
  }
}

TEST(KmzFile, UncommittedLeavesTheEarlierFileAndNothingElse) {
  for (const KmzFile::Kind kind : kKinds) {
    SCOPED_TRACE(kind == KmzFile::Kind::Unnamed ? "unnamed" : "hidden");
    TempDirectory dir;
    WriteWholeFile(dir.File("out.kmz"), "earlier");
    {
      KmzFile file(dir.File("out.kmz"), -1, kind);
      file.Append(Bytes("half a KMZ"));
      // The unnamed file has no name at all; the hidden one is there while it is written.
      EXPECT_EQ(testing::LeftOverNames(dir.path()).size(), kind == KmzFile::Kind::Hidden ? 1u : 0u);
    }
    EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")), "earlier");
    EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"out.kmz"});
  }
}

// Only a regular file may be replaced, and never the log being read.
TEST(KmzFile, RefusesWhatIsNoFileToReplace) {
  TempDirectory dir;
  std::filesystem::create_directory(dir.File("folder.kmz"));
  ASSERT_EQ(::mkfifo(dir.File("fifo.kmz").c_str(), 0600), 0);
  testing::MakeSocket(dir.File("socket.kmz"));
  WriteWholeFile(dir.File("log.nmea"), "$GPGGA...");
  std::filesystem::create_hard_link(dir.File("log.nmea"), dir.File("same.kmz"));
  const int input = ::open(dir.File("log.nmea").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(input, 0);
  struct Case {
    std::string path;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {dir.File("folder.kmz"), "Is a directory"},
      {dir.File("folder.kmz") + "/", "Is a directory"},
      {dir.File("fifo.kmz"), "it is not a regular file"},
      {dir.File("socket.kmz"), "it is not a regular file"},
      {"/dev/null", "it is not a regular file"},
      {dir.File("log.nmea"), "it is the input file"},
      {dir.File("same.kmz"), "it is the input file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ErrorOf([&] { KmzFile file(c.path, input); }),
              "Can't write the output file " + c.path + ": " + c.reason);
  }
  ::close(input);
  EXPECT_EQ(
      DirectoryNames(dir.path()),
      (std::vector<std::string>{"fifo.kmz", "folder.kmz", "log.nmea", "same.kmz", "socket.kmz"}));
  EXPECT_EQ(ReadWholeFile(dir.File("log.nmea")), "$GPGGA...");
}

TEST(KmzFile, AFolderThatCannotTakeItIsNoOutput) {
  TempDirectory dir;
  WriteWholeFile(dir.File("plain"), "x");
  struct Case {
    std::string path;
    int error_number;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {dir.File("missing/out.kmz"), ENOENT, "No such file or directory"},
      {dir.File("plain/out.kmz"), ENOTDIR, "Not a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      KmzFile file(c.path, -1);
      ADD_FAILURE() << "no error";
    } catch (const KmzNotCreated& error) {
      EXPECT_EQ(error.ErrorNumber(), c.error_number);
      EXPECT_EQ(std::string(error.what()),
                "Can't create the output file " + c.path + ": " + c.reason);
    }
  }
}

// A link at the path is written through: the file it names gets the KMZ, the link stays.
TEST(KmzFile, WritesThroughSymbolicLinks) {
  TempDirectory dir;
  std::filesystem::create_directory(dir.File("real"));
  WriteWholeFile(dir.File("real/day1.kmz"), "earlier");
  std::filesystem::create_symlink("real/day1.kmz", dir.File("relative.kmz"));
  std::filesystem::create_symlink(dir.File("relative.kmz"), dir.File("chain.kmz"));
  std::filesystem::create_symlink("real/new.kmz", dir.File("dangling.kmz"));
  for (const std::string& link : {dir.File("relative.kmz"), dir.File("chain.kmz")}) {
    SCOPED_TRACE(link);
    KmzFile file(link, -1);
    file.Append(Bytes(link));
    file.Commit();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(dir.File("real/day1.kmz")), link);
  }
  {
    KmzFile file(dir.File("dangling.kmz"), -1);
    file.Append(Bytes("made"));
    file.Commit();
  }
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.kmz")));
  EXPECT_EQ(ReadWholeFile(dir.File("real/new.kmz")), "made");
  EXPECT_EQ(DirectoryNames(dir.File("real")), (std::vector<std::string>{"day1.kmz", "new.kmz"}));
}

// A file-size limit (or a full disk) is a write error that names the KMZ as the user gave it.
TEST(KmzFile, AWriteBeyondTheLimitNamesThePath) {
  TempDirectory dir;
  const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous_limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous_limit), 0);
  std::string message;
  {
    KmzFile file(dir.File("out.kmz"), -1);
    rlimit small = previous_limit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    message = ErrorOf([&] { file.Append(Bytes(std::string(10000, 'x'))); });
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &previous_limit), 0);
  }
  std::signal(SIGXFSZ, previous_handler);
  EXPECT_EQ(message, "Can't write the output file " + dir.File("out.kmz") + ": File too large");
  EXPECT_TRUE(DirectoryNames(dir.path()).empty());
}

}  // namespace
}  // namespace trackmint
