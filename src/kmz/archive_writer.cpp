#include "kmz/archive_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "base/paths.h"
#include "base/trackmint_error.h"
#include "kmz/deflate_stream.h"
#include "kmz/zip_errors.h"

namespace trackmint {
namespace {

// Compressed data go straight into the archive behind the member's header.
class ArchiveSink final : public ByteSink {
 public:
  ArchiveSink(ArchiveFile& file, std::uint64_t offset) : m_file(file), m_offset(offset) {}
  void Write(std::span<const unsigned char> bytes) override {
    m_file.WriteAt(m_offset, bytes);
    m_offset += bytes.size();
  }

 private:
  ArchiveFile& m_file;
  std::uint64_t m_offset;
};

std::uint32_t ExternalAttributes(const struct stat& info) {
  std::uint32_t attributes = S_ISDIR(info.st_mode) ? kDosDirectory : kDosArchive;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= kDosReadOnly;
  return attributes;
}

bool IsCalendarTime(const LocalDateTime& time) {
  return time.month >= 1 && time.month <= 12 && time.day >= 1 && time.day <= 31;
}

}  // namespace

ArchiveWriter::ArchiveWriter(RunHost& host, const Clock& clock, std::string oem_code_page)
    : m_host(host), m_clock(clock), m_oem_code_page(std::move(oem_code_page)) {}

// An archive still open is discarded with its hidden file by ArchiveFile's destructor.
ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::RequireOpen() const {
  if (!is_open()) throw std::logic_error("the archive is not open");
}

void ArchiveWriter::OpenArchive() {
  if (is_open()) CloseArchive();
  if (FileNamePart(m_file_name).empty()) throw TrackmintError(BlankFileNameText());
  Forget();
  m_file = std::make_unique<ArchiveFile>(m_file_name);
}

void ArchiveWriter::CloseArchive() {
  if (!is_open()) return;
  try {
    if (!m_written) WriteCentralDirectory();  // no update: the end record alone
    m_file->PutInPlace();
  } catch (...) {
    Forget();
    throw;
  }
  Forget();
}

void ArchiveWriter::Forget() {
  m_file.reset();
  m_directory.clear();
  m_members_end = 0;
  m_written = false;
}

void ArchiveWriter::AddFiles(const std::string& path) {
  RequireOpen();
  Update update{m_directory, m_members_end, m_members_end, UniqueFd()};
  try {
    struct stat found {};
    // A directory is not packed, and neither is the archive itself.
    if (::stat(path.c_str(), &found) == 0 && !S_ISDIR(found.st_mode) &&
        !m_file->IsThisArchive(found)) {
      PackMember(path, update);
    }
    WriteCentralDirectory();
    m_file->Sync();
    m_written = true;
  } catch (...) {
    RollBackQuietly(update);
    throw;
  }
}

void ArchiveWriter::PackMember(const std::string& path, Update& update) {
  const StoredName name = EncodeMemberName(FileNamePart(path), m_oem_code_page);
  const auto existing =
      std::find_if(m_directory.begin(), m_directory.end(),
                   [&](const MemberFields& member) { return member.stored_name == name.bytes; });
  const bool replaces = existing != m_directory.end();
  const auto index = static_cast<std::size_t>(existing - m_directory.begin());
  if (replaces) {
    // The member is rewritten in its place: keep what it overwrites, itself and the members
    // behind it, to put the tail back behind the new data (or everything back on failure).
    // The update takes them over only once they are all kept.
    UniqueFd spare = m_file->CreateSpareFile();
    const std::uint64_t start = existing->local_header_offset;
    m_file->CopyOut(start, update.members_end - start, spare.get(), 0);
    update.start = start;
    update.set_aside = std::move(spare);
  }
  for (;;) {
    try {
      std::uint64_t end = 0;
      MemberFields member = WriteMember(path, name, update.start, end);
      if (replaces) {
        PutTailBack(index, end, update);
        m_directory[index] = std::move(member);
      } else {
        m_directory.push_back(std::move(member));
        m_members_end = end;
      }
      return;
    } catch (const MemberError& error) {
      RollBack(update);
      // Ignore leaves a new member out and keeps a replaced one as it was; Abort returns the
      // archive to where the update began. With one file an update, both are the state now.
      if (m_host.AskMemberError(MemberErrorQuestion(error.what())) != MemberErrorAnswer::Retry) {
        return;
      }
    }
  }
}

MemberFields ArchiveWriter::WriteMember(const std::string& path, const StoredName& name,
                                        std::uint64_t start, std::uint64_t& end) {
  if (start >= kZip32Limit) throw TrackmintError(Zip64Text(path, kNativeArchiveTooLarge));
  // Non-blocking, so that a pipe without a writer cannot hang the update.
  const UniqueFd source(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat info {};
  if (!source.valid() || ::fstat(source.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw MemberError(CannotOpenFileText(path));
  }
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size >= kZip32Limit) throw TrackmintError(Zip64Text(path, kNativeMemberTooLarge));

  MemberFields member;
  member.stored_name = name.bytes;
  member.flags = name.utf8 ? kFlagUtf8Name : 0;
  member.modified = ToDosDateTime(ModificationTime(info));
  member.external_attributes = ExternalAttributes(info);
  member.local_header_offset = static_cast<std::uint32_t>(start);
  const std::uint64_t data_start = start + kLocalHeaderSize + name.bytes.size();
  if (size == 0) {
    member.method = kMethodStored;
    m_file->WriteAt(start, EncodeLocalHeader(member));
    end = data_start;
    return member;
  }

  member.method = kMethodDeflated;
  member.uncompressed_size = static_cast<std::uint32_t>(size);
  member.crc32 = 0xFFFFFFFFu;  // provisional, until the data are written
  m_file->WriteAt(start, EncodeLocalHeader(member));
  ArchiveSink sink(*m_file, data_start);
  DeflateStream stream(sink);
  std::vector<unsigned char> piece(static_cast<std::size_t>(std::min(size, kArchivePieceSize)));
  for (std::uint64_t done = 0; done < size;) {
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size - done, piece.size()));
    const std::span<unsigned char> bytes(piece.data(), count);
    if (const int error = ReadAllAt(source.get(), done, bytes)) {
      throw TrackmintError(WithReason("Cannot read file " + path, error));
    }
    done += count;
    stream.AddPiece(bytes, done == size);
    m_host.ProcessPendingEvents();
  }
  if (stream.compressed_size() >= kZip32Limit) {
    throw TrackmintError(Zip64Text(path, kNativeMemberTooLarge));
  }
  member.crc32 = stream.crc32();
  member.compressed_size = static_cast<std::uint32_t>(stream.compressed_size());
  m_file->WriteAt(start, EncodeLocalHeader(member));
  end = data_start + stream.compressed_size();
  return member;
}

