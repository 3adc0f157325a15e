#include "kmz/kmz_archive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "kmz/deflate_stream.h"
#include "kmz/parallel_deflate.h"
#include "kmz_test_support.h"
#include "support/fixtures.h"
#include "support/program_run.h"
#include "support/temp_directory.h"
#include "zip_reader.h"

namespace trackmint {
namespace {

using testing::ReadZipFile;
using testing::TempDirectory;
using testing::ZipContents;

// 2024-03-15 13:45:31: time 0x6DAF, date 0x586F in MS-DOS form (see the record tests).
const FixedClock kClock({2024, 3, 15, 13, 45, 31});

std::span<const unsigned char> Bytes(const std::string& text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

std::string Lines(std::size_t size) {
  std::string text;
  for (unsigned i = 0; text.size() < size; ++i) {
    text += "<Placemark><name>" + std::to_string(i) + "</name></Placemark>\n";
  }
  text.resize(size);
  return text;
}

// A KMZ as the run makes one: the document streamed through the deflate workers, then the icons
// from memory, a repeated icon name among them.
void WriteKmz(const std::string& path, const std::string& document,
              std::uint64_t zip32_limit = kZip32Limit) {
  KmzFile file(path, -1);
  KmzArchive archive(file, kClock, "CP437", zip32_limit);
  archive.BeginMember("track.kml");
  ParallelDeflate deflate(archive.MemberData(), 4096, 2);
  auto buffer = std::make_unique<char[]>(4096);
  for (std::size_t at = 0; at < document.size(); at += 4096) {
    const std::size_t size = std::min<std::size_t>(4096, document.size() - at);
    std::memcpy(buffer.get(), document.data() + at, size);
    buffer = deflate.TakePiece(std::move(buffer), size);
  }
  deflate.Finish();
  archive.EndMember(deflate.Crc32(), deflate.CompressedSize(), deflate.UncompressedSize());
  archive.AddMember("255.png", Bytes("red icon"));
  archive.AddMember("65535.png", Bytes("yellow icon"));
  archive.AddMember("255.png", Bytes("another red icon: the first stays"));
  archive.AddMember("empty.png", {});
  archive.Finish();
  file.Commit();
}

bool UnzipAccepts(const std::string& path) {
  return testing::RunProgram("/usr/bin/unzip", {"-tqq", path}, "/").exit_status == 0;
}

TEST(KmzArchive, MembersInOrderWithTheLayoutOfZipTwo) {
  TempDirectory dir;
  const std::string document = Lines(20000);
  WriteKmz(dir.File("out.kmz"), document);
  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  EXPECT_FALSE(zip.zip64_end);
  EXPECT_EQ(zip.names(),
            (std::vector<std::string>{"track.kml", "255.png", "65535.png", "empty.png"}));
  const std::vector<std::string> data = {document, "red icon", "yellow icon", ""};
  for (std::size_t i = 0; i < zip.members.size(); ++i) {
    const testing::ZipMember& member = zip.members[i];
    SCOPED_TRACE(member.name);
    EXPECT_EQ(member.data, data[i]);
    // Version 2.0 from MS-DOS, no flags, no extra fields, the archive attribute, the clock's time.
    EXPECT_EQ(member.version_made_by, 20);
    EXPECT_EQ(member.version_needed, 20);
    EXPECT_EQ(member.flags, 0);
    EXPECT_FALSE(member.central_zip64);
    EXPECT_FALSE(member.local_zip64);
    EXPECT_EQ(member.external_attributes, 0x20u);
    EXPECT_EQ(member.dos_time, 0x6DAF);
    EXPECT_EQ(member.dos_date, 0x586F);
    // An empty member is stored; the others are deflated.
    EXPECT_EQ(member.method, data[i].empty() ? 0 : 8);
  }
  EXPECT_EQ(zip.members[0].local_header_offset, 0u);
  EXPECT_TRUE(UnzipAccepts(dir.File("out.kmz")));
}

// The same members with the Zip64 limit lowered to 1000 bytes: the document's sizes, the icons'
// offsets and the directory's offset all pass it, so every Zip64 field is written and read.
TEST(KmzArchive, Zip64FieldsWhereSizesAndOffsetsPassTheLimit) {
  TempDirectory dir;
  const std::string document = Lines(60000);
  WriteKmz(dir.File("out.kmz"), document, 1000);
  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  EXPECT_TRUE(zip.zip64_end);
  ASSERT_EQ(zip.members.size(), 4u);
  EXPECT_EQ(zip.members[0].data, document);
  // The document: both sizes in the local header's Zip64 field, and in the central one.
  EXPECT_TRUE(zip.members[0].local_zip64);
  EXPECT_TRUE(zip.members[0].central_zip64);
  EXPECT_EQ(zip.members[0].version_needed, 45);
  // The icons are small but lie beyond the limit: only their central headers need Zip64.
  for (std::size_t i = 1; i < zip.members.size(); ++i) {
    SCOPED_TRACE(zip.members[i].name);
    EXPECT_FALSE(zip.members[i].local_zip64);
    EXPECT_TRUE(zip.members[i].central_zip64);
    EXPECT_GE(zip.members[i].local_header_offset, 1000u);
  }
  EXPECT_EQ(zip.members[1].data, "red icon");
  EXPECT_TRUE(UnzipAccepts(dir.File("out.kmz")));
  // Python's reader, where the machine has one.
  if (std::system("command -v python3 >/dev/null 2>&1") == 0) {
    const testing::ProgramResult python = testing::RunProgram(
        "/usr/bin/env",
        {"python3", "-c",
         "import sys, zipfile\n"
         "z = zipfile.ZipFile(sys.argv[1])\n"
         "assert z.testzip() is None\n"
         "print(' '.join(i.filename for i in z.infolist()), len(z.read('track.kml')))\n",
         dir.File("out.kmz")},
        "/");
    EXPECT_EQ(python.exit_status, 0) << python.err;
    EXPECT_EQ(python.out, "track.kml 255.png 65535.png empty.png 60000\n");
  }
}

TEST(KmzArchive, NamesOutsideAsciiInTheCodePageOrUtf8) {
  TempDirectory dir;
  {
    KmzFile file(dir.File("out.kmz"), -1);
    KmzArchive archive(file, kClock, "CP866");
    archive.AddMember("трек.kml", Bytes("document"));
    archive.AddMember("日本.png", Bytes("icon"));
    archive.Finish();
    file.Commit();
  }
  const ZipContents zip = ReadZipFile(dir.File("out.kmz"));
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.members.size(), 2u);
  EXPECT_EQ(zip.members[0].name, "\xE2\xE0\xA5\xAA.kml");  // CP866
  EXPECT_EQ(zip.members[0].flags, 0);
  EXPECT_EQ(zip.members[1].name, "日本.png");
  EXPECT_EQ(zip.members[1].flags, 0x0800);
  EXPECT_TRUE(UnzipAccepts(dir.File("out.kmz")));
}

// The CRC-32 of "123456789" is CBF43926, the check value of the standard: both headers of a
// member hold it, worked out apart from zlib, whose crc32 the ZIP reader compares with.
TEST(KmzArchive, BothHeadersHoldTheCheckValueCrc) {
  TempDirectory dir;
  {
    KmzFile file(dir.File("check.kmz"), -1);
    KmzArchive archive(file, kClock, "CP437");
    archive.AddMember("check.txt", Bytes("123456789"));
    archive.Finish();
    file.Commit();
  }
  const std::string bytes = testing::ReadWholeFile(dir.File("check.kmz"));
  const auto le32 = [&bytes](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
      value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  // The local header opens the file, its CRC at offset 14. The end record (the last 22 bytes)
  // says where the central directory starts, offset 16; the central header's CRC is at its 16.
  ASSERT_GT(bytes.size(), 30u + 46u + 22u);
  EXPECT_EQ(le32(0), 0x04034B50u);
  EXPECT_EQ(le32(14), 0xCBF43926u);
  const std::size_t end_record = bytes.size() - 22;
  ASSERT_EQ(le32(end_record), 0x06054B50u);
  const std::size_t central = le32(end_record + 16);
  ASSERT_LT(central, end_record);
  EXPECT_EQ(le32(central), 0x02014B50u);
  EXPECT_EQ(le32(central + 16), 0xCBF43926u);

  const ZipContents zip = ReadZipFile(dir.File("check.kmz"));
  ASSERT_EQ(zip.problem, "");
  ASSERT_EQ(zip.members.size(), 1u);
  EXPECT_EQ(zip.members[0].crc32, 0xCBF43926u);
  EXPECT_EQ(zip.members[0].data, "123456789");
}

// A member whose name does not fit its header is refused before anything of it is written.
TEST(KmzArchive, ANameTooLongIsRefusedBeforeItsHeader) {
  TempDirectory dir;
  KmzFile file(dir.File("long.kmz"), -1);
  KmzArchive archive(file, kClock);
  EXPECT_THROW(archive.BeginMember(std::string(70000, 'a') + ".kml"), TrackmintError);
  EXPECT_THROW(archive.AddMember(std::string(70000, 'b') + ".png", Bytes("icon")), TrackmintError);
  EXPECT_EQ(file.Size(), 0u);
  EXPECT_TRUE(archive.Members().empty());
}

TEST(KmzArchive, NoMemberIsTheEndRecordAlone) {
  TempDirectory dir;
  {
    KmzFile file(dir.File("empty.kmz"), -1);
    KmzArchive archive(file, kClock);
    archive.Finish();
    file.Commit();
  }
  EXPECT_EQ(testing::ReadWholeFile(dir.File("empty.kmz")),
            std::string("PK\x05\x06", 4) + std::string(18, '\0'));
}

}  // namespace
}  // namespace trackmint
