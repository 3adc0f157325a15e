#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/clock.h"

namespace trackmint {

// The three records of a ZIP archive as this writer makes them (no Zip64, no extra fields, no
// comments). Every multi-byte field is little-endian.
inline constexpr std::size_t kLocalHeaderSize = 30;
inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kEndRecordSize = 22;

inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;
inline constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
inline constexpr std::uint32_t kEndRecordSignature = 0x06054B50;

// Version 2.0 of the format, made on host system 0 (MS-DOS), which is what the attribute bits are.
inline constexpr std::uint16_t kZipVersion = 20;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;
inline constexpr std::uint16_t kFlagUtf8Name = 1u << 11;

// MS-DOS attribute bits.
inline constexpr std::uint32_t kDosReadOnly = 0x01;
inline constexpr std::uint32_t kDosDirectory = 0x10;
inline constexpr std::uint32_t kDosArchive = 0x20;

// The largest value a 32-bit field holds for real; 0xFFFFFFFF itself would announce Zip64.
inline constexpr std::uint64_t kZip32Limit = 0xFFFFFFFFu;

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
  std::uint32_t compressed_size = 0;
  std::uint32_t uncompressed_size = 0;
  std::uint32_t external_attributes = kDosArchive;
  std::uint32_t local_header_offset = 0;
  bool operator==(const MemberFields&) const = default;
};

// The local file header followed by the name.
std::vector<unsigned char> EncodeLocalHeader(const MemberFields& member);
// The central directory header followed by the name.
std::vector<unsigned char> EncodeCentralHeader(const MemberFields& member);
std::array<unsigned char, kEndRecordSize> EncodeEndRecord(std::uint16_t member_count,
                                                          std::uint32_t directory_size,
                                                          std::uint32_t directory_offset);

}  // namespace trackmint
