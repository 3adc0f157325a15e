#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_observer.h"

namespace trackmint {

// The input name that stands for standard input; a file of that name is "./-".
inline constexpr std::string_view kStandardInputName = "-";

// A log that could not be opened, and the system's reason.
struct InputFailure {
  std::string path;
  int error_number = 0;
};

// The logs of one run in the order given, all opened before anything is written, so that a
// missing or unreadable one stops the run at once. A FIFO is checked at once but opened only when
// its turn comes: opening one waits for a writer, and one writer may feed the FIFOs one by one.
class LogInputs {
 public:
  // Opens the logs until one cannot be opened, which it returns. An empty path names no file.
  std::optional<InputFailure> Open(const std::vector<std::string>& paths);

  std::size_t Count() const { return m_logs.size(); }
  const std::string& Path(std::size_t index) const;
  // The log open for reading; a FIFO is opened now, where a signal gives the observer its turn.
  // A FIFO that cannot be opened throws "Can't open the input file <path>: <reason>".
  std::FILE* File(std::size_t index, RunObserver& observer);
  void Close(std::size_t index);
  void CloseAll();

  // The sum of the logs' sizes, or nothing when one of them has none (a pipe, a FIFO, a terminal).
  // A regular file's size counts from where standard input stands in it.
  std::optional<std::uint64_t> TotalSize() const;
  // For the KMZ's check that it never replaces its input: the descriptor of the log that is the
  // file at path, or else the first log's; -1 when no log is open.
  int DescriptorMatching(const std::string& path) const;
  // The paths joined by ", ", for messages about the logs as a whole.
  std::string Names() const;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  struct Log {
    std::string path;
    std::unique_ptr<std::FILE, FileCloser> file;
    bool waiting_fifo = false;  // opened only at its turn
    std::optional<std::uint64_t> size;
  };

  std::vector<Log> m_logs;
};

}  // namespace trackmint
