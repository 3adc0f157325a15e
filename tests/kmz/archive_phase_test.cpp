#include "kmz/archive_phase.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "kmz/arrow_icon.h"
#include "kmz/intermediate_directory.h"
#include "kmz_test_support.h"
#include "png_reader.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"
#include "zip_reader.h"

namespace trackmint {
namespace {

using testing::DirectoryNames;
using testing::ReadWholeFile;
using testing::ReadZipFile;
using testing::StubHost;
using testing::TempDirectory;
using testing::WriteWholeFile;
using testing::ZipContents;

const FixedClock kClock({2024, 3, 15, 13, 45, 31});
const std::string kDocument = "<kml>\n<Document>\n</Document>\n</kml>";

// What the run has done before the archive phase: the document and the seven icons, in class
// order, written into its intermediate directory.
struct Intermediates {
  std::string document_path;
  std::vector<std::string> icon_paths;
};

Intermediates WriteIntermediates(const IntermediateDirectory& directory,
                                 const std::string& document_name, StubHost& host) {
  Intermediates files;
  files.document_path = directory.File(document_name);
  WriteWholeFile(files.document_path, kDocument);
  for (int slot = 0; slot < kIconSlotCount; ++slot) {
    const auto icon = static_cast<IconSlot>(slot);
    const WindowColour colour = icon == IconSlot::Grey ? kGreyIconColour : host.ClassColour(icon);
    files.icon_paths.push_back(directory.File(MakeArrowIcon(colour, directory.path(), host)));
  }
  return files;
}

// The run's last steps: the intermediates beside the KMZ, packed, and their directory gone.
void PackLikeTheRun(const std::string& kmz, const std::string& document_name, StubHost& host) {
  const auto intermediate = IntermediateDirectory::Create(kmz);
  ASSERT_TRUE(intermediate.has_value());
  const Intermediates files = WriteIntermediates(*intermediate, document_name, host);
  PackKmz(kmz, files.document_path, files.icon_paths, host, kClock);
}

bool UnzipTestPasses(const std::string& path) {
  return std::system(("unzip -tqq '" + path + "' >/dev/null 2>&1").c_str()) == 0;
}

// The red, green and blue of an icon member in the middle of the arrow's shaft.
std::vector<int> ShaftColour(const ZipContents& zip, const std::string& name) {
  const auto* member = zip.Find(name);
  if (member == nullptr) return {};
  const testing::DecodedPng png = testing::DecodePng(member->data);
  if (!png.problem.empty()) return {};
  const unsigned char* pixel = &png.pixels[(30 * 48 + 24) * 4];
  return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

TEST(ArchivePhase, DesignedColoursGiveEightMembersInOrder) {
  TempDirectory dir;
  const std::string kmz = dir.File("track.kmz");
  StubHost host;
  ASSERT_NO_FATAL_FAILURE(PackLikeTheRun(kmz, "track.kml", host));
  EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"track.kmz"});
  EXPECT_TRUE(UnzipTestPasses(kmz));
  const ZipContents zip = ReadZipFile(kmz);
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.names(),
            (std::vector<std::string>{"track.kml", "255.png", "65535.png", "32768.png",
                                      "16711935.png", "16776960.png", "0.png", "8421504.png"}));
  EXPECT_EQ(zip.members[0].data, kDocument);
  for (const auto& member : zip.members) {
    SCOPED_TRACE(member.name);
    EXPECT_EQ(member.method, 8);
    EXPECT_EQ(member.version_needed, 20);
    EXPECT_EQ(member.flags, 0);
    EXPECT_EQ(member.external_attributes, 0x20u);
  }
  EXPECT_EQ(ShaftColour(zip, "255.png"), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(ShaftColour(zip, "65535.png"), (std::vector<int>{255, 255, 0, 255}));
  EXPECT_EQ(ShaftColour(zip, "32768.png"), (std::vector<int>{0, 128, 0, 255}));
  EXPECT_EQ(ShaftColour(zip, "16711935.png"), (std::vector<int>{255, 0, 255, 255}));
  EXPECT_EQ(ShaftColour(zip, "16776960.png"), (std::vector<int>{0, 255, 255, 255}));
  EXPECT_EQ(ShaftColour(zip, "0.png"), (std::vector<int>{0, 0, 0, 255}));
  EXPECT_EQ(ShaftColour(zip, "8421504.png"), (std::vector<int>{128, 128, 128, 255}));
  EXPECT_TRUE(host.member_errors.empty());
}

TEST(ArchivePhase, SharedColourStandsOnceAtItsFirstPlace) {
  TempDirectory dir;
  const std::string kmz = dir.File("track.kmz");
  StubHost host;
  host.class_colours[static_cast<std::size_t>(IconSlot::Diff)] = 0x0000FF;  // as Auto
  ASSERT_NO_FATAL_FAILURE(PackLikeTheRun(kmz, "track.kml", host));
  EXPECT_TRUE(UnzipTestPasses(kmz));
  const ZipContents zip = ReadZipFile(kmz);
  ASSERT_EQ(zip.problem, "");
  EXPECT_EQ(zip.names(),
            (std::vector<std::string>{"track.kml", "255.png", "32768.png", "16711935.png",
                                      "16776960.png", "0.png", "8421504.png"}));
  EXPECT_EQ(ShaftColour(zip, "255.png"), (std::vector<int>{255, 0, 0, 255}));
}

TEST(ArchivePhase, UserFilesBesideTheKmzSurvive) {
  TempDirectory dir;
  const std::string kmz = dir.File("track.kmz");
  // The user's own files that carry the names of the run's intermediate files.
  WriteWholeFile(dir.File("track.kml"), "my hand-made document");
  WriteWholeFile(dir.File("255.png"), "my red picture");
  WriteWholeFile(dir.File("8421504.png"), "my grey picture");
  StubHost host;
  ASSERT_NO_FATAL_FAILURE(PackLikeTheRun(kmz, "track.kml", host));
  EXPECT_EQ(ReadWholeFile(dir.File("track.kml")), "my hand-made document");
  EXPECT_EQ(ReadWholeFile(dir.File("255.png")), "my red picture");
  EXPECT_EQ(ReadWholeFile(dir.File("8421504.png")), "my grey picture");
  EXPECT_EQ(DirectoryNames(dir.path()),
            (std::vector<std::string>{"255.png", "8421504.png", "track.kml", "track.kmz"}));
  const ZipContents zip = ReadZipFile(kmz);
  ASSERT_EQ(zip.problem, "");
  EXPECT_EQ(zip.members.at(0).data, kDocument);
  EXPECT_EQ(ShaftColour(zip, "255.png"), (std::vector<int>{255, 0, 0, 255}));
}

TEST(ArchivePhase, OutputNamedLikeTheDocumentIsTheKmz) {
  TempDirectory dir;
  const std::string kmz = dir.File("track.kml");
  StubHost host;
  ASSERT_NO_FATAL_FAILURE(PackLikeTheRun(kmz, "track.kml", host));
  EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"track.kml"});
  EXPECT_TRUE(UnzipTestPasses(kmz));
  const ZipContents zip = ReadZipFile(kmz);
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.members.size(), 8u);
  EXPECT_EQ(zip.members[0].name, "track.kml");
  EXPECT_EQ(zip.members[0].data, kDocument);
}

