#include "kmz/archive_writer.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "kmz_test_support.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"
#include "zip_reader.h"

namespace trackmint {
namespace {

using testing::DirectoryNames;
using testing::LeftOverNames;
using testing::NoAnswerHost;
using testing::ReadWholeFile;
using testing::ReadZip;
using testing::ReadZipFile;
using testing::ScriptedHost;
using testing::TempDirectory;
using testing::WriteWholeFile;
using testing::ZipContents;

const FixedClock kClock({2024, 3, 15, 13, 45, 31});

std::string Lines(std::size_t size) {
  std::string text;
  for (unsigned i = 0; text.size() < size; ++i) {
    text += "<Placemark><name>" + std::to_string(i) + "</name></Placemark>\n";
  }
  text.resize(size);
  return text;
}

// The hidden archive under construction, read as it stands on disk.
ZipContents ReadUnfinishedArchive(const TempDirectory& dir) {
  const std::vector<std::string> hidden = LeftOverNames(dir.path());
  if (hidden.size() != 1) {
    ZipContents none;
    none.problem = "expected one unfinished archive, found " + std::to_string(hidden.size());
    return none;
  }
  return ReadZipFile(dir.File(hidden.front()));
}

// Sets TZ for one test, so that file times have a known local time.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_saved = old;
    m_had = std::getenv("TZ") != nullptr;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (m_had) {
      setenv("TZ", m_saved.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::string m_saved;
  bool m_had = false;
};

TEST(ArchiveWriter, ArchiveWithNoMembersIsTheEndRecordAlone) {
  TempDirectory dir;
  ScriptedHost host;
  ArchiveWriter writer(host, kClock);
  writer.SetFileName(dir.File("empty.kmz"));
  writer.OpenArchive();
  writer.CloseArchive();
  const std::string expected = std::string("PK\x05\x06", 4) + std::string(18, '\0');
  EXPECT_EQ(ReadWholeFile(dir.File("empty.kmz")), expected);
  EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"empty.kmz"});
}

TEST(ArchiveWriter, MembersInOrderEachUpdateComplete) {
  TempDirectory dir;
  const TimeZone utc("UTC0");
  // 3 MiB and a bit: four pieces, the host gets a turn after each.
  const std::string document = Lines(3 * 1048576 + 100);
  const std::string icon = testing::RandomBytes(5000, 1);
  WriteWholeFile(dir.File("track.kml"), document);
  WriteWholeFile(dir.File("255.png"), icon);
  WriteWholeFile(dir.File("empty.txt"), "");
  // 2021-06-15 10:20:30 UTC: time 10 * 2048 + 20 * 32 + 15 = 21135,
  // date 41 * 512 + 6 * 32 + 15 = 21199.
  const std::time_t june_2021 = 1623752430;
  for (const char* name : {"track.kml", "255.png", "empty.txt"}) {
    testing::SetModificationTime(dir.File(name), june_2021);
  }

  ScriptedHost host;
  ArchiveWriter writer(host, kClock);
  writer.SetFileName(dir.File("out.kmz"));
  writer.OpenArchive();
  const std::vector<std::string> names = {"track.kml", "255.png", "empty.txt"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    writer.AddFiles(dir.File(names[i]));
    // Between two updates the file on disk is a complete archive of what has been added.
    const ZipContents so_far = ReadUnfinishedArchive(dir);
    ASSERT_EQ(so_far.problem, "");
    EXPECT_EQ(so_far.names(), std::vector<std::string>(names.begin(), names.begin() + i + 1));
  }
  EXPECT_EQ(host.pending_event_calls, 4 + 1);
  writer.CloseArchive();

  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.names(), names);
  EXPECT_EQ(zip.members[0].data, document);
  EXPECT_EQ(zip.members[1].data, icon);
  EXPECT_EQ(zip.members[2].data, "");
  EXPECT_EQ(zip.members[0].method, 8);
  EXPECT_EQ(zip.members[1].method, 8);
  EXPECT_EQ(zip.members[2].method, 0);  // an empty file is stored
  EXPECT_EQ(zip.members[2].crc32, 0u);
  EXPECT_EQ(zip.members[2].compressed_size, 0u);
  std::uint32_t previous_offset = 0;
  for (const auto& member : zip.members) {
    SCOPED_TRACE(member.name);
    EXPECT_EQ(member.version_made_by, 20);
    EXPECT_EQ(member.version_needed, 20);
    EXPECT_EQ(member.flags, 0);
    EXPECT_EQ(member.external_attributes, 0x20u);
    EXPECT_EQ(member.dos_time, 21135);
    EXPECT_EQ(member.dos_date, 21199);
    if (&member != &zip.members.front()) {
      EXPECT_GT(member.local_header_offset, previous_offset);
    }
    previous_offset = member.local_header_offset;
  }
  EXPECT_EQ(DirectoryNames(dir.path()),
            (std::vector<std::string>{"255.png", "empty.txt", "out.kmz", "track.kml"}));
}

