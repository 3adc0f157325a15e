#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "kmz/archive_file.h"
#include "kmz/member_name.h"
#include "kmz/zip_records.h"
#include "run/run_host.h"

namespace trackmint {

// Writes a ZIP archive of whole files: create, add files one by one, close. Members are stored
// under their bare file names, deflated (an empty file is stored), without Zip64, data
// descriptors, extra fields or comments. Each AddFiles is one complete update: afterwards the
// file holds a valid archive of everything added so far, flushed to the disk.
//
// The archive is built in a hidden file beside FileName and renamed over it by CloseArchive,
// so the file at FileName is never half-written: an archive that is not closed (an error, or
// the writer going away) is discarded and leaves any earlier file there as it was.
class ArchiveWriter {
 public:
  // The host is asked about members that cannot be packed and gets a turn between the pieces
  // of a member; the clock stands in for a file time that cannot be read.
  ArchiveWriter(RunHost& host, const Clock& clock,
                std::string oem_code_page = OemCodePageFromEnvironment());
  ~ArchiveWriter();
  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  void SetFileName(const std::string& path) { m_file_name = path; }
  const std::string& FileName() const { return m_file_name; }

  // Starts a new, empty archive for FileName, closing any archive still open first.
  void OpenArchive();
  // Adds the file at the path (a full path, no wildcards) as one update; a member of the same
  // stored name is replaced in its place. No file there, or the archive itself: nothing added.
  void AddFiles(const std::string& path);
  // Finishes the archive and puts it at FileName.
  void CloseArchive();

  bool is_open() const { return m_file != nullptr; }

 private:
  // What an update may have to undo: the archive before it, and the bytes it writes over.
  struct Update {
    std::vector<MemberFields> directory;
    std::uint64_t members_end = 0;
    std::uint64_t start = 0;  // where the update writes its member
    UniqueFd set_aside;       // the bytes from start to members_end, for a replacement
  };

  void RequireOpen() const;
  // Drops the open archive, if any, discarding its hidden file unless it is in place.
  void Forget();
  void PackMember(const std::string& path, Update& update);
  // Writes the member's header and data at start; returns its fields and where its data end.
  MemberFields WriteMember(const std::string& path, const StoredName& name, std::uint64_t start,
                           std::uint64_t& end);
  void PutTailBack(std::size_t index, std::uint64_t end, const Update& update);
  LocalDateTime ModificationTime(const struct stat& info) const;
  void WriteCentralDirectory();
  void RollBack(const Update& update);
  void RollBackQuietly(const Update& update) noexcept;

  RunHost& m_host;
  const Clock& m_clock;
  std::string m_oem_code_page;
  std::string m_file_name;
  std::unique_ptr<ArchiveFile> m_file;
  std::vector<MemberFields> m_directory;
  std::uint64_t m_members_end = 0;  // where the central directory begins
  bool m_written = false;           // whether an update has written the file
};

}  // namespace trackmint