TEST(ArchivePhase, EarlierKmzIsReplacedNotExtended) {
  TempDirectory dir;
  const std::string kmz = dir.File("track");  // no extension: the archive takes the name as given
  StubHost host;
  for (const char* document_name : {"first.kml", "track.kml"}) {
    const auto intermediate = IntermediateDirectory::Create(kmz);
    ASSERT_TRUE(intermediate.has_value());
    const Intermediates files = WriteIntermediates(*intermediate, document_name, host);
    PackKmz(kmz, files.document_path, files.icon_paths, host, kClock);
  }
  const ZipContents zip = ReadZipFile(kmz);
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.members.size(), 8u);
  EXPECT_EQ(zip.members[0].name, "track.kml");
  EXPECT_EQ(zip.Find("first.kml"), nullptr);
  EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{"track"});
}

TEST(ArchivePhase, IconGoneBeforePackingIsLeftOutQuietly) {
  TempDirectory dir;
  const std::string kmz = dir.File("track.kmz");
  StubHost host;
  {
    const auto intermediate = IntermediateDirectory::Create(kmz);
    ASSERT_TRUE(intermediate.has_value());
    const Intermediates files = WriteIntermediates(*intermediate, "track.kml", host);
    std::filesystem::remove(files.icon_paths[4]);  // Estimated
    PackKmz(kmz, files.document_path, files.icon_paths, host, kClock);
  }
  const ZipContents zip = ReadZipFile(kmz);
  ASSERT_EQ(zip.problem, "");
  EXPECT_EQ(zip.members.size(), 7u);
  EXPECT_EQ(zip.Find("16776960.png"), nullptr);
  EXPECT_TRUE(host.member_errors.empty());
}

