#include "zip_reader.h"

#include <zlib.h>

#include "support/fixtures.h"

namespace trackmint::testing {
namespace {

std::uint32_t Read16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

bool Inflate(const std::string& compressed, int window_bits, std::string& result) {
  z_stream stream{};
  if (inflateInit2(&stream, window_bits) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  result.clear();
  int status = Z_OK;
  char buffer[65536];
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    status = inflate(&stream, Z_NO_FLUSH);
    result.append(buffer, sizeof buffer - stream.avail_out);
  }
  const bool whole = status == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  return whole;
}

}  // namespace

bool InflateRaw(const std::string& compressed, std::string& result) {
  return Inflate(compressed, -15, result);
}

bool InflateZlib(const std::string& compressed, std::string& result) {
  return Inflate(compressed, 15, result);
}

std::vector<std::string> ZipContents::names() const {
  std::vector<std::string> result;
  for (const ZipMember& member : members) result.push_back(member.name);
  return result;
}

const ZipMember* ZipContents::Find(const std::string& name) const {
  for (const ZipMember& member : members) {
    if (member.name == name) return &member;
  }
  return nullptr;
}

ZipContents ReadZip(const std::string& bytes) {
  ZipContents contents;
  auto fail = [&](const std::string& problem) {
    contents.problem = problem;
    return contents;
  };
  // No archive comment, so the end record is the last 22 bytes.
  if (bytes.size() < 22) return fail("shorter than an end record");
  const std::size_t end = bytes.size() - 22;
  if (Read32(bytes, end) != 0x06054B50) return fail("no end record at the end");
  if (Read16(bytes, end + 4) != 0 || Read16(bytes, end + 6) != 0) return fail("disk numbers");
  const std::uint32_t count = Read16(bytes, end + 8);
  if (Read16(bytes, end + 10) != count) return fail("entry counts differ");
  const std::uint32_t directory_size = Read32(bytes, end + 12);
  const std::uint32_t directory_offset = Read32(bytes, end + 16);
  if (Read16(bytes, end + 20) != 0) return fail("archive comment");
  if (std::size_t{directory_offset} + directory_size != end) {
    return fail("the central directory does not end at the end record");
  }

  std::size_t at = directory_offset;
  std::size_t next_local = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (at + 46 > end || Read32(bytes, at) != 0x02014B50) return fail("central header signature");
    ZipMember member;
    member.version_made_by = static_cast<std::uint16_t>(Read16(bytes, at + 4));
    member.version_needed = static_cast<std::uint16_t>(Read16(bytes, at + 6));
    member.flags = static_cast<std::uint16_t>(Read16(bytes, at + 8));
    member.method = static_cast<std::uint16_t>(Read16(bytes, at + 10));
    member.dos_time = static_cast<std::uint16_t>(Read16(bytes, at + 12));
    member.dos_date = static_cast<std::uint16_t>(Read16(bytes, at + 14));
    member.crc32 = Read32(bytes, at + 16);
    member.compressed_size = Read32(bytes, at + 20);
    member.uncompressed_size = Read32(bytes, at + 24);
    const std::uint32_t name_length = Read16(bytes, at + 28);
    if (Read16(bytes, at + 30) != 0 || Read16(bytes, at + 32) != 0) {
      return fail("extra field or comment in the central directory");
    }
    if (Read16(bytes, at + 34) != 0 || Read16(bytes, at + 36) != 0) {
      return fail("disk start or internal attributes");
    }
    member.external_attributes = Read32(bytes, at + 38);
    member.local_header_offset = Read32(bytes, at + 42);
    member.name = bytes.substr(at + 46, name_length);
    at += 46 + name_length;

    // Members lie one behind the other from the start of the file.
    const std::size_t local = member.local_header_offset;
    if (local != next_local) return fail("member " + member.name + " not where expected");
    if (local + 30 > directory_offset || Read32(bytes, local) != 0x04034B50) {
      return fail("local header signature of " + member.name);
    }
    if (Read16(bytes, local + 4) != member.version_needed ||
        Read16(bytes, local + 6) != member.flags || Read16(bytes, local + 8) != member.method ||
        Read16(bytes, local + 10) != member.dos_time ||
        Read16(bytes, local + 12) != member.dos_date || Read32(bytes, local + 14) != member.crc32 ||
        Read32(bytes, local + 18) != member.compressed_size ||
        Read32(bytes, local + 22) != member.uncompressed_size ||
        Read16(bytes, local + 26) != name_length || Read16(bytes, local + 28) != 0 ||
        bytes.substr(local + 30, name_length) != member.name) {
      return fail("local header of " + member.name + " differs from its central header");
    }
    const std::size_t data_start = local + 30 + name_length;
    if (data_start + member.compressed_size > directory_offset) {
      return fail("data of " + member.name + " run into the directory");
    }
    const std::string compressed = bytes.substr(data_start, member.compressed_size);
    if (member.method == 8) {
      if (!InflateRaw(compressed, member.data)) return fail("cannot inflate " + member.name);
    } else if (member.method == 0) {
      member.data = compressed;
    } else {
      return fail("unknown method of " + member.name);
    }
    if (member.data.size() != member.uncompressed_size) return fail("size of " + member.name);
    const auto crc = static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(member.data.data()),
              static_cast<uInt>(member.data.size())));
    if (crc != member.crc32) return fail("CRC of " + member.name);
    next_local = data_start + member.compressed_size;
    contents.members.push_back(std::move(member));
  }
  if (at != end) return fail("central directory size");
  if (next_local != directory_offset) return fail("bytes between the members and the directory");
  return contents;
}

ZipContents ReadZipFile(const std::string& path) {
  return ReadZip(ReadWholeFile(path));
}

}  // namespace trackmint::testing
