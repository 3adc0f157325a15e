#include "kmz/kmz_file.h"

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "kmz_test_support.h"
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

std::span<const unsigned char> Bytes(const std::string& text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
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

#if defined(__x86_64__)
constexpr std::uint32_t kAuditArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr std::uint32_t kAuditArch = AUDIT_ARCH_AARCH64;
#else
constexpr std::uint32_t kAuditArch = 0;
#endif

// Runs the call on a thread of its own on which fchmod fails with EPERM, as on a file system
// that keeps no permissions; false when the system cannot make it fail. A seccomp filter
// installed without synchronising the threads holds for its thread alone and ends with it.
bool WithFailingFchmod(const std::function<void()>& call) {
  if (kAuditArch == 0) return false;
  bool filtered = false;
  std::thread thread([&] {
    sock_filter rules[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kAuditArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fchmod, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(rules)), rules};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &program) != 0) {
      return;
    }
    filtered = true;
    call();
  });
  thread.join();
  return filtered;
}

// Permissions that cannot pass to the new file fail it before anything is written: the earlier
// file stays as it was, and no hidden file is left.
TEST(KmzFile, PermissionsThatCannotPassFailIt) {
  for (const KmzFile::Kind kind : kKinds) {
    SCOPED_TRACE(kind == KmzFile::Kind::Unnamed ? "unnamed" : "hidden");
    TempDirectory dir;
    WriteWholeFile(dir.File("out.kmz"), "earlier");
    ::chmod(dir.File("out.kmz").c_str(), 0600);
    std::string message;
    if (!WithFailingFchmod(
            [&] { message = ErrorOf([&] { KmzFile file(dir.File("out.kmz"), -1, kind); }); })) {
      GTEST_SKIP() << "no seccomp filter here";
    }
    EXPECT_EQ(message,
              "Can't write the output file " + dir.File("out.kmz") + ": Operation not permitted");
    EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"out.kmz"});
    EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")), "earlier");
  }
}

