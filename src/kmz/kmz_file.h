#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>

#include "base/file_io.h"
#include "base/trackmint_error.h"

namespace trackmint {

// The KMZ file could not be made in its folder (the folder is missing or not writable): nothing
// was written, and the run reports it as an output that cannot be created.
class KmzNotCreated : public TrackmintError {
 public:
  KmzNotCreated(const std::string& path, int error_number);
  int ErrorNumber() const { return m_error_number; }

 private:
  int m_error_number;
};

// How long a hidden file has not been written before a run takes it for a leftover.
inline constexpr std::time_t kLeftoverAge = 10 * 60;

// Removes what runs that were killed left in the folder (which ends in its separator, or is
// empty for the current one): regular files of this user with the hidden name KmzFile gives,
// last modified min_age seconds or more before now, that no KmzFile holds. Links are not
// followed, and what cannot be removed stays without a word.
void RemoveLeftovers(const std::string& directory, std::time_t now,
                     std::time_t min_age = kLeftoverAge);

// The KMZ while it is written: an unnamed file in the folder of its path, linked there under a
// hidden name ".trackmint-XXXXXXXX.part" and renamed over the path only when it is complete and
// on the disk. Until then the file at the path stays as it was, and a KMZ that is never put in
// place leaves nothing behind, even when the process is killed, but for a kill between the link
// and the rename. Where the file system has no unnamed files, a hidden file of that name takes
// the unnamed one's place and goes when the object goes; a kill leaves it. Such leftovers of
// earlier runs are removed by the next KmzFile made in the folder (RemoveLeftovers).
//
// Every error names the path as the user gave it, never a temporary name.
class KmzFile {
 public:
  enum class Kind { Unnamed, Hidden };

  // A symbolic link at the path is written through: the file it points to is replaced and the
  // link stays. Throws "Can't write the output file <path>: <reason>" for a path that exists and
  // is not a regular file, or is the same file as the open input; KmzNotCreated when no file can
  // be made in the folder. A replaced file's permissions pass to the new one; when they cannot,
  // "Can't write the output file <path>: <reason>".
  KmzFile(std::string path, int input_fd, Kind kind = Kind::Unnamed);
  ~KmzFile();
  KmzFile(const KmzFile&) = delete;
  KmzFile& operator=(const KmzFile&) = delete;

  const std::string& Path() const { return m_path; }
  // The end of what was written so far.
  std::uint64_t Size() const { return m_size; }

  void Append(std::span<const unsigned char> bytes);
  void WriteAt(std::uint64_t offset, std::span<const unsigned char> bytes);
  void ReadAt(std::uint64_t offset, std::span<unsigned char> bytes) const;

  // Syncs the file, then puts it at the path in one rename and syncs the folder.
  void Commit();

 private:
  [[noreturn]] void ThrowWriteError(int error_number) const;

  std::string m_path;    // as given
  std::string m_target;  // the file really replaced: the path with its links followed
  std::string m_directory;
  Kind m_kind;
  std::string m_hidden_path;  // the hidden file's name, while it has one
  UniqueFd m_fd;
  std::uint64_t m_size = 0;
  bool m_committed = false;
};

}  // namespace trackmint
