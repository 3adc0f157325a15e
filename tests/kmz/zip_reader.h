#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/inflate.h"

namespace trackmint::testing {

// A ZIP reader of the tests' own, written from the format's tables and sharing nothing with
// the writer: it walks the end record (and the Zip64 end record with its locator), the central
// directory and every local header, reads the Zip64 extra fields, inflates each member with zlib
// (raw, -15) and checks its CRC with zlib's crc32. Any other extra field is a problem: the writer
// writes none.
struct ZipMember {
  std::string name;
  std::uint16_t version_made_by = 0;
  std::uint16_t version_needed = 0;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint16_t dos_time = 0;
  std::uint16_t dos_date = 0;
  std::uint32_t crc32 = 0;
  std::uint64_t compressed_size = 0;
  std::uint64_t uncompressed_size = 0;
  std::uint32_t external_attributes = 0;
  std::uint64_t local_header_offset = 0;
  bool central_zip64 = false;  // the central header carries a Zip64 extra field
  bool local_zip64 = false;    // the local header does
  std::string data;            // inflated
};

struct ZipContents {
  std::vector<ZipMember> members;
  bool zip64_end = false;  // the archive ends with the Zip64 end record and its locator
  std::string problem;     // empty when the archive is sound
  std::vector<std::string> names() const;
  const ZipMember* Find(const std::string& name) const;
};

// Reads the whole archive held in the bytes.
ZipContents ReadZip(const std::string& bytes);
ZipContents ReadZipFile(const std::string& path);

}  // namespace trackmint::testing
