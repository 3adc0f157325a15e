// The file helpers that every file the program writes goes through: the descriptor owner, the
// uniquely named new file, whole reads and writes at an offset, error texts and the following of
// symbolic links.
#include "base/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/fixtures.h"
#include "support/scoped_process_state.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

using testing::TempDirectory;

bool IsOpen(int fd) {
  return ::fcntl(fd, F_GETFD) != -1;
}

int OpenFile(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
  if (fd < 0) ADD_FAILURE() << "cannot open " << path << ": " << errno;
  return fd;
}

std::vector<unsigned char> Bytes(const std::string& text) {
  return std::vector<unsigned char>(text.begin(), text.end());
}

TEST(UniqueFd, ClosesWhatItOwnsOnceAndHandsItOver) {
  TempDirectory directory;
  const std::string path = directory.File("owned");
  int fd = -1;
  {
    UniqueFd owner(OpenFile(path, O_RDWR | O_CREAT));
    fd = owner.Get();
    ASSERT_TRUE(owner.Valid());
    ASSERT_TRUE(IsOpen(fd));
  }
  EXPECT_FALSE(IsOpen(fd)) << "the destructor closes";

  UniqueFd first(OpenFile(path, O_RDONLY));
  const int first_fd = first.Get();
  UniqueFd moved(std::move(first));
  EXPECT_FALSE(first.Valid());
  EXPECT_EQ(moved.Get(), first_fd);
  EXPECT_TRUE(IsOpen(first_fd));

  // Assigning over an owner closes what it held before.
  UniqueFd other(OpenFile(path, O_RDONLY));
  const int other_fd = other.Get();
  moved = std::move(other);
  EXPECT_FALSE(IsOpen(first_fd));
  EXPECT_EQ(moved.Get(), other_fd);
  EXPECT_FALSE(other.Valid());

  // Released, the descriptor is the caller's: the owner's end leaves it open.
  int released = -1;
  {
    UniqueFd owner(OpenFile(path, O_RDONLY));
    released = owner.Release();
    EXPECT_FALSE(owner.Valid());
  }
  EXPECT_TRUE(IsOpen(released));
  ::close(released);

  EXPECT_TRUE(moved.Close());
  EXPECT_FALSE(moved.Valid());
  EXPECT_FALSE(IsOpen(other_fd));
  EXPECT_TRUE(moved.Close()) << "an owner of nothing has nothing to close";
  EXPECT_TRUE(UniqueFd().Close());
  EXPECT_FALSE(UniqueFd().Valid());
}

TEST(UniqueFd, CloseReportsAFailedClose) {
  TempDirectory directory;
  const int fd = OpenFile(directory.File("gone"), O_RDWR | O_CREAT);
  ::close(fd);  // the number now stands for no open file
  UniqueFd stale(fd);
  EXPECT_FALSE(stale.Close());
  EXPECT_FALSE(stale.Valid());
}

TEST(CreateUniqueFile, MakesANewEmptyFileOfItsOwnName) {
  TempDirectory directory;
  const std::string folder = directory.path() + "/";
  const mode_t previous_mask = ::umask(022);
  std::string first_path, second_path;
  UniqueFd first = CreateUniqueFile(folder, ".part-", ".tmp", first_path);
  UniqueFd second = CreateUniqueFile(folder, ".part-", ".tmp", second_path);
  ::umask(previous_mask);
  ASSERT_TRUE(first.Valid()) << errno;
  ASSERT_TRUE(second.Valid()) << errno;
  EXPECT_NE(first_path, second_path);

  for (const std::string& path : {first_path, second_path}) {
    SCOPED_TRACE(path);
    ASSERT_EQ(path.size(), folder.size() + 6 + 8 + 4);
    EXPECT_EQ(path.substr(0, folder.size() + 6), folder + ".part-");
    EXPECT_EQ(path.substr(path.size() - 4), ".tmp");
    for (const char c : path.substr(folder.size() + 6, 8))
      EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << c;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u) << "0666 less the process's mask 022";
  }
  // Open for reading and writing, and not handed to programs the process starts.
  EXPECT_EQ(::fcntl(first.Get(), F_GETFL) & O_ACCMODE, O_RDWR);
  EXPECT_NE(::fcntl(first.Get(), F_GETFD) & FD_CLOEXEC, 0);
}

