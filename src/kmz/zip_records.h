#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"

namespace trackmint {

// The records of a ZIP archive as this writer makes them: no comments, and no extra fields but
// the Zip64 one where a size or an offset does not fit in 32 bits. Every multi-byte field is
// little-endian.
inline constexpr std::size_t kLocalHeaderSize = 30;
inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kEndRecordSize = 22;
inline constexpr std::size_t kZip64EndRecordSize = 56;
inline constexpr std::size_t kZip64LocatorSize = 20;

inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;
inline constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
inline constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
inline constexpr std::uint32_t kZip64EndRecordSignature = 0x06064B50;
inline constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;
inline constexpr std::uint16_t kZip64ExtraId = 0x0001;

// Version 2.0 of the format, made on host system 0 (MS-DOS), which is what the attribute bits are;
// 4.5 for a record that needs Zip64.
inline constexpr std::uint16_t kZipVersion = 20;
inline constexpr std::uint16_t kZip64Version = 45;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;
inline constexpr std::uint16_t kFlagUtf8Name = 1u << 11;

// MS-DOS attribute bits.
inline constexpr std::uint32_t kDosReadOnly = 0x01;
inline constexpr std::uint32_t kDosArchive = 0x20;

// A size or offset of this value or more goes into the Zip64 extra field; 0xFFFFFFFF in its
// 32-bit field announces it. Tests lower the limit to see the Zip64 layout without gigabytes.
inline constexpr std::uint64_t kZip32Limit = 0xFFFFFFFFu;
inline constexpr std::uint16_t kZip16Limit = 0xFFFFu;

struct DosDateTime {
  std::uint16_t time = 0;  // hour * 2048 + minute * 32 + second / 2
  std::uint16_t date = 0;  // (year - 1980) * 512 + month * 32 + day
  bool operator==(const DosDateTime&) const = default;
};

// A local time in MS-DOS form. Times before 1980 or after 2107 cannot be written; they are
// held to the first and last moment the form has.
DosDateTime ToDosDateTime(const LocalDateTime& time);

// What the headers of one member say.
struct MemberFields {
  std::string stored_name;  // the bytes written as its name
  std::uint16_t flags = 0;
  std::uint16_t method = kMethodDeflated;
  DosDateTime modified;
  std::uint32_t crc32 = 0;
  std::uint64_t compressed_size = 0;
  std::uint64_t uncompressed_size = 0;
  std::uint32_t external_attributes = kDosArchive;
  std::uint64_t local_header_offset = 0;
  bool operator==(const MemberFields&) const = default;
};

// Whether the member's local header needs the Zip64 extra field: one of its sizes reaches the
// limit.
bool NeedsZip64Sizes(const MemberFields& member, std::uint64_t limit = kZip32Limit);

// The local file header followed by the name, and the Zip64 extra field with both sizes when
// NeedsZip64Sizes. Version 4.5 is needed when it has that field or lies beyond the limit. Both
// headers refuse a name longer than its 16-bit length field holds (TrackmintError).
std::vector<unsigned char> EncodeLocalHeader(const MemberFields& member,
                                             std::uint64_t limit = kZip32Limit);
// The central directory header followed by the name, and the Zip64 extra field with each of the
// sizes and the offset that reaches the limit.
std::vector<unsigned char> EncodeCentralHeader(const MemberFields& member,
                                               std::uint64_t limit = kZip32Limit);

// Where the central directory is, and what it holds.
struct DirectoryPlace {
  std::uint64_t member_count = 0;
  std::uint64_t size = 0;
  std::uint64_t offset = 0;
};
// Whether the end of the archive needs the Zip64 end record and its locator.
bool NeedsZip64End(const DirectoryPlace& directory, std::uint64_t limit = kZip32Limit);
// The end of the archive behind the central directory: the Zip64 end record and its locator when
// NeedsZip64End (the record right behind the directory), then the end record, whose fields that do
// not fit hold all ones.
std::vector<unsigned char> EncodeArchiveEnd(const DirectoryPlace& directory,
                                            std::uint64_t limit = kZip32Limit);
std::array<unsigned char, kEndRecordSize> EncodeEndRecord(std::uint16_t member_count,
                                                          std::uint32_t directory_size,
                                                          std::uint32_t directory_offset);

}  // namespace trackmint
