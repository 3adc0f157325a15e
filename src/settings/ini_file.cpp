#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <random>

#include "base/paths.h"
#include "base/trackmint_error.h"
#include "settings/ini_text.h"

namespace trackmint {
namespace {

// An open file descriptor, closed when the object goes.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  // Closes now and tells whether the close succeeded (a late write error shows up here).
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }
  void Reset(int fd) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = fd;
  }

 private:
  int m_fd = -1;
};

// A temporary file beside the target that is removed unless it has been renamed over the target.
class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile() {
    if (!m_path.empty()) ::unlink(m_path.c_str());
  }
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Creates a new file with a name of its own in directory ("" for the current one). Its mode is
  // the one any new file gets (0666 less the umask).
  bool Create(const std::string& directory) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
      const std::uint64_t number = std::uint64_t{random()} << 32 | random();
      std::array<char, 17> digits{};
      const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), number, 16).ptr;
      std::string path = directory + ".trackmint-settings-" + std::string(digits.data(), end);
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        m_file.Reset(fd);
        m_path = std::move(path);
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  int fd() const { return m_file.get(); }

  bool WriteAll(std::string_view content) {
    while (!content.empty()) {
      const ssize_t written = ::write(fd(), content.data(), content.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  // Flushes the content to disk and renames the file over target.
  bool ReplaceTarget(const std::string& target) {
    if (::fsync(fd()) != 0 || !m_file.Close()) return false;
    if (::rename(m_path.c_str(), target.c_str()) != 0) return false;
    m_path.clear();
    return true;
  }

 private:
  FileDescriptor m_file;
  std::string m_path;
};

// Reads the whole of an open regular file; false on a read error.
bool ReadAll(int fd, std::string& content) {
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count == 0) return true;
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.append(buffer.data(), static_cast<std::size_t>(count));
  }
}

// Non-blocking so that a pipe without a writer cannot stall the program.
int OpenForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

// The file that a write really changes: a symbolic link is followed so that the link stays and
// its target gets the new content.
std::string WriteTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path : resolved.string();
}

[[noreturn]] void ThrowCannotWrite(const std::string& path, const std::string& reason) {
  throw TrackmintError("Can't write the settings file " + path + ": " + reason);
}

[[noreturn]] void ThrowCannotWrite(const std::string& path, int error_number) {
  ThrowCannotWrite(path, std::strerror(error_number));
}

}  // namespace

std::optional<std::string> ReadIniFile(const std::string& path) {
  FileDescriptor file(OpenForReading(path));
  if (!file.IsOpen()) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return std::nullopt;
  std::string content;
  if (S_ISREG(info.st_mode)) {
    content.reserve(static_cast<std::size_t>(info.st_size));
    if (!ReadAll(file.get(), content)) return std::nullopt;
  }
  return content;
}

std::optional<std::string> ReadIniString(const std::string& path, std::string_view section,
                                         std::string_view key) {
  const std::optional<std::string> content = ReadIniFile(path);
  if (!content) return std::nullopt;
  return FindIniValue(*content, section, key);
}

std::optional<std::int32_t> ReadIniInteger(const std::string& path, std::string_view section,
                                           std::string_view key) {
  const std::optional<std::string> value = ReadIniString(path, section, key);
  if (!value) return std::nullopt;
  return IniIntegerValue(*value);
}

void WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
  if (!IsIniLineSafe(section) || !IsIniLineSafe(key) || !IsIniLineSafe(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
    ThrowCannotWrite(path, "a line break in a value would change the file's other settings");
  }
  const std::string target = WriteTarget(path);

  std::string content;
  struct stat existing {};
  bool exists = false;
  {
    FileDescriptor file(OpenForReading(target));
    if (file.IsOpen()) {
      // Only a regular file is replaced: renaming over a directory fails anyway, and over a device
      // or a pipe it would destroy something that is not a settings file.
      if (::fstat(file.get(), &existing) != 0) ThrowCannotWrite(path, errno);
      if (S_ISDIR(existing.st_mode)) ThrowCannotWrite(path, EISDIR);
      if (!S_ISREG(existing.st_mode)) ThrowCannotWrite(path, "it is not a regular file");
      // A write-protected file stays protected, although the rename could replace it.
      if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        ThrowCannotWrite(path, errno);
      }
      if (!ReadAll(file.get(), content)) ThrowCannotWrite(path, errno);
      exists = true;
    } else if (errno != ENOENT) {
      ThrowCannotWrite(path, errno);
    }
  }

  const std::string new_content = SetIniValue(content, section, key, value);
  ReplacementFile replacement;
  if (!replacement.Create(DirectoryPart(target))) ThrowCannotWrite(path, errno);
  if (exists) {
    // The replacement keeps the permissions and, where allowed, the owner of the file it replaces.
    // The owner first: changing it may clear the mode's set-id bits.
    [[maybe_unused]] const int ignored =
        ::fchown(replacement.fd(), existing.st_uid, existing.st_gid);
    if (::fchmod(replacement.fd(), existing.st_mode & 07777) != 0) ThrowCannotWrite(path, errno);
  }
  if (!replacement.WriteAll(new_content) || !replacement.ReplaceTarget(target)) {
    ThrowCannotWrite(path, errno);
  }
}

}  // namespace trackmint
