// Kelvra Trackmint: the program's entry. With an input and an output file on the command line it
// converts once without any window; otherwise it opens the window, with the log named alone in
// its Input field.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/batch_mode.h"
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/error_text.h"
#include "app/stop_signals.h"
#include "base/clock.h"
#include "base/paths.h"
#include "nmea/nmea.h"

#ifdef TRACKMINT_WITH_WINDOW
#include "app/window/run_window.h"
#endif

int main(int argc, char** argv) {
  using namespace trackmint;
  // The one sentence assembler of the process; every run resets it.
  NMEA assembler;
  IgnoreFileSizeSignal();

  const CommandLine command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (command.mode) {
    case CommandLine::Mode::Help:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case CommandLine::Mode::Version:
      std::printf("%s\n", kWindowCaption);
      return 0;
    case CommandLine::Mode::UsageError:
      std::fprintf(stderr, "%s: %s\n\n%s", kApplicationTitle, command.error.c_str(),
                   UsageText().c_str());
      return kUsageErrorStatus;
    case CommandLine::Mode::Batch: {
      const SystemClock clock;
      std::string executable_path;
      try {
        executable_path = ExecutablePath();
      } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", kApplicationTitle, error.what());
        return 1;
      }
      return RunBatch(command, executable_path, assembler, clock, stdout, stderr);
    }
    case CommandLine::Mode::Window:
      break;
  }
  // A log named alone is for the window (a file manager's "Open with"); without a display it is
  // a command line that converts nothing, and says how it would.
  const std::string& log = command.window_log;
  const bool has_window =
#ifdef TRACKMINT_WITH_WINDOW
      DisplayAvailable([](const char* name) { return std::getenv(name); });
#else
      false;
#endif
  if (!log.empty() && !has_window) {
    std::fprintf(stderr,
                 "%s: no window to open %s in; to convert it here: trackmint %s %s.kmz\n\n%s",
                 kApplicationTitle, log.c_str(), log.c_str(), log.c_str(), UsageText().c_str());
    return kUsageErrorStatus;
  }
#ifdef TRACKMINT_WITH_WINDOW
  return RunWindow(argc, argv, assembler, log);
#else
  std::fprintf(stderr,
               "%s: this build has no window; convert a log with: trackmint IN OUT [SETTINGS]\n",
               kApplicationTitle);
  return 1;
#endif
}
