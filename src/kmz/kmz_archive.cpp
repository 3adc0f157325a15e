#include "kmz/kmz_archive.h"

#include <algorithm>
#include <stdexcept>

#include "kmz/deflate_stream.h"

namespace trackmint {
namespace {

constexpr std::size_t kShiftPiece = std::size_t{1} << 20;

}  // namespace

KmzArchive::KmzArchive(KmzFile& file, const Clock& clock, std::string oem_code_page,
                       std::uint64_t zip32_limit)
    : m_file(file),
      m_clock(clock),
      m_oem_code_page(std::move(oem_code_page)),
      m_zip32_limit(zip32_limit),
      m_member_data(file) {}

void KmzArchive::BeginMember(std::string_view file_name) {
  if (m_member_open) throw std::logic_error("a member is already open");
  const StoredName name = EncodeMemberName(file_name, m_oem_code_page);
  MemberFields member;
  member.stored_name = name.bytes;
  member.flags = name.utf8 ? kFlagUtf8Name : 0;
  member.local_header_offset = m_file.Size();
  // Provisional until the data are written: an archive cut off here does not pass for whole.
  member.crc32 = 0xFFFFFFFFu;
  m_file.Append(EncodeLocalHeader(member, m_zip32_limit));
  m_directory.push_back(std::move(member));
  m_member_open = true;
}

void KmzArchive::EndMember(std::uint32_t crc32, std::uint64_t compressed_size,
                           std::uint64_t uncompressed_size) {
  if (!m_member_open) throw std::logic_error("no member is open");
  MemberFields& member = m_directory.back();
  member.method = uncompressed_size == 0 ? kMethodStored : kMethodDeflated;
  member.crc32 = uncompressed_size == 0 ? 0 : crc32;
  member.compressed_size = compressed_size;
  member.uncompressed_size = uncompressed_size;
  member.modified = ToDosDateTime(m_clock.Now());
  const std::vector<unsigned char> header = EncodeLocalHeader(member, m_zip32_limit);
  const std::uint64_t data_start =
      member.local_header_offset + kLocalHeaderSize + member.stored_name.size();
  // The header grows by its Zip64 field only now that the sizes are known.
  const std::uint64_t header_end = member.local_header_offset + header.size();
  if (header_end > data_start) ShiftTail(data_start, header_end - data_start);
  m_file.WriteAt(member.local_header_offset, header);
  m_member_open = false;
}

void KmzArchive::AddMember(std::string_view file_name, std::span<const unsigned char> data) {
  if (HasMember(EncodeMemberName(file_name, m_oem_code_page))) return;
  BeginMember(file_name);
  DeflateStream stream(m_member_data);
  if (!data.empty()) stream.AddPiece(data, true);
  EndMember(stream.Crc32(), stream.CompressedSize(), stream.UncompressedSize());
}

void KmzArchive::Finish() {
  if (m_member_open) throw std::logic_error("a member is still open");
  DirectoryPlace place;
  place.member_count = m_directory.size();
  place.offset = m_file.Size();
  std::vector<unsigned char> records;
  for (const MemberFields& member : m_directory) {
    const std::vector<unsigned char> header = EncodeCentralHeader(member, m_zip32_limit);
    records.insert(records.end(), header.begin(), header.end());
  }
  place.size = records.size();
  const std::vector<unsigned char> end = EncodeArchiveEnd(place, m_zip32_limit);
  records.insert(records.end(), end.begin(), end.end());
  m_file.Append(records);
}

bool KmzArchive::HasMember(const StoredName& name) const {
  return std::any_of(m_directory.begin(), m_directory.end(),
                     [&](const MemberFields& member) { return member.stored_name == name.bytes; });
}

// From the end backwards, so that no byte is overwritten before it has moved.
void KmzArchive::ShiftTail(std::uint64_t offset, std::uint64_t distance) {
  std::vector<unsigned char> piece;
  for (std::uint64_t end = m_file.Size(); end > offset;) {
    const std::uint64_t start = end - std::min<std::uint64_t>(end - offset, kShiftPiece);
    piece.resize(static_cast<std::size_t>(end - start));
    m_file.ReadAt(start, piece);
    m_file.WriteAt(start + distance, piece);
    end = start;
  }
}

}  // namespace trackmint
