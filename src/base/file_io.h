#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace trackmint {

// An open file descriptor, closed when the object goes.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return m_fd; }
  bool Valid() const { return m_fd >= 0; }
  int Release();
  // Closes now; false when the close reported an error (a write that failed late).
  bool Close();

 private:
  int m_fd = -1;
};

// Creates a new file with a unique name "<directory><prefix><random><suffix>" (the directory
// ends in its separator or is empty for the current one), for reading and writing, with the
// permissions that the process gives new files. Returns an invalid descriptor with errno set
// when no such file can be made; `path` receives the name.
UniqueFd CreateUniqueFile(const std::string& directory, const std::string& prefix,
                          const std::string& suffix, std::string& path);

// The whole span at the offset. Return 0 on success, else the errno of the failure; a read that
// meets the end of the file first fails with EIO.
int WriteAllAt(int fd, std::uint64_t offset, std::span<const unsigned char> bytes);
int ReadAllAt(int fd, std::uint64_t offset, std::span<unsigned char> bytes);

// "<path>: <reason>" for messages.
std::string WithReason(const std::string& text, int error_number);

// The file a path stands for once every symbolic link on its last part is followed (a link to a
// link, a link relative to its folder), whether that file exists or not; the path itself when it
// is no link. A chain that does not end (a loop) stops after 40 links.
std::string FollowSymbolicLinks(const std::string& path);

}  // namespace trackmint