void ArchiveWriter::PutTailBack(std::size_t index, std::uint64_t end, const Update& update) {
  const std::uint64_t old_end = index + 1 < m_directory.size()
                                    ? m_directory[index + 1].local_header_offset
                                    : update.members_end;
  const std::uint64_t old_length = old_end - update.start;
  const std::uint64_t tail_length = update.members_end - old_end;
  m_file->CopyIn(end, update.set_aside.get(), old_length, tail_length);
  for (std::size_t i = index + 1; i < m_directory.size(); ++i) {
    const std::uint64_t moved = m_directory[i].local_header_offset - old_end + end;
    if (moved >= kZip32Limit) throw TrackmintError(Zip64Text(m_file_name, kNativeArchiveTooLarge));
    m_directory[i].local_header_offset = static_cast<std::uint32_t>(moved);
  }
  m_members_end = end + tail_length;
}

LocalDateTime ArchiveWriter::ModificationTime(const struct stat& info) const {
  const LocalDateTime modified = ToLocalDateTime(info.st_mtime);
  return IsCalendarTime(modified) ? modified : m_clock.Now();
}

void ArchiveWriter::WriteCentralDirectory() {
  if (m_members_end >= kZip32Limit || m_directory.size() > 0xFFFF) {
    throw TrackmintError(Zip64Text(m_file_name, kNativeArchiveTooLarge));
  }
  std::vector<unsigned char> records;
  for (const MemberFields& member : m_directory) {
    const std::vector<unsigned char> header = EncodeCentralHeader(member);
    records.insert(records.end(), header.begin(), header.end());
  }
  const auto end_record = EncodeEndRecord(static_cast<std::uint16_t>(m_directory.size()),
                                          static_cast<std::uint32_t>(records.size()),
                                          static_cast<std::uint32_t>(m_members_end));
  records.insert(records.end(), end_record.begin(), end_record.end());
  m_file->WriteAt(m_members_end, records);
  m_file->Truncate(m_members_end + records.size());
}

void ArchiveWriter::RollBack(const Update& update) {
  m_directory = update.directory;
  m_members_end = update.members_end;
  m_file->Truncate(update.start);
  if (update.set_aside.valid()) {
    m_file->CopyIn(update.start, update.set_aside.get(), 0, update.members_end - update.start);
  }
  WriteCentralDirectory();
}

void ArchiveWriter::RollBackQuietly(const Update& update) noexcept {
  try {
    RollBack(update);
  } catch (...) {
    // The error that brought us here is the one to report; an archive that cannot even be
    // put back is never put in place, so nothing of it reaches the user.
  }
}

}  // namespace trackmint
