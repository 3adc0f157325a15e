#include "base/file_io.h"

#include "base/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

namespace trackmint {

UniqueFd::~UniqueFd() {
  Close();
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    Close();
    m_fd = other.Release();
  }
  return *this;
}

int UniqueFd::Release() {
  const int fd = m_fd;
  m_fd = -1;
  return fd;
}

bool UniqueFd::Close() {
  if (m_fd < 0) return true;
  const bool closed = ::close(m_fd) == 0;
  m_fd = -1;
  return closed;
}

UniqueFd CreateUniqueFile(const std::string& directory, const std::string& prefix,
                          const std::string& suffix, std::string& path) {
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name;
    for (int i = 0; i < 8; ++i) name += kLetters[pick(random)];
    path = directory + prefix + name + suffix;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return UniqueFd(fd);
  }
  return UniqueFd();
}

int WriteAllAt(int fd, std::uint64_t offset, std::span<const unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // A write that makes no progress would repeat for ever; the file system is out of room.
    if (written == 0) return ENOSPC;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
    offset += static_cast<std::uint64_t>(written);
  }
  return 0;
}

int ReadAllAt(int fd, std::uint64_t offset, std::span<unsigned char> bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (count == 0) return EIO;
    bytes = bytes.subspan(static_cast<std::size_t>(count));
    offset += static_cast<std::uint64_t>(count);
  }
  return 0;
}

std::string WithReason(const std::string& text, int error_number) {
  return text + ": " + std::strerror(error_number);
}

std::string FollowSymbolicLinks(const std::string& path) {
  constexpr int kMaxLinks = 40;
  std::string current = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 2);
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size() - 1);
    if (length < 0) return current;
    const std::string link(target.data(), static_cast<std::size_t>(length));
    current = JoinToDirectory(DirectoryPart(current), link);
  }
  return current;
}

}  // namespace trackmint
