#include "app/stop_signals.h"

#include <array>
#include <csignal>

namespace trackmint {
namespace {

// The one thing a signal handler may touch. A signal handler cannot reach an object, so this
// is the process-wide note it leaves.
volatile std::sig_atomic_t g_stop_signal = 0;

constexpr std::array<int, kStopSignalCount> kStopSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void NoteStopSignal(int signal_number) {
  g_stop_signal = signal_number;
}

}  // namespace

StopSignals::StopSignals() {
  g_stop_signal = 0;
  struct sigaction action {};
  action.sa_handler = NoteStopSignal;
  sigemptyset(&action.sa_mask);
  // No restart: a read of the log that waits for data (a pipe) returns, and the run looks at the
  // note at once instead of at the next block.
  action.sa_flags = 0;
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    sigaction(kStopSignals[i], &action, &m_former_actions[i]);
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    sigaction(kStopSignals[i], &m_former_actions[i], nullptr);
  }
}

void ThrowIfStopRequested() {
  if (const int signal_number = g_stop_signal) throw Interrupted(signal_number);
}

void IgnoreFileSizeSignal() {
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace trackmint