// Failed runs: the previous KMZ is kept as it was and nothing of the run is left behind.
TEST(ArchivePhase, FailedRunKeepsThePreviousKmz) {
  struct Case {
    const char* legend;
    std::string kmz_name;
    void (*spoil)(const Intermediates&);
    std::string message;  // with <doc> and <icon> standing for the paths
  };
  const std::vector<Case> cases = {
      {"an icon that cannot be opened, and nobody to answer", "track.kmz",
       [](const Intermediates& files) {
         std::filesystem::remove(files.icon_paths[2]);
         testing::MakeSocket(files.icon_paths[2]);
       },
       "TrackmintZip: Cannot open file \"<icon>\" - Native error: 00033. File processing "
       "error, possibly disk is full"},
      {"a document of 4 GiB", "track.kmz",
       [](const Intermediates& files) {
         const int fd = ::open(files.document_path.c_str(), O_WRONLY | O_TRUNC);
         ASSERT_GE(fd, 0);
         ASSERT_EQ(::ftruncate(fd, off_t{1} << 32), 0);  // sparse: costs no disk
         ::close(fd);
       },
       "TrackmintZip: Cannot compress file '<doc>'. Zip64 mode is not enabled - Native error: "
       "00041"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    TempDirectory dir;
    const std::string kmz = dir.File(c.kmz_name);
    WriteWholeFile(kmz, "the previous KMZ");
    testing::NoAnswerHost host;
    {
      const auto intermediate = IntermediateDirectory::Create(kmz);
      ASSERT_TRUE(intermediate.has_value());
      const Intermediates files = WriteIntermediates(*intermediate, "track.kml", host);
      c.spoil(files);
      std::string message = c.message;
      if (const auto at = message.find("<icon>"); at != std::string::npos) {
        message.replace(at, 6, files.icon_paths[2]);
      }
      if (const auto at = message.find("<doc>"); at != std::string::npos) {
        message.replace(at, 5, files.document_path);
      }
      try {
        PackKmz(kmz, files.document_path, files.icon_paths, host, kClock);
        ADD_FAILURE() << "no error";
      } catch (const TrackmintError& error) {
        EXPECT_EQ(std::string(error.what()), message);
      }
    }
    EXPECT_EQ(ReadWholeFile(kmz), "the previous KMZ");
    EXPECT_EQ(DirectoryNames(dir.path()), std::vector<std::string>{c.kmz_name});
  }
}

TEST(ArchivePhase, MissingDirectoryLeavesNothing) {
  TempDirectory dir;
  TempDirectory work;
  StubHost host;
  const std::string kmz = dir.File("missing/track.kmz");
  EXPECT_FALSE(IntermediateDirectory::Create(kmz).has_value());
  const auto intermediate = IntermediateDirectory::Create(work.File("track.kmz"));
  ASSERT_TRUE(intermediate.has_value());
  const Intermediates files = WriteIntermediates(*intermediate, "track.kml", host);
  try {
    PackKmz(kmz, files.document_path, files.icon_paths, host, kClock);
    ADD_FAILURE() << "no error";
  } catch (const TrackmintError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Can't create the output file " + kmz + ": No such file or directory");
  }
  EXPECT_TRUE(DirectoryNames(dir.path()).empty());
}

}  // namespace
}  // namespace trackmint
