#include "kmz/zip_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/trackmint_error.h"

namespace trackmint {
namespace {

using Bytes = std::vector<unsigned char>;

// 2024-03-15 13:45:31 in MS-DOS form, worked out by hand:
// time 13 * 2048 + 45 * 32 + 31 / 2 = 26624 + 1440 + 15 = 28079 = 0x6DAF,
// date (2024 - 1980) * 512 + 3 * 32 + 15 = 22528 + 96 + 15 = 22639 = 0x586F.
const LocalDateTime kPinned{2024, 3, 15, 13, 45, 31};

MemberFields SampleMember() {
  MemberFields member;
  member.stored_name = "a.kml";
  member.flags = 0;
  member.method = kMethodDeflated;
  member.modified = ToDosDateTime(kPinned);
  member.crc32 = 0x12345678;
  member.compressed_size = 0x100;
  member.uncompressed_size = 0x2000;
  member.external_attributes = kDosArchive;
  member.local_header_offset = 0x0001E240;
  return member;
}

TEST(ZipRecords, DosDateTime) {
  struct Case {
    const char* legend;
    LocalDateTime time;
    std::uint16_t dos_time;
    std::uint16_t dos_date;
  };
  const std::vector<Case> cases = {
      {"pinned", kPinned, 0x6DAF, 0x586F},
      {"first moment of 1980", {1980, 1, 1, 0, 0, 0}, 0x0000, 0x0021},
      // 23 * 2048 + 59 * 32 + 29 = 49021 = 0xBF7D; 127 * 512 + 12 * 32 + 31 = 65439 = 0xFF9F.
      {"last moment of 2107", {2107, 12, 31, 23, 59, 59}, 0xBF7D, 0xFF9F},
      {"odd second drops its remainder", {2000, 1, 1, 0, 0, 1}, 0x0000, (20 << 9) | (1 << 5) | 1},
      {"before 1980 is held to its start", {1970, 1, 1, 0, 0, 0}, 0x0000, 0x0021},
      {"after 2107 is held to its end", {2200, 6, 1, 12, 0, 0}, 0xBF7D, 0xFF9F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const DosDateTime dos = ToDosDateTime(c.time);
    EXPECT_EQ(dos.time, c.dos_time);
    EXPECT_EQ(dos.date, c.dos_date);
  }
}

TEST(ZipRecords, LocalHeaderBytes) {
  const Bytes expected = {0x50, 0x4B, 0x03, 0x04,  // signature
                          0x14, 0x00,              // version needed: 20
                          0x00, 0x00,              // flags
                          0x08, 0x00,              // method: deflate
                          0xAF, 0x6D,              // time
                          0x6F, 0x58,              // date
                          0x78, 0x56, 0x34, 0x12,  // CRC-32
                          0x00, 0x01, 0x00, 0x00,  // compressed size
                          0x00, 0x20, 0x00, 0x00,  // uncompressed size
                          0x05, 0x00,              // name length
                          0x00, 0x00,              // extra field length
                          'a',  '.',  'k',  'm',  'l'};
  EXPECT_EQ(EncodeLocalHeader(SampleMember()), expected);
}

TEST(ZipRecords, CentralHeaderBytes) {
  const Bytes expected = {0x50, 0x4B, 0x01, 0x02,  // signature
                          0x14, 0x00,              // version made by: 20, MS-DOS
                          0x14, 0x00,              // version needed: 20
                          0x00, 0x00,              // flags
                          0x08, 0x00,              // method
                          0xAF, 0x6D,              // time
                          0x6F, 0x58,              // date
                          0x78, 0x56, 0x34, 0x12,  // CRC-32
                          0x00, 0x01, 0x00, 0x00,  // compressed size
                          0x00, 0x20, 0x00, 0x00,  // uncompressed size
                          0x05, 0x00,              // name length
                          0x00, 0x00,              // extra field length
                          0x00, 0x00,              // comment length
                          0x00, 0x00,              // disk number start
                          0x00, 0x00,              // internal attributes
                          0x20, 0x00, 0x00, 0x00,  // external attributes: archive
                          0x40, 0xE2, 0x01, 0x00,  // local header offset
                          'a',  '.',  'k',  'm',  'l'};
  EXPECT_EQ(EncodeCentralHeader(SampleMember()), expected);
}

TEST(ZipRecords, StoredEmptyMemberAndUtf8Flag) {
  MemberFields member;
  member.stored_name = "e";
  member.method = kMethodStored;
  member.flags = kFlagUtf8Name;
  member.modified = ToDosDateTime({1980, 1, 1, 0, 0, 0});
  member.external_attributes = kDosArchive | kDosReadOnly;
  const Bytes local = EncodeLocalHeader(member);
  const Bytes expected_local = {0x50, 0x4B, 0x03, 0x04, 0x14, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00,
                                0x00, 0x21, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 'e'};
  EXPECT_EQ(local, expected_local);
  const Bytes central = EncodeCentralHeader(member);
  ASSERT_EQ(central.size(), 47u);
  EXPECT_EQ(central[8], 0x00);
  EXPECT_EQ(central[9], 0x08);  // bit 11
  EXPECT_EQ(central[38], 0x21);
}

// The name's length has 16 bits: 65535 bytes fit, one more is refused by both headers.
TEST(ZipRecords, NameLengthHasSixteenBits) {
  MemberFields member = SampleMember();
  member.stored_name = std::string(65535, 'n');
  const Bytes local = EncodeLocalHeader(member);
  ASSERT_EQ(local.size(), 30u + 65535u);
  EXPECT_EQ(local[26], 0xFF);
  EXPECT_EQ(local[27], 0xFF);
  const Bytes central = EncodeCentralHeader(member);
  ASSERT_EQ(central.size(), 46u + 65535u);
  EXPECT_EQ(central[28], 0xFF);
  EXPECT_EQ(central[29], 0xFF);

  member.stored_name = std::string(65536, 'n');
  const std::string message =
      "The name of a KMZ member can have at most 65535 bytes, not 65536: " + std::string(40, 'n') +
      "...";
  for (const auto& encode : {EncodeLocalHeader, EncodeCentralHeader}) {
    try {
      encode(member, kZip32Limit);
      ADD_FAILURE() << "no error";
    } catch (const TrackmintError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

TEST(ZipRecords, EndRecordBytes) {
  const std::array<unsigned char, 22> expected = {0x50, 0x4B, 0x05, 0x06,  // signature
                                                  0x00, 0x00,              // this disk
                                                  0x00, 0x00,              // disk of the directory
                                                  0x08, 0x00,              // entries on this disk
                                                  0x08, 0x00,              // entries in total
                                                  0xC0, 0x01, 0x00, 0x00,  // directory size
                                                  0x45, 0x23, 0x01, 0x00,  // directory offset
                                                  0x00, 0x00};             // comment length
  EXPECT_EQ(EncodeEndRecord(8, 0x1C0, 0x12345), expected);
}

// A member of more than 4 GiB: both sizes go to the Zip64 field behind the name.
TEST(ZipRecords, LocalHeaderWithZip64Sizes) {
  MemberFields member = SampleMember();
  member.compressed_size = 0x100000010;
  member.uncompressed_size = 0x123456789;
  member.local_header_offset = 0;
  const Bytes expected = {0x50, 0x4B, 0x03, 0x04,  // signature
                          0x2D, 0x00,              // version needed: 45
                          0x00, 0x00,              // flags
                          0x08, 0x00,              // method: deflate
                          0xAF, 0x6D,              // time
                          0x6F, 0x58,              // date
                          0x78, 0x56, 0x34, 0x12,  // CRC-32
                          0xFF, 0xFF, 0xFF, 0xFF,  // compressed size: in the Zip64 field
                          0xFF, 0xFF, 0xFF, 0xFF,  // uncompressed size: in the Zip64 field
                          0x05, 0x00,              // name length
                          0x14, 0x00,              // extra field length: 20
                          'a',  '.',  'k',  'm',  'l',  0x01, 0x00,         // Zip64 field id
                          0x10, 0x00,                                       // its size: 16
                          0x89, 0x67, 0x45, 0x23, 0x01, 0x00, 0x00, 0x00,   // uncompressed
                          0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};  // compressed
  EXPECT_EQ(EncodeLocalHeader(member), expected);
  EXPECT_TRUE(NeedsZip64Sizes(member));
}

// A small member that lies beyond 4 GiB: only its offset goes to the central Zip64 field.
TEST(ZipRecords, CentralHeaderWithZip64Offset) {
  MemberFields member = SampleMember();
  member.local_header_offset = 0x100000000;
  const Bytes expected = {0x50, 0x4B, 0x01, 0x02,  // signature
                          0x2D, 0x00,              // version made by: 45, MS-DOS
                          0x2D, 0x00,              // version needed: 45
                          0x00, 0x00,              // flags
                          0x08, 0x00,              // method
                          0xAF, 0x6D,              // time
                          0x6F, 0x58,              // date
                          0x78, 0x56, 0x34, 0x12,  // CRC-32
                          0x00, 0x01, 0x00, 0x00,  // compressed size
                          0x00, 0x20, 0x00, 0x00,  // uncompressed size
                          0x05, 0x00,              // name length
                          0x0C, 0x00,              // extra field length: 12
                          0x00, 0x00,              // comment length
                          0x00, 0x00,              // disk number start
                          0x00, 0x00,              // internal attributes
                          0x20, 0x00, 0x00, 0x00,  // external attributes: archive
                          0xFF, 0xFF, 0xFF, 0xFF,  // local header offset: in the Zip64 field
                          'a',  '.',  'k',  'm',  'l',  0x01, 0x00,         // Zip64 field id
                          0x08, 0x00,                                       // its size: 8
                          0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};  // offset
  EXPECT_EQ(EncodeCentralHeader(member), expected);
  // Its local header needs no Zip64 field, but names the same version.
  const Bytes local = EncodeLocalHeader(member);
  ASSERT_EQ(local.size(), 35u);
  EXPECT_EQ(local[4], 0x2D);
}

TEST(ZipRecords, ArchiveEndWithTheZip64EndRecord) {
  // Eight members, a directory of 0x1C0 bytes at 0x100000045: the Zip64 end record follows it at
  // 0x100000205, its locator right after, then the end record with the offset all ones.
  const Bytes expected = {0x50, 0x4B, 0x06, 0x06,  // Zip64 end record signature
                          0x2C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // size of the rest: 44
                          0x2D, 0x00,                                      // version made by: 45
                          0x2D, 0x00,                                      // version needed: 45
                          0x00, 0x00, 0x00, 0x00,                          // this disk
                          0x00, 0x00, 0x00, 0x00,                          // disk of the directory
                          0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // entries on this disk
                          0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // entries in total
                          0xC0, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // directory size
                          0x45, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,  // directory offset
                          0x50, 0x4B, 0x06, 0x07,                          // locator signature
                          0x00, 0x00, 0x00, 0x00,  // disk of the Zip64 end record
                          0x05, 0x02, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,  // its offset
                          0x01, 0x00, 0x00, 0x00,                          // disks in total
                          0x50, 0x4B, 0x05, 0x06,                          // end record signature
                          0x00, 0x00,                                      // this disk
                          0x00, 0x00,                                      // disk of the directory
                          0x08, 0x00,                                      // entries on this disk
                          0x08, 0x00,                                      // entries in total
                          0xC0, 0x01, 0x00, 0x00,                          // directory size
                          0xFF, 0xFF, 0xFF, 0xFF,  // directory offset: in the Zip64 record
                          0x00, 0x00};             // comment length
  EXPECT_EQ(EncodeArchiveEnd({8, 0x1C0, 0x100000045}), expected);
  // Below the limit the end record stands alone, as in any small archive.
  const auto small = EncodeEndRecord(8, 0x1C0, 0x12345);
  EXPECT_EQ(EncodeArchiveEnd({8, 0x1C0, 0x12345}), Bytes(small.begin(), small.end()));
}

}  // namespace
}  // namespace trackmint