TEST(ArchiveWriter, FileTimesOutsideTheDosRange) {
  const TimeZone utc("UTC0");
  struct Case {
    const char* legend;
    std::time_t mtime;
    std::uint16_t dos_time;
    std::uint16_t dos_date;
  };
  // The clock's 2024-03-15 13:45:31 is 0x6DAF / 0x586F; the last DOS moment, 2107-12-31
  // 23:59:58, is 0xBF7D / 0xFF9F; the first, 1980-01-01 00:00:00, is 0x0000 / 0x0021.
  const std::vector<Case> cases = {
      {"1970 is held to 1980", 0, 0x0000, 0x0021},
      {"2200 is held to 2107", 7258118400, 0xBF7D, 0xFF9F},
      {"a time no calendar holds takes the clock", std::time_t{1} << 62, 0x6DAF, 0x586F},
  };
  // tmpfs keeps any 64-bit time; other file systems may clamp the last case.
  const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : nullptr;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory dir;
    std::string source_dir = dir.path();
    std::string made_dir;
    if (base != nullptr) {
      std::string pattern = std::string(base) + "/trackmint-test-XXXXXX";
      if (mkdtemp(pattern.data()) != nullptr) made_dir = source_dir = pattern;
    }
    const std::string source = source_dir + "/old.txt";
    WriteWholeFile(source, "old");
    testing::SetModificationTime(source, c.mtime);
    struct stat info {};
    ::stat(source.c_str(), &info);
    if (info.st_mtime == c.mtime) {
      ScriptedHost host;
      ArchiveWriter writer(host, kClock);
      writer.SetFileName(dir.File("out.zip"));
      writer.OpenArchive();
      writer.AddFiles(source);
      writer.CloseArchive();
      const ZipContents zip = ReadZipFile(dir.File("out.zip"));
      EXPECT_EQ(zip.problem, "");
      if (zip.members.size() == 1) {
        EXPECT_EQ(zip.members[0].dos_time, c.dos_time);
        EXPECT_EQ(zip.members[0].dos_date, c.dos_date);
      } else {
        ADD_FAILURE() << "expected one member";
      }
    } else {
      std::cout << "[ NOTE ] the file system cannot hold the time of: " << c.legend << "\n";
    }
    if (!made_dir.empty()) std::filesystem::remove_all(made_dir);
  }
}