TEST(CreateUniqueFile, AnEmptyDirectoryIsTheCurrentOne) {
  TempDirectory directory;
  const testing::ScopedWorkingDirectory here(directory.path());
  std::string path;
  UniqueFd file = CreateUniqueFile("", "new-", "", path);
  ASSERT_TRUE(file.Valid()) << errno;
  EXPECT_EQ(path.rfind("new-", 0), 0u) << path;
  EXPECT_TRUE(std::filesystem::is_regular_file(directory.File(path)));
}

TEST(CreateUniqueFile, AMissingDirectoryGivesNoFileAndItsErrno) {
  TempDirectory directory;
  std::string path;
  errno = 0;
  UniqueFd file = CreateUniqueFile(directory.File("missing") + "/", "x", "", path);
  EXPECT_FALSE(file.Valid());
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(path.rfind(directory.File("missing") + "/x", 0), 0u) << path;
}

TEST(WriteAllAtReadAllAt, WholeSpansAtTheirOffsets) {
  TempDirectory directory;
  const std::string path = directory.File("data");
  UniqueFd fd(OpenFile(path, O_RDWR | O_CREAT));
  const std::vector<unsigned char> head = Bytes("Header"), tail = Bytes("tail");
  ASSERT_EQ(WriteAllAt(fd.Get(), 0, head), 0);
  // Past the end: the gap reads as zero bytes.
  ASSERT_EQ(WriteAllAt(fd.Get(), 10, tail), 0);
  // Over what is there.
  ASSERT_EQ(WriteAllAt(fd.Get(), 0, Bytes("h")), 0);
  EXPECT_EQ(testing::ReadWholeFile(path), std::string("header\0\0\0\0tail", 14));

  std::vector<unsigned char> read(4);
  ASSERT_EQ(ReadAllAt(fd.Get(), 10, read), 0);
  EXPECT_EQ(read, tail);
  std::vector<unsigned char> whole(14);
  ASSERT_EQ(ReadAllAt(fd.Get(), 0, whole), 0);
  EXPECT_EQ(std::string(whole.begin(), whole.end()), std::string("header\0\0\0\0tail", 14));
  EXPECT_EQ(ReadAllAt(fd.Get(), 14, {}), 0) << "nothing to read is no error, even at the end";
  EXPECT_EQ(WriteAllAt(fd.Get(), 20, {}), 0);
  EXPECT_EQ(testing::ReadWholeFile(path).size(), 14u) << "an empty write does not grow the file";
}

TEST(WriteAllAtReadAllAt, AReadThatMeetsTheEndFailsWithEio) {
  TempDirectory directory;
  const std::string path = directory.File("short");
  testing::WriteWholeFile(path, "0123456789");
  UniqueFd fd(OpenFile(path, O_RDONLY));
  struct Case {
    const char* legend;
    std::uint64_t offset;
    std::size_t length;
    int error;
  };
  const Case cases[] = {
      {"up to the last byte", 6, 4, 0},
      {"one byte beyond the end", 7, 4, EIO},
      {"from the end", 10, 1, EIO},
      {"far beyond the end", 1000, 1, EIO},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    std::vector<unsigned char> bytes(c.length);
    EXPECT_EQ(ReadAllAt(fd.Get(), c.offset, bytes), c.error);
  }
}

TEST(WriteAllAtReadAllAt, OffsetsBeyondFourGibibytes) {
  TempDirectory directory;
  const std::string path = directory.File("sparse");
  UniqueFd fd(OpenFile(path, O_RDWR | O_CREAT));
  constexpr std::uint64_t kOffset = (std::uint64_t{5} << 30) + 3;  // 5 GiB and 3 bytes
  const int error = WriteAllAt(fd.Get(), kOffset, Bytes("far"));
  if (error == EFBIG || error == ENOSPC) GTEST_SKIP() << "the file system takes no such file";
  ASSERT_EQ(error, 0);
  struct stat info {};
  ASSERT_EQ(::fstat(fd.Get(), &info), 0);
  EXPECT_EQ(static_cast<std::uint64_t>(info.st_size), kOffset + 3);
  std::vector<unsigned char> read(3);
  ASSERT_EQ(ReadAllAt(fd.Get(), kOffset, read), 0);
  EXPECT_EQ(read, Bytes("far"));
}

