#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <span>
#include <string>

#include "kmz/file_io.h"

namespace trackmint {

// The archive while it is being written: a hidden file of its own beside the archive's path, put
// in place by one rename once it is complete. Until then the file at that path stays as it was,
// so a failure never leaves half an archive where the user's file was; a file that is never put
// in place is deleted when the object goes.
class ArchiveFile {
 public:
  // Throws "Can't create the output file <final_path>: <reason>" when the file cannot be made
  // there.
  explicit ArchiveFile(std::string final_path);
  ~ArchiveFile();
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  const std::string& final_path() const { return m_final_path; }
  // Whether the file described is this archive, under either of its names.
  bool IsThisArchive(const struct stat& info) const;

  // A full disk throws a MemberError with the disk-full text; other failures a TrackmintError.
  void WriteAt(std::uint64_t offset, std::span<const unsigned char> bytes);
  void ReadAt(std::uint64_t offset, std::span<unsigned char> bytes) const;
  void Truncate(std::uint64_t size);
  // Flushes the file's data to the disk.
  void Sync();
  // Sync, then the rename over the final path; the previous file there is replaced whole.
  void PutInPlace();

  // An unnamed spare file in the archive's directory (it goes when closed), and copies between
  // it and this archive, with the errors of WriteAt.
  UniqueFd CreateSpareFile() const;
  void CopyOut(std::uint64_t offset, std::uint64_t length, int to_fd, std::uint64_t to_offset);
  void CopyIn(std::uint64_t offset, int from_fd, std::uint64_t from_offset, std::uint64_t length);

 private:
  [[noreturn]] void ThrowWriteError(int error_number) const;

  std::string m_final_path;
  std::string m_directory;
  std::string m_temporary_path;
  UniqueFd m_fd;
  bool m_in_place = false;
};

}  // namespace trackmint