TEST(ArchiveWriter, ReplacedMemberKeepsItsPlace) {
  struct Case {
    const char* legend;
    std::string replaced;
    std::string new_content;
  };
  const std::vector<Case> cases = {
      {"middle member grows", "b.txt", Lines(300000)}, {"middle member shrinks", "b.txt", "b"},
      {"first member", "a.txt", Lines(20000)},         {"last member", "c.txt", Lines(7000)},
      {"middle member becomes empty", "b.txt", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory dir;
    TempDirectory other;
    WriteWholeFile(dir.File("a.txt"), Lines(1000));
    WriteWholeFile(dir.File("b.txt"), Lines(90000));
    WriteWholeFile(dir.File("c.txt"), Lines(3000));
    WriteWholeFile(other.File(c.replaced), c.new_content);
    ScriptedHost host;
    ArchiveWriter writer(host, kClock);
    writer.SetFileName(dir.File("out.kmz"));
    writer.OpenArchive();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) writer.AddFiles(dir.File(name));
    writer.AddFiles(other.File(c.replaced));
    writer.CloseArchive();

    const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
    ASSERT_EQ(zip.problem, "");
    ASSERT_EQ(zip.names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
    for (const auto& member : zip.members) {
      const std::string expected =
          member.name == c.replaced ? c.new_content : ReadWholeFile(dir.File(member.name));
      EXPECT_EQ(member.data, expected) << member.name;
    }
    EXPECT_TRUE(host.member_errors.empty());
  }
}

TEST(ArchiveWriter, NothingToAddLeavesTheArchiveAsItWas) {
  TempDirectory dir;
  WriteWholeFile(dir.File("a.txt"), "alpha");
  std::filesystem::create_directory(dir.File("folder"));
  // An older archive at the path: itself is never packed, neither under its name nor as the
  // file being written.
  WriteWholeFile(dir.File("out.kmz"), "older");
  ScriptedHost host;
  ArchiveWriter writer(host, kClock);
  writer.SetFileName(dir.File("out.kmz"));
  writer.OpenArchive();
  writer.AddFiles(dir.File("a.txt"));
  writer.AddFiles(dir.File("missing.txt"));
  writer.AddFiles(dir.File("folder"));
  writer.AddFiles(dir.File("out.kmz"));
  writer.AddFiles(dir.File(LeftOverNames(dir.path()).at(0)));
  writer.CloseArchive();
  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  EXPECT_EQ(zip.names(), std::vector<std::string>{"a.txt"});
  EXPECT_TRUE(host.member_errors.empty());
}

TEST(ArchiveWriter, AttributesOfAReadOnlyFile) {
  TempDirectory dir;
  WriteWholeFile(dir.File("normal.txt"), "n");
  WriteWholeFile(dir.File("readonly.txt"), "r");
  ::chmod(dir.File("readonly.txt").c_str(), 0444);
  ScriptedHost host;
  ArchiveWriter writer(host, kClock);
  writer.SetFileName(dir.File("out.zip"));
  writer.OpenArchive();
  writer.AddFiles(dir.File("normal.txt"));
  writer.AddFiles(dir.File("readonly.txt"));
  writer.CloseArchive();
  const ZipContents zip = ReadZipFile(dir.File("out.zip"));
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.members.size(), 2u);
  EXPECT_EQ(zip.members[0].external_attributes, 0x20u);
  EXPECT_EQ(zip.members[1].external_attributes, 0x21u);
}

TEST(ArchiveWriter, NamesOutsideAsciiInTheCodePageOrUtf8) {
  TempDirectory dir;
  WriteWholeFile(dir.File("трек.kml"), "document");
  WriteWholeFile(dir.File("日本.png"), "icon");
  ScriptedHost host;
  ArchiveWriter writer(host, kClock, "CP866");
  writer.SetFileName(dir.File("out.kmz"));
  writer.OpenArchive();
  writer.AddFiles(dir.File("трек.kml"));
  writer.AddFiles(dir.File("日本.png"));
  writer.CloseArchive();
  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.members.size(), 2u);
  EXPECT_EQ(zip.members[0].name, "\xE2\xE0\xA5\xAA.kml");  // CP866
  EXPECT_EQ(zip.members[0].flags, 0);
  EXPECT_EQ(zip.members[1].name, "日本.png");
  EXPECT_EQ(zip.members[1].flags, 0x0800);
  EXPECT_EQ(std::system(("unzip -tqq '" + dir.File("out.kmz") + "' >/dev/null").c_str()), 0);
}

