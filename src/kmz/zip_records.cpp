#include "kmz/zip_records.h"

namespace trackmint {
namespace {

// Local file header.
constexpr std::size_t kLocalSignature = 0;
constexpr std::size_t kLocalVersionNeeded = 4;
constexpr std::size_t kLocalFlags = 6;
constexpr std::size_t kLocalMethod = 8;
constexpr std::size_t kLocalTime = 10;
constexpr std::size_t kLocalDate = 12;
constexpr std::size_t kLocalCrc32 = 14;
constexpr std::size_t kLocalCompressedSize = 18;
constexpr std::size_t kLocalUncompressedSize = 22;
constexpr std::size_t kLocalNameLength = 26;
constexpr std::size_t kLocalExtraLength = 28;

// Central directory header.
constexpr std::size_t kCentralSignature = 0;
constexpr std::size_t kCentralVersionMadeBy = 4;
constexpr std::size_t kCentralVersionNeeded = 6;
constexpr std::size_t kCentralFlags = 8;
constexpr std::size_t kCentralMethod = 10;
constexpr std::size_t kCentralTime = 12;
constexpr std::size_t kCentralDate = 14;
constexpr std::size_t kCentralCrc32 = 16;
constexpr std::size_t kCentralCompressedSize = 20;
constexpr std::size_t kCentralUncompressedSize = 24;
constexpr std::size_t kCentralNameLength = 28;
constexpr std::size_t kCentralExtraLength = 30;
constexpr std::size_t kCentralCommentLength = 32;
constexpr std::size_t kCentralDiskStart = 34;
constexpr std::size_t kCentralInternalAttributes = 36;
constexpr std::size_t kCentralExternalAttributes = 38;
constexpr std::size_t kCentralLocalHeaderOffset = 42;

// End of central directory record.
constexpr std::size_t kEndSignature = 0;
constexpr std::size_t kEndDiskNumber = 4;
constexpr std::size_t kEndDirectoryDisk = 6;
constexpr std::size_t kEndEntriesOnDisk = 8;
constexpr std::size_t kEndEntriesTotal = 10;
constexpr std::size_t kEndDirectorySize = 12;
constexpr std::size_t kEndDirectoryOffset = 16;
constexpr std::size_t kEndCommentLength = 20;

void Put16(unsigned char* record, std::size_t offset, std::uint16_t value) {
  record[offset] = static_cast<unsigned char>(value);
  record[offset + 1] = static_cast<unsigned char>(value >> 8);
}

void Put32(unsigned char* record, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    record[offset + i] = static_cast<unsigned char>(value >> 8 * i);
}

std::uint16_t NameLength(const MemberFields& member) {
  return static_cast<std::uint16_t>(member.stored_name.size());
}

void AppendName(std::vector<unsigned char>& record, const MemberFields& member) {
  record.insert(record.end(), member.stored_name.begin(), member.stored_name.end());
}

}  // namespace

DosDateTime ToDosDateTime(const LocalDateTime& time) {
  if (time.year < 1980) return {0, 1 * 32 + 1};
  if (time.year > 2107) return {23 * 2048 + 59 * 32 + 29, 127 * 512 + 12 * 32 + 31};
  DosDateTime dos;
  dos.time = static_cast<std::uint16_t>(time.hour * 2048 + time.minute * 32 + time.second / 2);
  dos.date = static_cast<std::uint16_t>((time.year - 1980) * 512 + time.month * 32 + time.day);
  return dos;
}

std::vector<unsigned char> EncodeLocalHeader(const MemberFields& member) {
  std::vector<unsigned char> record(kLocalHeaderSize, 0);
  unsigned char* r = record.data();
  Put32(r, kLocalSignature, kLocalHeaderSignature);
  Put16(r, kLocalVersionNeeded, kZipVersion);
  Put16(r, kLocalFlags, member.flags);
  Put16(r, kLocalMethod, member.method);
  Put16(r, kLocalTime, member.modified.time);
  Put16(r, kLocalDate, member.modified.date);
  Put32(r, kLocalCrc32, member.crc32);
  Put32(r, kLocalCompressedSize, member.compressed_size);
  Put32(r, kLocalUncompressedSize, member.uncompressed_size);
  Put16(r, kLocalNameLength, NameLength(member));
  Put16(r, kLocalExtraLength, 0);
  AppendName(record, member);
  return record;
}

std::vector<unsigned char> EncodeCentralHeader(const MemberFields& member) {
  std::vector<unsigned char> record(kCentralHeaderSize, 0);
  unsigned char* r = record.data();
  Put32(r, kCentralSignature, kCentralHeaderSignature);
  Put16(r, kCentralVersionMadeBy, kZipVersion);
  Put16(r, kCentralVersionNeeded, kZipVersion);
  Put16(r, kCentralFlags, member.flags);
  Put16(r, kCentralMethod, member.method);
  Put16(r, kCentralTime, member.modified.time);
  Put16(r, kCentralDate, member.modified.date);
  Put32(r, kCentralCrc32, member.crc32);
  Put32(r, kCentralCompressedSize, member.compressed_size);
  Put32(r, kCentralUncompressedSize, member.uncompressed_size);
  Put16(r, kCentralNameLength, NameLength(member));
  Put16(r, kCentralExtraLength, 0);
  Put16(r, kCentralCommentLength, 0);
  Put16(r, kCentralDiskStart, 0);
  Put16(r, kCentralInternalAttributes, 0);
  Put32(r, kCentralExternalAttributes, member.external_attributes);
  Put32(r, kCentralLocalHeaderOffset, member.local_header_offset);
  AppendName(record, member);
  return record;
}

std::array<unsigned char, kEndRecordSize> EncodeEndRecord(std::uint16_t member_count,
                                                          std::uint32_t directory_size,
                                                          std::uint32_t directory_offset) {
  std::array<unsigned char, kEndRecordSize> record{};
  unsigned char* r = record.data();
  Put32(r, kEndSignature, kEndRecordSignature);
  Put16(r, kEndDiskNumber, 0);
  Put16(r, kEndDirectoryDisk, 0);
  Put16(r, kEndEntriesOnDisk, member_count);
  Put16(r, kEndEntriesTotal, member_count);
  Put32(r, kEndDirectorySize, directory_size);
  Put32(r, kEndDirectoryOffset, directory_offset);
  Put16(r, kEndCommentLength, 0);
  return record;
}

}  // namespace trackmint
