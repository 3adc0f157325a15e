#include "app/batch_mode.h"

#include <unistd.h>

#include <exception>
#include <new>
#include <string>

#include "app/batch_host.h"
#include "app/error_text.h"
#include "base/paths.h"
#include "base/trackmint_error.h"
#include "run/conversion_run.h"
#include "settings/settings_file.h"

namespace trackmint {
namespace {

int Failure(std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s: %s\n", kApplicationTitle, ErrorDisplayText(message).c_str());
  return 1;
}

}  // namespace

int RunBatch(const CommandLine& command, const std::string& executable_path, NMEA& assembler,
             const Clock& clock, std::FILE* out, std::FILE* err) {
  const std::string executable_directory = DirectoryPart(executable_path);
  std::string result;
  try {
    // A settings name is taken from the current directory; without one ("./" names no file) the
    // defaults apply. Nothing is saved back in this mode.
    PlainSettingsControls settings;
    LoadedSettings loaded;
    LoadSettings(JoinToDirectory("./", command.settings), settings, loaded);

    // The host's progress line is gone before anything else is printed.
    BatchHost host(executable_directory, settings, isatty(fileno(err)) ? err : nullptr);
    host.SetInputText(command.input);
    host.SetOutputText(command.output);
    switch (SpeedButton3Click(host, assembler, clock)) {
      case RunOutcome::Finished:
        result = host.OutputPath() + ": " + host.RightStatus();
        break;
      case RunOutcome::InputNotOpened:
        throw TrackmintError(host.LeftStatus() + " " + host.InputPath());
      case RunOutcome::OutputNotCreated:
        throw TrackmintError(host.LeftStatus() + " " +
                             JoinToDirectory(executable_directory, command.output));
    }
  } catch (const TrackmintError& error) {
    return Failure(err, error.what());
  } catch (const std::bad_alloc&) {
    return Failure(err, "Not enough memory for this log");
  } catch (const std::exception& error) {
    return Failure(err, error.what());
  }
  std::fprintf(out, "%s\n", result.c_str());
  return 0;
}

}  // namespace trackmint