TEST(ArchiveWriter, OpenFailures) {
  TempDirectory dir;
  WriteWholeFile(dir.File("plain"), "x");
  std::filesystem::create_directory(dir.File("folder"));
  struct Case {
    std::string path;
    std::string message;
  };
  const std::vector<Case> cases = {
      {dir.File("missing/track.kmz"), "Can't create the output file " +
                                          dir.File("missing/track.kmz") +
                                          ": No such file or directory"},
      {dir.File("plain/track.kmz"),
       "Can't create the output file " + dir.File("plain/track.kmz") + ": Not a directory"},
      {"/proc/trackmint-no/track.kmz",
       "Can't create the output file /proc/trackmint-no/track.kmz: No such file or directory"},
      {dir.File("folder"), "Can't create the output file " + dir.File("folder") + ": Is a directory"},
      {dir.path() + "/",
       "TrackmintZip: File name is blank. Specify appropriate file name - Native error: 00010"},
      {"", "TrackmintZip: File name is blank. Specify appropriate file name - Native error: 00010"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ScriptedHost host;
    ArchiveWriter writer(host, kClock);
    writer.SetFileName(c.path);
    try {
      writer.OpenArchive();
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_FALSE(writer.is_open());
  }
  EXPECT_EQ(DirectoryNames(dir.path()), (std::vector<std::string>{"folder", "plain"}));
}

TEST(ArchiveWriter, AnUnfinishedArchiveLeavesTheEarlierFileAlone) {
  TempDirectory dir;
  WriteWholeFile(dir.File("out.kmz"), "previous archive");
  WriteWholeFile(dir.File("a.txt"), "alpha");
  {
    ScriptedHost host;
    ArchiveWriter writer(host, kClock);
    writer.SetFileName(dir.File("out.kmz"));
    writer.OpenArchive();
    writer.AddFiles(dir.File("a.txt"));
    // The writer goes without CloseArchive, as when an error ends the run.
  }
  EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")), "previous archive");
  EXPECT_EQ(DirectoryNames(dir.path()), (std::vector<std::string>{"a.txt", "out.kmz"}));
}

std::string CannotOpenQuestion(const std::string& path) {
  return "TrackmintZip: Cannot open file \"" + path +
         "\" - Native error: 00033. File processing error, possibly disk is full";
}

TEST(ArchiveWriter, MemberThatCannotBeOpened) {
  struct Case {
    const char* legend;
    MemberErrorAnswer answer;
    bool replaces;  // the file has the name of a member already packed
    std::vector<std::string> names;
    std::string b_content;
  };
  const std::vector<Case> cases = {
      {"ignore leaves a new member out", MemberErrorAnswer::Ignore, false, {"a.txt", "c.txt"}, ""},
      {"abort undoes the update", MemberErrorAnswer::Abort, false, {"a.txt", "c.txt"}, ""},
      {"ignore keeps a replaced member",
       MemberErrorAnswer::Ignore,
       true,
       {"a.txt", "b.txt", "c.txt"},
       "earlier b"},
      {"abort keeps a replaced member",
       MemberErrorAnswer::Abort,
       true,
       {"a.txt", "b.txt", "c.txt"},
       "earlier b"},
      {"retry after the cause is gone",
       MemberErrorAnswer::Retry,
       false,
       {"a.txt", "c.txt", "b.txt"},
       "b, now readable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory dir;
    TempDirectory elsewhere;
    WriteWholeFile(dir.File("a.txt"), Lines(5000));
    WriteWholeFile(dir.File("b.txt"), "earlier b");
    WriteWholeFile(dir.File("c.txt"), Lines(7000));
    const std::string socket = elsewhere.File("b.txt");
    testing::MakeSocket(socket);
    ScriptedHost host;
    host.on_member_error = [&](const std::string&) {
      if (c.answer == MemberErrorAnswer::Retry) {
        std::filesystem::remove(socket);
        WriteWholeFile(socket, "b, now readable");
      }
      return c.answer;
    };
    ArchiveWriter writer(host, kClock);
    writer.SetFileName(dir.File("out.kmz"));
    writer.OpenArchive();
    writer.AddFiles(dir.File("a.txt"));
    if (c.replaces) writer.AddFiles(dir.File("b.txt"));
    writer.AddFiles(dir.File("c.txt"));
    writer.AddFiles(socket);
    writer.CloseArchive();

    EXPECT_EQ(host.member_errors, std::vector<std::string>{CannotOpenQuestion(socket)});
    const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
    ASSERT_EQ(zip.problem, "");
    EXPECT_EQ(zip.names(), c.names);
    if (const auto* b = zip.Find("b.txt")) {
      EXPECT_EQ(b->data, c.b_content);
    }
    EXPECT_EQ(zip.Find("c.txt")->data, ReadWholeFile(dir.File("c.txt")));
    EXPECT_TRUE(LeftOverNames(dir.path()).empty());
  }
}

// Holds the process's file size limit low, so that writing the archive fails as on a full
// disk (the kernel refuses writes past the limit; its signal is ignored meanwhile).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    Lift();
    std::signal(SIGXFSZ, m_old_handler);
  }
  void Lift() { setrlimit(RLIMIT_FSIZE, &m_saved); }

 private:
  rlimit m_saved{};
  void (*m_old_handler)(int) = nullptr;
};

TEST(ArchiveWriter, DiskFullWhileAMemberIsWritten) {
  const std::string question =
      "Disk is full. There is not enough free space on disk. - Native error: 00065. File "
      "processing error, possibly disk is full";
  for (const MemberErrorAnswer answer :
       {MemberErrorAnswer::Retry, MemberErrorAnswer::Ignore, MemberErrorAnswer::Abort}) {
    SCOPED_TRACE(static_cast<int>(answer));
    TempDirectory dir;
    WriteWholeFile(dir.File("a.txt"), Lines(10000));
    const std::string big = testing::RandomBytes(1048576, 2);
    WriteWholeFile(dir.File("big.bin"), big);
    ScriptedHost host;
    ArchiveWriter writer(host, kClock);
    writer.SetFileName(dir.File("out.kmz"));
    writer.OpenArchive();
    writer.AddFiles(dir.File("a.txt"));
    {
      FileSizeLimit limit(256 * 1024);
      host.on_member_error = [&](const std::string&) {
        if (answer == MemberErrorAnswer::Retry) limit.Lift();  // the user made room
        return answer;
      };
      writer.AddFiles(dir.File("big.bin"));
    }
    writer.CloseArchive();
    EXPECT_EQ(host.member_errors, std::vector<std::string>{question});
    const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
    ASSERT_EQ(zip.problem, "");
    if (answer == MemberErrorAnswer::Retry) {
      ASSERT_EQ(zip.names(), (std::vector<std::string>{"a.txt", "big.bin"}));
      EXPECT_EQ(zip.members[1].data, big);
    } else {
      EXPECT_EQ(zip.names(), std::vector<std::string>{"a.txt"});
    }
  }
}

TEST(ArchiveWriter, UnansweredMemberErrorDiscardsTheArchive) {
  TempDirectory dir;
  WriteWholeFile(dir.File("out.kmz"), "previous archive");
  WriteWholeFile(dir.File("a.txt"), "alpha");
  testing::MakeSocket(dir.File("b.txt"));
  NoAnswerHost host;
  {
    ArchiveWriter writer(host, kClock);
    writer.SetFileName(dir.File("out.kmz"));
    writer.OpenArchive();
    writer.AddFiles(dir.File("a.txt"));
    try {
      writer.AddFiles(dir.File("b.txt"));
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()), CannotOpenQuestion(dir.File("b.txt")));
    }
  }
  EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")), "previous archive");
  EXPECT_EQ(DirectoryNames(dir.path()), (std::vector<std::string>{"a.txt", "b.txt", "out.kmz"}));
}

