#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "kmz/byte_sink.h"
#include "kmz/kmz_file.h"
#include "kmz/member_name.h"
#include "kmz/zip_records.h"

namespace trackmint {

// The ZIP archive of a KMZ written front to back in one pass: a member's header, its deflated
// data as they come, its sizes and CRC put into the header once known, the central directory at
// the end. Members keep their file names (converted for the archive as member_name.h says) and
// the local time when they were written. Below 4 GiB the layout has no extra fields at all; a
// member whose sizes reach the Zip64 limit gets the Zip64 extra field (its data move back to make
// room for it), and offsets beyond the limit the Zip64 fields and end records they need.
class KmzArchive {
 public:
  KmzArchive(KmzFile& file, const Clock& clock,
             std::string oem_code_page = OemCodePageFromEnvironment(),
             std::uint64_t zip32_limit = kZip32Limit);
  KmzArchive(const KmzArchive&) = delete;
  KmzArchive& operator=(const KmzArchive&) = delete;

  // Starts a member whose deflated data follow through MemberData().
  void BeginMember(std::string_view file_name);
  ByteSink& MemberData() { return m_member_data; }
  // Ends the member with what its deflate stream counted; one without bytes is stored.
  void EndMember(std::uint32_t crc32, std::uint64_t compressed_size,
                 std::uint64_t uncompressed_size);

  // A whole member from memory, deflated here. A name already in the archive keeps its first
  // place and its content: the same name always carries the same bytes in a KMZ.
  void AddMember(std::string_view file_name, std::span<const unsigned char> data);

  // Writes the central directory and the end records. The file is then complete.
  void Finish();

  const std::vector<MemberFields>& Members() const { return m_directory; }

 private:
  // The member's data go to the file as they come.
  class MemberSink final : public ByteSink {
   public:
    explicit MemberSink(KmzFile& file) : m_file(file) {}
    void Write(std::span<const unsigned char> bytes) override { m_file.Append(bytes); }

   private:
    KmzFile& m_file;
  };

  bool HasMember(const StoredName& name) const;
  // Moves the bytes from offset to the end of the file back by distance.
  void ShiftTail(std::uint64_t offset, std::uint64_t distance);

  KmzFile& m_file;
  const Clock& m_clock;
  std::string m_oem_code_page;
  std::uint64_t m_zip32_limit;
  MemberSink m_member_data;
  std::vector<MemberFields> m_directory;
  bool m_member_open = false;
};

}  // namespace trackmint
