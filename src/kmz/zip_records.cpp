#include "kmz/zip_records.h"

#include <string>

#include "base/trackmint_error.h"

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

void Put64(unsigned char* record, std::size_t offset, std::uint64_t value) {
  for (std::size_t i = 0; i < 8; ++i)
    record[offset + i] = static_cast<unsigned char>(value >> 8 * i);
}

void Append64(std::vector<unsigned char>& record, std::uint64_t value) {
  record.resize(record.size() + 8);
  Put64(record.data(), record.size() - 8, value);
}

// The 32-bit field of a value: itself, or all ones when the Zip64 extra field holds it.
std::uint32_t Field32(std::uint64_t value, std::uint64_t limit) {
  return value >= limit ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

// Zip64 extended information extra field.
constexpr std::size_t kExtraId = 0;
constexpr std::size_t kExtraDataSize = 2;
constexpr std::size_t kExtraHeaderSize = 4;

// The extra field holding the values given, in the order the format fixes.
std::vector<unsigned char> Zip64Extra(const std::vector<std::uint64_t>& values) {
  std::vector<unsigned char> extra(kExtraHeaderSize, 0);
  Put16(extra.data(), kExtraId, kZip64ExtraId);
  Put16(extra.data(), kExtraDataSize, static_cast<std::uint16_t>(8 * values.size()));
  for (const std::uint64_t value : values) Append64(extra, value);
  return extra;
}

// Zip64 end of central directory record.
constexpr std::size_t kZip64EndSignature = 0;
constexpr std::size_t kZip64EndRecordRest = 4;  // size of the record after this field
constexpr std::size_t kZip64EndVersionMadeBy = 12;
constexpr std::size_t kZip64EndVersionNeeded = 14;
constexpr std::size_t kZip64EndDiskNumber = 16;
constexpr std::size_t kZip64EndDirectoryDisk = 20;
constexpr std::size_t kZip64EndEntriesOnDisk = 24;
constexpr std::size_t kZip64EndEntriesTotal = 32;
constexpr std::size_t kZip64EndDirectorySize = 40;
constexpr std::size_t kZip64EndDirectoryOffset = 48;

// Zip64 end of central directory locator.
constexpr std::size_t kLocatorSignature = 0;
constexpr std::size_t kLocatorDisk = 4;
constexpr std::size_t kLocatorEndRecordOffset = 8;
constexpr std::size_t kLocatorDiskCount = 16;

std::uint16_t NameLength(const MemberFields& member) {
  const std::size_t length = member.stored_name.size();
  if (length > kZip16Limit) {
    throw TrackmintError("The name of a KMZ member can have at most 65535 bytes, not " +
                         std::to_string(length) + ": " + member.stored_name.substr(0, 40) + "...");
  }
  return static_cast<std::uint16_t>(length);
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

bool NeedsZip64Sizes(const MemberFields& member, std::uint64_t limit) {
  return member.compressed_size >= limit || member.uncompressed_size >= limit;
}

std::vector<unsigned char> EncodeLocalHeader(const MemberFields& member, std::uint64_t limit) {
  const bool zip64 = NeedsZip64Sizes(member, limit);
  const std::vector<unsigned char> extra =
      zip64 ? Zip64Extra({member.uncompressed_size, member.compressed_size})
            : std::vector<unsigned char>();
  std::vector<unsigned char> record(kLocalHeaderSize, 0);
  unsigned char* r = record.data();
  Put32(r, kLocalSignature, kLocalHeaderSignature);
  // A member beyond the limit is read through the Zip64 fields of its central header: the
  // version its local header names says so too, so that both headers agree.
  Put16(r, kLocalVersionNeeded,
        zip64 || member.local_header_offset >= limit ? kZip64Version : kZipVersion);
  Put16(r, kLocalFlags, member.flags);
  Put16(r, kLocalMethod, member.method);
  Put16(r, kLocalTime, member.modified.time);
  Put16(r, kLocalDate, member.modified.date);
  Put32(r, kLocalCrc32, member.crc32);
  // Both sizes go to the extra field together, as the format asks of a local header.
  Put32(r, kLocalCompressedSize, zip64 ? 0xFFFFFFFFu : Field32(member.compressed_size, limit));
  Put32(r, kLocalUncompressedSize, zip64 ? 0xFFFFFFFFu : Field32(member.uncompressed_size, limit));
  Put16(r, kLocalNameLength, NameLength(member));
  Put16(r, kLocalExtraLength, static_cast<std::uint16_t>(extra.size()));
  AppendName(record, member);
  record.insert(record.end(), extra.begin(), extra.end());
  return record;
}

std::vector<unsigned char> EncodeCentralHeader(const MemberFields& member, std::uint64_t limit) {
  std::vector<std::uint64_t> large;
  for (const std::uint64_t value :
       {member.uncompressed_size, member.compressed_size, member.local_header_offset}) {
    if (value >= limit) large.push_back(value);
  }
  const std::vector<unsigned char> extra =
      large.empty() ? std::vector<unsigned char>() : Zip64Extra(large);
  const std::uint16_t version = large.empty() ? kZipVersion : kZip64Version;
  std::vector<unsigned char> record(kCentralHeaderSize, 0);
  unsigned char* r = record.data();
  Put32(r, kCentralSignature, kCentralHeaderSignature);
  Put16(r, kCentralVersionMadeBy, version);
  Put16(r, kCentralVersionNeeded, version);
  Put16(r, kCentralFlags, member.flags);
  Put16(r, kCentralMethod, member.method);
  Put16(r, kCentralTime, member.modified.time);
  Put16(r, kCentralDate, member.modified.date);
  Put32(r, kCentralCrc32, member.crc32);
  Put32(r, kCentralCompressedSize, Field32(member.compressed_size, limit));
  Put32(r, kCentralUncompressedSize, Field32(member.uncompressed_size, limit));
  Put16(r, kCentralNameLength, NameLength(member));
  Put16(r, kCentralExtraLength, static_cast<std::uint16_t>(extra.size()));
  Put16(r, kCentralCommentLength, 0);
  Put16(r, kCentralDiskStart, 0);
  Put16(r, kCentralInternalAttributes, 0);
  Put32(r, kCentralExternalAttributes, member.external_attributes);
  Put32(r, kCentralLocalHeaderOffset, Field32(member.local_header_offset, limit));
  AppendName(record, member);
  record.insert(record.end(), extra.begin(), extra.end());
  return record;
}

bool NeedsZip64End(const DirectoryPlace& directory, std::uint64_t limit) {
  return directory.member_count >= kZip16Limit || directory.size >= limit ||
         directory.offset >= limit;
}

std::vector<unsigned char> EncodeArchiveEnd(const DirectoryPlace& directory, std::uint64_t limit) {
  std::vector<unsigned char> end;
  if (NeedsZip64End(directory, limit)) {
    const std::uint64_t record_offset = directory.offset + directory.size;
    end.resize(kZip64EndRecordSize + kZip64LocatorSize, 0);
    unsigned char* r = end.data();
    Put32(r, kZip64EndSignature, kZip64EndRecordSignature);
    Put64(r, kZip64EndRecordRest, kZip64EndRecordSize - 12);
    Put16(r, kZip64EndVersionMadeBy, kZip64Version);
    Put16(r, kZip64EndVersionNeeded, kZip64Version);
    Put32(r, kZip64EndDiskNumber, 0);
    Put32(r, kZip64EndDirectoryDisk, 0);
    Put64(r, kZip64EndEntriesOnDisk, directory.member_count);
    Put64(r, kZip64EndEntriesTotal, directory.member_count);
    Put64(r, kZip64EndDirectorySize, directory.size);
    Put64(r, kZip64EndDirectoryOffset, directory.offset);
    unsigned char* locator = r + kZip64EndRecordSize;
    Put32(locator, kLocatorSignature, kZip64LocatorSignature);
    Put32(locator, kLocatorDisk, 0);
    Put64(locator, kLocatorEndRecordOffset, record_offset);
    Put32(locator, kLocatorDiskCount, 1);
  }
  const auto count = directory.member_count >= kZip16Limit
                         ? kZip16Limit
                         : static_cast<std::uint16_t>(directory.member_count);
  const auto record =
      EncodeEndRecord(count, Field32(directory.size, limit), Field32(directory.offset, limit));
  end.insert(end.end(), record.begin(), record.end());
  return end;
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