// Gives a file, or a link itself, the time of its last change.
void SetModified(const std::string& path, std::time_t time) {
  const timespec times[2] = {{0, UTIME_OMIT}, {time, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Only what a killed run can have left goes: a regular file of the user's, named exactly as a
// KmzFile names its hidden file, not written for the age given, and held by no KmzFile.
TEST(KmzFile, RemovesOnlyTheLeftoversOfKilledRuns) {
  enum class Kind { File, Link, Folder, Held, OtherUser };
  struct Case {
    const char* legend;
    std::string name;
    Kind kind;
    std::time_t age;
    bool removed;
  };
  const std::vector<Case> cases = {
      {"an old leftover", ".trackmint-Ab3dEf9h.part", Kind::File, 3600, true},
      {"exactly the age", ".trackmint-00000000.part", Kind::File, 600, true},
      {"a second younger", ".trackmint-zzzzZZZZ.part", Kind::File, 599, false},
      {"changed in the future", ".trackmint-Future00.part", Kind::File, -3600, false},
      {"seven letters", ".trackmint-Ab3dEf9.part", Kind::File, 3600, false},
      {"nine letters", ".trackmint-Ab3dEf9hX.part", Kind::File, 3600, false},
      {"a dash among the letters", ".trackmint-Ab3d-f9h.part", Kind::File, 3600, false},
      {"a letter that is not ASCII",
       ".trackmint-Ab3d\xC3\xA9"
       "f9.part",
       Kind::File, 3600, false},
      {"not hidden", "trackmint-Ab3dEf9h.part", Kind::File, 3600, false},
      {"another ending", ".trackmint-Ab3dEf9h.kmz", Kind::File, 3600, false},
      {"a KMZ", "out.kmz", Kind::File, 3600, false},
      {"a link to an old file", ".trackmint-Link0000.part", Kind::Link, 3600, false},
      {"a folder", ".trackmint-Folder00.part", Kind::Folder, 3600, false},
      {"held by a run", ".trackmint-Held0000.part", Kind::Held, 3600, false},
      {"another user's", ".trackmint-Other000.part", Kind::OtherUser, 3600, false},
  };
  constexpr std::time_t kNow = 1700000000;
  TempDirectory dir;
  WriteWholeFile(dir.File("target.kmz"), "the file a link names");
  SetModified(dir.File("target.kmz"), kNow - 3600);
  int held = -1;
  std::vector<std::string> expected = {"target.kmz"};
  for (const Case& c : cases) {
    const std::string path = dir.File(c.name);
    switch (c.kind) {
      case Kind::File:
        WriteWholeFile(path, c.legend);
        break;
      case Kind::Link:
        std::filesystem::create_symlink("target.kmz", path);
        break;
      case Kind::Folder:
        std::filesystem::create_directory(path);
        break;
      case Kind::Held:
        WriteWholeFile(path, c.legend);
        held = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
        break;
      case Kind::OtherUser:
        // Only root can give a file away.
        if (::geteuid() != 0) continue;
        WriteWholeFile(path, c.legend);
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        break;
    }
    SetModified(path, kNow - c.age);
    if (!c.removed) expected.push_back(c.name);
  }
  std::sort(expected.begin(), expected.end());

  RemoveLeftovers(dir.path() + "/", kNow, 600);
  EXPECT_EQ(DirectoryNames(dir.path()), expected);
  EXPECT_EQ(ReadWholeFile(dir.File("target.kmz")), "the file a link names");
  // The run that held its file has ended without removing it: the next clean-up takes it.
  ::close(held);
  RemoveLeftovers(dir.path() + "/", kNow, 600);
  const std::vector<std::string> after = DirectoryNames(dir.path());
  EXPECT_EQ(std::count(after.begin(), after.end(), ".trackmint-Held0000.part"), 0);
}

// Each KmzFile clears its folder of the hidden files of killed runs, its own name pattern
// included, and leaves a running one's hidden file alone however long it has not been written.
TEST(KmzFile, ANewKmzFileRemovesWhatKilledRunsLeft) {
  TempDirectory dir;
  const std::time_t now = std::time(nullptr);
  // A hidden file under the very name a KmzFile gave it, kept as a kill would keep it.
  std::string killed;
  {
    KmzFile file(dir.File("killed.kmz"), -1, KmzFile::Kind::Hidden);
    file.Append(Bytes("half a KMZ"));
    const std::vector<std::string> names = testing::LeftOverNames(dir.path());
    ASSERT_EQ(names.size(), 1u);
    killed = names[0];
    std::filesystem::create_hard_link(dir.File(killed), dir.File("kept"));
  }
  std::filesystem::rename(dir.File("kept"), dir.File(killed));
  SetModified(dir.File(killed), now - 3600);
  WriteWholeFile(dir.File(".trackmint-Recent00.part"), "a run that was killed just now");

  KmzFile running(dir.File("running.kmz"), -1, KmzFile::Kind::Hidden);
  running.Append(Bytes("a log that comes slowly"));
  const std::vector<std::string> running_names = testing::LeftOverNames(dir.path());
  EXPECT_EQ(running_names.size(), 2u);  // its own and the recent one
  for (const std::string& name : running_names) {
    if (name != ".trackmint-Recent00.part") SetModified(dir.File(name), now - 3600);
  }
  {
    KmzFile file(dir.File("out.kmz"), -1);
    file.Append(Bytes("KMZ"));
    file.Commit();
  }
  EXPECT_EQ(testing::LeftOverNames(dir.path()), running_names);
  running.Commit();
  EXPECT_EQ(ReadWholeFile(dir.File("running.kmz")), "a log that comes slowly");
  EXPECT_EQ(DirectoryNames(dir.path()),
            (std::vector<std::string>{".trackmint-Recent00.part", "out.kmz", "running.kmz"}));
}

}  // namespace
}  // namespace trackmint
