#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace trackmint::testing {

// Standard input replaced by a pipe for the object's life; a thread writes the bytes into it and
// closes it. Standard input comes back when the object goes, which also stops a writer whose
// reader never came.
class StandardInputFeed {
 public:
  explicit StandardInputFeed(std::string bytes);
  ~StandardInputFeed();
  StandardInputFeed(const StandardInputFeed&) = delete;
  StandardInputFeed& operator=(const StandardInputFeed&) = delete;

 private:
  int m_saved = -1;
  std::thread m_writer;
};

// One writer thread that feeds FIFOs in turn, as a script that writes one FIFO after the other
// does: it opens the first (waiting for its reader), writes all its bytes, closes it, then goes on
// to the next. It gives up after a minute rather than hang the test; Complete() says whether every
// byte went out.
class FifoFeed {
 public:
  explicit FifoFeed(std::vector<std::pair<std::string, std::string>> fifos_and_bytes);
  ~FifoFeed();
  FifoFeed(const FifoFeed&) = delete;
  FifoFeed& operator=(const FifoFeed&) = delete;

  // Waits for the writer.
  bool Complete();

 private:
  std::atomic<bool> m_complete{false};
  std::thread m_writer;
};

}  // namespace trackmint::testing
