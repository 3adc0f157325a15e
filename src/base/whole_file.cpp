#include "base/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "base/paths.h"

namespace trackmint {
namespace {

constexpr std::string_view kHiddenPrefix = ".trackmint-";
constexpr std::string_view kHiddenSuffix = ".part";
// The letters and digits CreateUniqueFile puts between the two.
constexpr std::size_t kHiddenRandomLength = 8;

bool IsHiddenName(std::string_view name) {
  if (name.size() != kHiddenPrefix.size() + kHiddenRandomLength + kHiddenSuffix.size() ||
      !name.starts_with(kHiddenPrefix) || !name.ends_with(kHiddenSuffix)) {
    return false;
  }
  const std::string_view random = name.substr(kHiddenPrefix.size(), kHiddenRandomLength);
  return std::all_of(random.begin(), random.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  });
}

// Whether a WholeFile is writing the file now: each holds a lock on its own. Where the lock cannot
// be asked for, the age alone decides.
bool HeldByARun(int directory_fd, const char* name) {
  const UniqueFd file(::openat(directory_fd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  // A shared lock: it needs no more than reading, also where locks go over the network.
  return file.Valid() && ::flock(file.Get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

[[noreturn]] void ThrowCannotWrite(std::string_view noun, const std::string& path,
                                   const std::string& reason) {
  throw TrackmintError("Can't write the " + std::string(noun) + " " + path + ": " + reason);
}

bool SameInode(const struct stat& first, const struct stat& second) {
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Whether two targets (links already followed) are one file: the same inode when both exist,
// else the same name in the same folder, however each path reaches it ("out.png", "./out.png").
bool SameFile(const std::string& first, const struct stat* first_info, const std::string& second) {
  struct stat second_info {};
  const bool second_exists = ::stat(second.c_str(), &second_info) == 0;
  if (first_info && second_exists) return SameInode(*first_info, second_info);
  if (first_info || second_exists) return false;
  if (FileNamePart(first) != FileNamePart(second)) return false;
  const std::string first_folder = DirectoryPart(first).empty() ? "." : DirectoryPart(first);
  const std::string second_folder = DirectoryPart(second).empty() ? "." : DirectoryPart(second);
  struct stat first_folder_info {};
  struct stat second_folder_info {};
  return ::stat(first_folder.c_str(), &first_folder_info) == 0 &&
         ::stat(second_folder.c_str(), &second_folder_info) == 0 &&
         SameInode(first_folder_info, second_folder_info);
}

// Only a regular file may be replaced, never the log being read, and never another file that
// the same run writes: two renames over one file would leave only the later.
void CheckTarget(std::string_view noun, const std::string& path, const std::string& target,
                 int input_fd, const std::vector<OtherOutput>& others, struct stat& existing,
                 bool& exists) {
  exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) ThrowCannotWrite(noun, path, std::strerror(EISDIR));
    if (!S_ISREG(existing.st_mode)) ThrowCannotWrite(noun, path, "it is not a regular file");
    struct stat input {};
    if (input_fd >= 0 && ::fstat(input_fd, &input) == 0 && SameInode(input, existing)) {
      ThrowCannotWrite(noun, path, "it is the input file");
    }
  }
  for (const OtherOutput& other : others) {
    if (SameFile(target, exists ? &existing : nullptr, FollowSymbolicLinks(other.path))) {
      ThrowCannotWrite(noun, path, other.reason);
    }
  }
}

// The path of an open descriptor, for linking an unnamed file into its folder.
std::string DescriptorPath(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

void RemoveLeftovers(const std::string& directory, std::time_t now, std::time_t min_age) {
  const std::string folder = directory.empty() ? "." : directory;
  const int directory_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory_fd < 0) return;
  // The listing owns the descriptor from here on.
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(directory_fd), ::closedir);
  if (!listing) {
    ::close(directory_fd);
    return;
  }
  const uid_t user = ::geteuid();
  while (const dirent* entry = ::readdir(listing.get())) {
    if (!IsHiddenName(entry->d_name)) continue;
    struct stat info {};
    if (::fstatat(directory_fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(info.st_mode) || info.st_uid != user || now - info.st_mtime < min_age) continue;
    if (HeldByARun(directory_fd, entry->d_name)) continue;
    ::unlinkat(directory_fd, entry->d_name, 0);
  }
}

FileNotCreated::FileNotCreated(std::string_view noun, const std::string& path, int error_number)
    : TrackmintError(
          WithReason("Can't create the " + std::string(noun) + " " + path, error_number)),
      m_error_number(error_number) {}

WholeFile::WholeFile(std::string path, std::string noun, int input_fd, Kind kind,
                     const std::vector<OtherOutput>& others)
    : m_path(std::move(path)),
      m_noun(std::move(noun)),
      m_target(FollowSymbolicLinks(m_path)),
      m_directory(DirectoryPart(m_target)),
      m_kind(kind) {
  struct stat existing {};
  bool exists = false;
  CheckTarget(m_noun, m_path, m_target, input_fd, others, existing, exists);
  if (m_kind == Kind::Unnamed) {
    const std::string directory = m_directory.empty() ? "." : m_directory;
    m_fd = UniqueFd(::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    // A file system without unnamed files says so in one of these ways.
    if (!m_fd.Valid() && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
      m_kind = Kind::Hidden;
    }
  }
  if (m_kind == Kind::Hidden) {
    m_fd = CreateUniqueFile(m_directory, std::string(kHiddenPrefix), std::string(kHiddenSuffix),
                            m_hidden_path);
    if (!m_fd.Valid()) m_hidden_path.clear();
  }
  if (!m_fd.Valid()) throw FileNotCreated(m_noun, m_path, errno);
  // Held until the file is closed, so that no other run takes it for a leftover.
  ::flock(m_fd.Get(), LOCK_EX | LOCK_NB);
  // A new file with other permissions than the one it replaces could show the user's track to
  // others: a failure to pass them on fails the run.
  if (exists && ::fchmod(m_fd.Get(), existing.st_mode & 07777) != 0) {
    const int error = errno;
    // No destructor runs for a constructor that throws.
    if (!m_hidden_path.empty()) ::unlink(m_hidden_path.c_str());
    ThrowCannotWrite(m_noun, m_path, std::strerror(error));
  }
  RemoveLeftovers(m_directory, std::time(nullptr));
}

WholeFile::~WholeFile() {
  if (!m_committed && !m_hidden_path.empty()) ::unlink(m_hidden_path.c_str());
}

void WholeFile::ThrowWriteError(int error_number) const {
  ThrowCannotWrite(m_noun, m_path, std::strerror(error_number));
}

void WholeFile::Append(std::span<const unsigned char> bytes) {
  WriteAt(m_size, bytes);
}

void WholeFile::WriteAt(std::uint64_t offset, std::span<const unsigned char> bytes) {
  if (const int error = WriteAllAt(m_fd.Get(), offset, bytes)) ThrowWriteError(error);
  if (offset + bytes.size() > m_size) m_size = offset + bytes.size();
}

void WholeFile::ReadAt(std::uint64_t offset, std::span<unsigned char> bytes) const {
  if (const int error = ReadAllAt(m_fd.Get(), offset, bytes)) {
    throw TrackmintError(WithReason("Can't read the " + m_noun + " " + m_path, error));
  }
}

void WholeFile::Commit() {
  if (::fsync(m_fd.Get()) != 0) ThrowWriteError(errno);
  if (m_kind == Kind::Unnamed) {
    // The unnamed file gets a hidden name first; a name cannot be given to it and put over the
    // path in one step.
    for (int attempt = 0; m_hidden_path.empty(); ++attempt) {
      std::string candidate;
      UniqueFd probe = CreateUniqueFile(m_directory, std::string(kHiddenPrefix),
                                        std::string(kHiddenSuffix), candidate);
      if (!probe.Valid()) ThrowWriteError(errno);
      probe.Close();
      ::unlink(candidate.c_str());
      if (::linkat(AT_FDCWD, DescriptorPath(m_fd.Get()).c_str(), AT_FDCWD, candidate.c_str(),
                   AT_SYMLINK_FOLLOW) == 0) {
        m_hidden_path = candidate;
      } else if (errno != EEXIST || attempt == 100) {
        ThrowWriteError(errno);
      }
    }
  }
  if (!m_fd.Close()) ThrowWriteError(errno);
  if (std::rename(m_hidden_path.c_str(), m_target.c_str()) != 0) ThrowWriteError(errno);
  m_committed = true;
  // The rename itself reaches the disk with the folder.
  const std::string directory = m_directory.empty() ? "." : m_directory;
  const UniqueFd directory_fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory_fd.Valid()) ::fsync(directory_fd.Get());
}

}  // namespace trackmint
