#include "support/fed_inputs.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <stdexcept>

namespace trackmint::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(60);

// A reader that went away gives EPIPE, not a signal that ends the tests.
void BlockBrokenPipeSignal() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Writes the bytes to the descriptor, which does not block; false when the reader went or the
// deadline passed first.
bool WriteAll(int fd, const std::string& bytes, Clock::time_point deadline) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (count > 0) {
      written += static_cast<std::size_t>(count);
    } else if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd ready{fd, POLLOUT, 0};
      if (::poll(&ready, 1, MillisecondsLeft(deadline)) <= 0 && MillisecondsLeft(deadline) == 0) {
        return false;
      }
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

StandardInputFeed::StandardInputFeed(std::string bytes) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
  m_saved = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
  ::dup2(ends[0], STDIN_FILENO);
  ::close(ends[0]);
  ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
  m_writer = std::thread([fd = ends[1], bytes = std::move(bytes)] {
    BlockBrokenPipeSignal();
    WriteAll(fd, bytes, Clock::now() + kPatience);
    ::close(fd);
  });
}

StandardInputFeed::~StandardInputFeed() {
  if (m_saved >= 0) {
    ::dup2(m_saved, STDIN_FILENO);
    ::close(m_saved);
  } else {
    ::close(STDIN_FILENO);
  }
  m_writer.join();
}

FifoFeed::FifoFeed(std::vector<std::pair<std::string, std::string>> fifos_and_bytes) {
  m_writer = std::thread([this, fifos = std::move(fifos_and_bytes)] {
    BlockBrokenPipeSignal();
    const Clock::time_point deadline = Clock::now() + kPatience;
    bool complete = true;
    for (const auto& [path, bytes] : fifos) {
      // Without a reader the open fails with ENXIO: wait for the reader as a blocking open would.
      int fd = -1;
      while ((fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) < 0 && errno == ENXIO &&
             MillisecondsLeft(deadline) > 0) {
        ::usleep(1000);
      }
      if (fd < 0) {
        complete = false;
        continue;
      }
      complete = WriteAll(fd, bytes, deadline) && complete;
      ::close(fd);
    }
    m_complete = complete;
  });
}

FifoFeed::~FifoFeed() {
  if (m_writer.joinable()) m_writer.join();
}

bool FifoFeed::Complete() {
  if (m_writer.joinable()) m_writer.join();
  return m_complete;
}

}  // namespace trackmint::testing