TEST(WriteAllAtReadAllAt, FailuresGiveTheirErrno) {
  TempDirectory directory;
  const std::string path = directory.File("read-only");
  testing::WriteWholeFile(path, "text");
  UniqueFd read_only(OpenFile(path, O_RDONLY));
  std::vector<unsigned char> bytes(2);
  EXPECT_EQ(WriteAllAt(read_only.Get(), 0, Bytes("x")), EBADF);
  EXPECT_EQ(ReadAllAt(-1, 0, bytes), EBADF);
  EXPECT_EQ(WriteAllAt(-1, 0, Bytes("x")), EBADF);

  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  UniqueFd pipe_read(pipe_ends[0]), pipe_write(pipe_ends[1]);
  EXPECT_EQ(WriteAllAt(pipe_write.Get(), 0, Bytes("x")), ESPIPE) << "a pipe has no offsets";
  EXPECT_EQ(ReadAllAt(pipe_read.Get(), 0, bytes), ESPIPE);

  UniqueFd full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
  if (full.Valid()) {
    EXPECT_EQ(WriteAllAt(full.Get(), 0, Bytes("x")), ENOSPC);
  }
}

TEST(WithReason, TheTextThenTheSystemsReason) {
  EXPECT_EQ(WithReason("/data/day1.kmz", ENOENT), "/data/day1.kmz: No such file or directory");
  EXPECT_EQ(WithReason("cannot write day1.kmz", ENOSPC),
            "cannot write day1.kmz: No space left on device");
  EXPECT_EQ(WithReason("", EACCES), ": Permission denied");
}

class FollowSymbolicLinksTest : public ::testing::Test {
 protected:
  void Link(const std::string& target, const std::string& name) {
    ASSERT_EQ(::symlink(target.c_str(), m_directory.File(name).c_str()), 0) << name;
  }
  std::string File(const std::string& name) const { return m_directory.File(name); }

  TempDirectory m_directory;
};

TEST_F(FollowSymbolicLinksTest, APathThatIsNoLinkStands) {
  testing::WriteWholeFile(File("plain.kmz"), "");
  EXPECT_EQ(FollowSymbolicLinks(File("plain.kmz")), File("plain.kmz"));
  EXPECT_EQ(FollowSymbolicLinks(File("missing.kmz")), File("missing.kmz"));
  EXPECT_EQ(FollowSymbolicLinks(m_directory.path()), m_directory.path());
}

TEST_F(FollowSymbolicLinksTest, ChainsEndAtTheirFileWhetherItExistsOrNot) {
  testing::WriteWholeFile(File("real.kmz"), "");
  Link(File("real.kmz"), "absolute");
  Link(File("absolute"), "to-a-link");
  Link("real.kmz", "relative");
  Link("new.kmz", "dangling");
  EXPECT_EQ(FollowSymbolicLinks(File("absolute")), File("real.kmz"));
  EXPECT_EQ(FollowSymbolicLinks(File("to-a-link")), File("real.kmz"));
  EXPECT_EQ(FollowSymbolicLinks(File("relative")), File("real.kmz"));
  EXPECT_EQ(FollowSymbolicLinks(File("dangling")), File("new.kmz"));
}

TEST_F(FollowSymbolicLinksTest, ARelativeLinkIsTakenFromItsOwnFolder) {
  std::filesystem::create_directory(File("logs"));
  testing::WriteWholeFile(File("out.kmz"), "");
  // logs/latest -> ../out.kmz names the file beside logs, not one beside the caller.
  Link("../out.kmz", "logs/latest");
  const std::string followed = FollowSymbolicLinks(File("logs/latest"));
  EXPECT_TRUE(std::filesystem::equivalent(followed, File("out.kmz"))) << followed;
  EXPECT_FALSE(std::filesystem::is_symlink(followed)) << followed;

  // A link named relative to the current directory stays relative to it.
  const testing::ScopedWorkingDirectory here(m_directory.path());
  Link("out.kmz", "logs/here");
  EXPECT_EQ(FollowSymbolicLinks("logs/here"), "logs/out.kmz");
  EXPECT_EQ(FollowSymbolicLinks("logs/latest"), "logs/../out.kmz");
}

TEST_F(FollowSymbolicLinksTest, ALoopEnds) {
  Link("self", "self");
  EXPECT_EQ(FollowSymbolicLinks(File("self")), File("self"));
  Link("pong", "ping");
  Link("ping", "pong");
  const std::string followed = FollowSymbolicLinks(File("ping"));
  EXPECT_TRUE(followed == File("ping") || followed == File("pong")) << followed;
}

TEST_F(FollowSymbolicLinksTest, ALinkThatGivesNoSize) {
  // The system's own links under /proc report a size of 0.
  EXPECT_EQ(FollowSymbolicLinks("/proc/self/exe"),
            std::filesystem::read_symlink("/proc/self/exe").string());
}

}  // namespace
}  // namespace trackmint
