#include "run/log_inputs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "base/file_io.h"
#include "base/trackmint_error.h"

namespace trackmint {
namespace {

// What is left to read of a regular file from the descriptor's offset; nothing for any other kind
// of file, whose size is not what it will give.
std::optional<std::uint64_t> SizeToRead(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const off_t offset = ::lseek(fd, 0, SEEK_CUR);
  if (offset < 0 || offset > info.st_size) return 0;
  return static_cast<std::uint64_t>(info.st_size - offset);
}

}  // namespace

std::optional<InputFailure> LogInputs::Open(const std::vector<std::string>& paths) {
  if (paths.empty()) return InputFailure{{}, ENOENT};
  for (const std::string& path : paths) {
    Log log;
    log.path = path;
    if (path.empty()) return InputFailure{path, ENOENT};
    if (path == kStandardInputName) {
      // A descriptor of its own, so that closing the log leaves standard input as it was.
      const int fd = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
      if (fd < 0) return InputFailure{path, errno};
      log.file.reset(::fdopen(fd, "rb"));
      if (!log.file) {
        const int error = errno;
        ::close(fd);
        return InputFailure{path, error};
      }
    } else {
      struct stat info {};
      if (::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
        if (::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) != 0) {
          return InputFailure{path, errno};
        }
        log.waiting_fifo = true;
      } else {
        log.file.reset(std::fopen(path.c_str(), "rb"));
        if (!log.file) return InputFailure{path, errno};
      }
    }
    if (log.file) log.size = SizeToRead(fileno(log.file.get()));
    m_logs.push_back(std::move(log));
  }
  return std::nullopt;
}

const std::string& LogInputs::Path(std::size_t index) const {
  return m_logs.at(index).path;
}

std::FILE* LogInputs::File(std::size_t index, RunObserver& observer) {
  Log& log = m_logs.at(index);
  while (log.waiting_fifo) {
    log.file.reset(std::fopen(log.path.c_str(), "rb"));
    if (log.file) {
      log.waiting_fifo = false;
    } else if (errno == EINTR) {
      // Waiting for the writer: a request to stop ends the run here.
      observer.TakeTurn();
    } else {
      throw TrackmintError(WithReason("Can't open the input file " + log.path, errno));
    }
  }
  if (!log.file) throw std::logic_error("the log " + log.path + " was closed before its turn");
  return log.file.get();
}

void LogInputs::Close(std::size_t index) {
  Log& log = m_logs.at(index);
  log.file.reset();
  log.waiting_fifo = false;
}

void LogInputs::CloseAll() {
  for (std::size_t i = 0; i < m_logs.size(); ++i) Close(i);
}

std::optional<std::uint64_t> LogInputs::TotalSize() const {
  std::uint64_t total = 0;
  for (const Log& log : m_logs) {
    if (!log.size) return std::nullopt;
    total += *log.size;
  }
  return total;
}

int LogInputs::DescriptorMatching(const std::string& path) const {
  int first = -1;
  struct stat target {};
  const bool exists = ::stat(path.c_str(), &target) == 0;
  for (const Log& log : m_logs) {
    if (!log.file) continue;
    const int fd = fileno(log.file.get());
    if (first < 0) first = fd;
    struct stat info {};
    if (exists && ::fstat(fd, &info) == 0 && info.st_dev == target.st_dev &&
        info.st_ino == target.st_ino) {
      return fd;
    }
  }
  return first;
}

std::string LogInputs::Names() const {
  std::string names;
  for (const Log& log : m_logs) {
    if (!names.empty()) names += ", ";
    names += log.path;
  }
  return names;
}

}  // namespace trackmint
