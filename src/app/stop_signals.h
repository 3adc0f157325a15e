#pragma once

#include <array>
#include <csignal>

#include "base/trackmint_error.h"

namespace trackmint {

inline constexpr std::size_t kStopSignalCount = 3;  // SIGINT, SIGTERM, SIGHUP

// A batch run that a signal (SIGINT, SIGTERM, SIGHUP) told to stop. Its message is what the user
// reads; the exit status is the one shells give for the signal.
class Interrupted : public TrackmintError {
 public:
  explicit Interrupted(int signal_number)
      : TrackmintError("interrupted"), m_signal_number(signal_number) {}
  int ExitStatus() const { return 128 + m_signal_number; }

 private:
  int m_signal_number;
};

// While this object lives, SIGINT, SIGTERM and SIGHUP only note that the run should stop; the
// run stops at its next turn (ThrowIfStopRequested), so that its files are discarded by their
// owners on the way out and the earlier KMZ stays. The signals' former handlers come back when
// the object goes.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  std::array<struct sigaction, kStopSignalCount> m_former_actions{};
};

// Throws Interrupted when one of the signals arrived.
void ThrowIfStopRequested();

// A file-size limit or a full disk must reach the writer as an error it can report, not kill the
// process without a word.
void IgnoreFileSizeSignal();

}  // namespace trackmint
