#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trackmint::testing {

// A ZIP reader of the tests' own, written from the format's tables and sharing nothing with
// the writer: it walks the end record, the central directory and every local header, inflates
// each member with zlib (raw, -15) and checks its CRC with zlib's crc32.
struct ZipMember {
  std::string name;
  std::uint16_t version_made_by = 0;
  std::uint16_t version_needed = 0;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint16_t dos_time = 0;
  std::uint16_t dos_date = 0;
  std::uint32_t crc32 = 0;
  std::uint32_t compressed_size = 0;
  std::uint32_t uncompressed_size = 0;
  std::uint32_t external_attributes = 0;
  std::uint32_t local_header_offset = 0;
  std::string data;  // inflated
};

struct ZipContents {
  std::vector<ZipMember> members;
  std::string problem;  // empty when the archive is sound
  std::vector<std::string> names() const;
  const ZipMember* Find(const std::string& name) const;
};

// Reads the whole archive held in the bytes.
ZipContents ReadZip(const std::string& bytes);
ZipContents ReadZipFile(const std::string& path);

// Raw inflate (no zlib header); false unless the bytes are exactly one whole stream.
bool InflateRaw(const std::string& compressed, std::string& result);
// Inflate of a zlib stream (as PNG's IDAT data hold).
bool InflateZlib(const std::string& compressed, std::string& result);

}  // namespace trackmint::testing
