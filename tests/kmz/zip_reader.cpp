#include "zip_reader.h"

#include <zlib.h>

#include "support/fixtures.h"
#include "support/inflate.h"

namespace trackmint::testing {
namespace {

std::uint32_t Read16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

std::uint64_t Read64(const std::string& bytes, std::size_t at) {
  return Read32(bytes, at) | std::uint64_t{Read32(bytes, at + 4)} << 32;
}

}  // namespace

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
  std::uint64_t count = Read16(bytes, end + 8);
  if (Read16(bytes, end + 10) != count) return fail("entry counts differ");
  std::uint64_t directory_size = Read32(bytes, end + 12);
  std::uint64_t directory_offset = Read32(bytes, end + 16);
  if (Read16(bytes, end + 20) != 0) return fail("archive comment");
  std::uint64_t directory_end = end;
  // Zip64: the locator stands right before the end record and points at the Zip64 end record.
  if (end >= 20 && Read32(bytes, end - 20) == 0x07064B50) {
    const std::size_t locator = end - 20;
    if (Read32(bytes, locator + 4) != 0 || Read32(bytes, locator + 16) != 1) {
      return fail("Zip64 locator disks");
    }
    const std::uint64_t record = Read64(bytes, locator + 8);
    if (record + 56 != locator || Read32(bytes, record) != 0x06064B50) {
      return fail("Zip64 end record not right before its locator");
    }
    if (Read64(bytes, record + 4) != 44) return fail("Zip64 end record size");
    if (Read16(bytes, record + 12) < 45 || Read16(bytes, record + 14) != 45) {
      return fail("Zip64 end record versions");
    }
    if (Read32(bytes, record + 16) != 0 || Read32(bytes, record + 20) != 0) {
      return fail("Zip64 disk numbers");
    }
    if (Read64(bytes, record + 24) != Read64(bytes, record + 32)) {
      return fail("Zip64 entry counts differ");
    }
    // A field of the end record that fits holds its value; one that does not holds all ones.
    const auto agrees = [](std::uint64_t short_field, std::uint64_t all_ones, std::uint64_t value) {
      return short_field == all_ones || short_field == value;
    };
    const std::uint64_t count64 = Read64(bytes, record + 32);
    const std::uint64_t size64 = Read64(bytes, record + 40);
    const std::uint64_t offset64 = Read64(bytes, record + 48);
    if (!agrees(count, 0xFFFF, count64) || !agrees(directory_size, 0xFFFFFFFF, size64) ||
        !agrees(directory_offset, 0xFFFFFFFF, offset64)) {
      return fail("end record and Zip64 end record differ");
    }
    count = count64;
    directory_size = size64;
    directory_offset = offset64;
    directory_end = record;
    contents.zip64_end = true;
  } else if (count == 0xFFFF || directory_size == 0xFFFFFFFF || directory_offset == 0xFFFFFFFF) {
    return fail("all ones in the end record without a Zip64 end record");
  }
  if (directory_offset + directory_size != directory_end) {
    return fail("the central directory does not end at the end record");
  }

  std::size_t at = directory_offset;
  std::uint64_t next_local = 0;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (at + 46 > directory_end || Read32(bytes, at) != 0x02014B50) {
      return fail("central header signature");
    }
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
    const std::uint32_t extra_length = Read16(bytes, at + 30);
    if (Read16(bytes, at + 32) != 0) return fail("comment in the central directory");
    if (Read16(bytes, at + 34) != 0 || Read16(bytes, at + 36) != 0) {
      return fail("disk start or internal attributes");
    }
    member.external_attributes = Read32(bytes, at + 38);
    member.local_header_offset = Read32(bytes, at + 42);
    member.name = bytes.substr(at + 46, name_length);
    if (extra_length > 0) {
      // The Zip64 field holds, in this order, exactly the values whose fields hold all ones.
      const std::size_t extra = at + 46 + name_length;
      std::vector<std::uint64_t*> wanted;
      for (std::uint64_t* field :
           {&member.uncompressed_size, &member.compressed_size, &member.local_header_offset}) {
        if (*field == 0xFFFFFFFF) wanted.push_back(field);
      }
      if (Read16(bytes, extra) != 0x0001 || Read16(bytes, extra + 2) != 8 * wanted.size() ||
          extra_length != 4 + 8 * wanted.size() || wanted.empty()) {
        return fail("central extra field of " + member.name);
      }
      for (std::size_t k = 0; k < wanted.size(); ++k) *wanted[k] = Read64(bytes, extra + 4 + 8 * k);
      member.central_zip64 = true;
      if (member.version_needed != 45) return fail("version needed of " + member.name);
    }
    at += 46 + name_length + extra_length;

    // Members lie one behind the other from the start of the file.
    const std::uint64_t local = member.local_header_offset;
    if (local != next_local) return fail("member " + member.name + " not where expected");
    if (local + 30 > directory_offset || Read32(bytes, local) != 0x04034B50) {
      return fail("local header signature of " + member.name);
    }
    std::uint64_t local_compressed = Read32(bytes, local + 18);
    std::uint64_t local_uncompressed = Read32(bytes, local + 22);
    const std::uint32_t local_extra_length = Read16(bytes, local + 28);
    if (local_extra_length > 0) {
      // A local header's Zip64 field holds both sizes, and both fields hold all ones.
      const std::size_t extra = local + 30 + name_length;
      if (local_extra_length != 20 || Read16(bytes, extra) != 0x0001 ||
          Read16(bytes, extra + 2) != 16 || local_compressed != 0xFFFFFFFF ||
          local_uncompressed != 0xFFFFFFFF) {
        return fail("local extra field of " + member.name);
      }
      local_uncompressed = Read64(bytes, extra + 4);
      local_compressed = Read64(bytes, extra + 12);
      member.local_zip64 = true;
    }
    if (Read16(bytes, local + 4) != member.version_needed ||
        Read16(bytes, local + 6) != member.flags || Read16(bytes, local + 8) != member.method ||
        Read16(bytes, local + 10) != member.dos_time ||
        Read16(bytes, local + 12) != member.dos_date || Read32(bytes, local + 14) != member.crc32 ||
        local_compressed != member.compressed_size ||
        local_uncompressed != member.uncompressed_size ||
        Read16(bytes, local + 26) != name_length ||
        bytes.substr(local + 30, name_length) != member.name) {
      return fail("local header of " + member.name + " differs from its central header");
    }
    const std::uint64_t data_start = local + 30 + name_length + local_extra_length;
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
  if (at != directory_end) return fail("central directory size");
  if (next_local != directory_offset) return fail("bytes between the members and the directory");
  return contents;
}

ZipContents ReadZipFile(const std::string& path) {
  return ReadZip(ReadWholeFile(path));
}

}  // namespace trackmint::testing
