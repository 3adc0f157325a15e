#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "base/file_io.h"
#include "base/paths.h"
#include "base/trackmint_error.h"
#include "settings/ini_text.h"

namespace trackmint {
namespace {

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
    m_file = CreateUniqueFile(directory, ".trackmint-settings-", "", m_path);
    if (!m_file.Valid()) m_path.clear();
    return m_file.Valid();
  }

  int Descriptor() const { return m_file.Get(); }

  bool WriteAll(std::string_view content) {
    const int error = WriteAllAt(
        Descriptor(), 0, {reinterpret_cast<const unsigned char*>(content.data()), content.size()});
    if (error != 0) errno = error;
    return error == 0;
  }

  // Flushes the content to disk and renames the file over target.
  bool ReplaceTarget(const std::string& target) {
    if (::fsync(Descriptor()) != 0 || !m_file.Close()) return false;
    if (::rename(m_path.c_str(), target.c_str()) != 0) return false;
    m_path.clear();
    return true;
  }

 private:
  UniqueFd m_file;
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

[[noreturn]] void ThrowCannotWrite(const std::string& path, const std::string& reason) {
  throw TrackmintError("Can't write the settings file " + path + ": " + reason);
}

[[noreturn]] void ThrowCannotWrite(const std::string& path, int error_number) {
  ThrowCannotWrite(path, std::strerror(error_number));
}

}  // namespace

std::optional<std::string> ReadIniFile(const std::string& path) {
  UniqueFd file(OpenForReading(path));
  if (!file.Valid()) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return std::nullopt;
  std::string content;
  if (S_ISREG(info.st_mode)) {
    content.reserve(static_cast<std::size_t>(info.st_size));
    if (!ReadAll(file.Get(), content)) return std::nullopt;
  }
  return content;
}

std::optional<std::string> ReadIniString(const std::string& path, std::string_view section,
                                         std::string_view key) {
  const std::optional<std::string> content = ReadIniFile(path);
  if (!content) return std::nullopt;
  return FindIniValue(*content, section, key);
}

void WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
  if (!IsIniLineSafe(section) || !IsIniLineSafe(key) || !IsIniLineSafe(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
    ThrowCannotWrite(path, "a line break in a value would change the file's other settings");
  }
  // A symbolic link is followed, so that the link stays and its target gets the new content.
  const std::string target = FollowSymbolicLinks(path);

  std::string content;
  struct stat existing {};
  bool exists = false;
  {
    UniqueFd file(OpenForReading(target));
    if (file.Valid()) {
      // Only a regular file is replaced: renaming over a directory fails anyway, and over a device
      // or a pipe it would destroy something that is not a settings file.
      if (::fstat(file.Get(), &existing) != 0) ThrowCannotWrite(path, errno);
      if (S_ISDIR(existing.st_mode)) ThrowCannotWrite(path, EISDIR);
      if (!S_ISREG(existing.st_mode)) ThrowCannotWrite(path, "it is not a regular file");
      // A write-protected file stays protected, although the rename could replace it.
      if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        ThrowCannotWrite(path, errno);
      }
      if (!ReadAll(file.Get(), content)) ThrowCannotWrite(path, errno);
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
        ::fchown(replacement.Descriptor(), existing.st_uid, existing.st_gid);
    if (::fchmod(replacement.Descriptor(), existing.st_mode & 07777) != 0)
      ThrowCannotWrite(path, errno);
  }
  if (!replacement.WriteAll(new_content) || !replacement.ReplaceTarget(target)) {
    ThrowCannotWrite(path, errno);
  }
}

}  // namespace trackmint