TEST(ArchiveWriter, MemberOfFourGigabytesFailsWithoutZip64) {
  // Sparse files: their size costs no disk, and the size alone refuses them.
  for (const std::uint64_t size : {std::uint64_t{0xFFFFFFFF}, std::uint64_t{0x100000000}}) {
    SCOPED_TRACE(size);
    TempDirectory dir;
    WriteWholeFile(dir.File("out.kmz"), "previous archive");
    WriteWholeFile(dir.File("a.txt"), "alpha");
    const std::string huge = dir.File("huge.kml");
    {
      const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ASSERT_GE(fd, 0);
      ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
      ::close(fd);
    }
    ScriptedHost host;
    {
      ArchiveWriter writer(host, kClock);
      writer.SetFileName(dir.File("out.kmz"));
      writer.OpenArchive();
      writer.AddFiles(dir.File("a.txt"));
      try {
        writer.AddFiles(huge);
        ADD_FAILURE() << "no error";
      } catch (const TrackmintError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "TrackmintZip: Cannot compress file '" + huge +
                      "'. Zip64 mode is not enabled - Native error: 00041");
      }
    }
    EXPECT_TRUE(host.member_errors.empty());
    EXPECT_EQ(ReadWholeFile(dir.File("out.kmz")), "previous archive");
    EXPECT_EQ(DirectoryNames(dir.path()),
              (std::vector<std::string>{"a.txt", "huge.kml", "out.kmz"}));
  }
}

TEST(ArchiveWriter, ReplacesTheEarlierFileWholeAndKeepsItsPermissions) {
  TempDirectory dir;
  WriteWholeFile(dir.File("a.txt"), "alpha");
  WriteWholeFile(dir.File("out.kmz"), Lines(100000));  // longer than the new archive
  ::chmod(dir.File("out.kmz").c_str(), 0640);
  ScriptedHost host;
  ArchiveWriter writer(host, kClock);
  writer.SetFileName(dir.File("out.kmz"));
  writer.OpenArchive();
  writer.AddFiles(dir.File("a.txt"));
  writer.CloseArchive();
  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  EXPECT_EQ(zip.names(), std::vector<std::string>{"a.txt"});
  struct stat info {};
  ASSERT_EQ(::stat(dir.File("out.kmz").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace trackmint
