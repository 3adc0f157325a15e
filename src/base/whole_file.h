#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "base/trackmint_error.h"

namespace trackmint {

// The file could not be made in its folder (the folder is missing or not writable): nothing was
// written. "Can't create the <noun> <path>: <reason>".
class FileNotCreated : public TrackmintError {
 public:
  FileNotCreated(std::string_view noun, const std::string& path, int error_number);
  int ErrorNumber() const { return m_error_number; }

 private:
  int m_error_number;
};

// How long a hidden file has not been written before a run takes it for a leftover.
inline constexpr std::time_t kLeftoverAge = 10 * 60;

// Removes what runs that were killed left in the folder (which ends in its separator, or is
// empty for the current one): regular files of this user with the hidden name WholeFile gives,
// last modified min_age seconds or more before now, that no WholeFile holds. Links are not
// followed, and what cannot be removed stays without a word.
void RemoveLeftovers(const std::string& directory, std::time_t now,
                     std::time_t min_age = kLeftoverAge);

// Another file the same run writes, which this one must not replace, and the reason the error
// gives when the path names it: "it is the output file".
struct OtherOutput {
  std::string path;
  std::string reason;
};

// A file of the run while it is written: an unnamed file in the folder of its path, linked there
// under a hidden name ".trackmint-XXXXXXXX.part" and renamed over the path only when it is
// complete and on the disk. Until then the file at the path stays as it was, and a file that is
// never put in place leaves nothing behind, even when the process is killed, but for a kill
// between the link and the rename. Where the file system has no unnamed files, a hidden file of
// that name takes the unnamed one's place and goes when the object goes; a kill leaves it. Such
// leftovers of earlier runs are removed by the next WholeFile made in the folder
// (RemoveLeftovers).
//
// The noun names the file in every error ("output file"), and every error names the path as the
// user gave it, never a temporary name.
class WholeFile {
 public:
  enum class Kind { Unnamed, Hidden };

  // A symbolic link at the path is written through: the file it points to is replaced and the
  // link stays. Throws "Can't write the <noun> <path>: <reason>" for a path that exists and is
  // not a regular file, is the same file as the open input, or names one of the other outputs;
  // FileNotCreated when no file can be made in the folder. A replaced file's permissions pass to
  // the new one; when they cannot, "Can't write the <noun> <path>: <reason>".
  WholeFile(std::string path, std::string noun, int input_fd, Kind kind = Kind::Unnamed,
            const std::vector<OtherOutput>& others = {});
  ~WholeFile();
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;

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

  std::string m_path;  // as given
  std::string m_noun;
  std::string m_target;  // the file really replaced: the path with its links followed
  std::string m_directory;
  Kind m_kind;
  std::string m_hidden_path;  // the hidden file's name, while it has one
  UniqueFd m_fd;
  std::uint64_t m_size = 0;
  bool m_committed = false;
};

}  // namespace trackmint
