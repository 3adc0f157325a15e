#include "app/batch_mode.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "app/batch_progress.h"
#include "app/error_text.h"
#include "app/run_settings.h"
#include "app/run_texts.h"
#include "app/stop_signals.h"
#include "app/summary_json.h"
#include "app/summary_text.h"
#include "base/classic_system_colours.h"
#include "base/paths.h"
#include "base/trackmint_error.h"
#include "run/conversion_run.h"
#include "settings/plain_settings.h"
#include "settings/settings_file.h"

namespace trackmint {
namespace {

int Failure(std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s: %s\n", kApplicationTitle, ErrorDisplayText(message).c_str());
  return 1;
}

// The settings the command line names, or the user's default settings file; the built-in
// defaults when there is neither. A named file that is not there is said, not silently replaced.
void LoadBatchSettings(const CommandLine& command, const std::string& executable_path,
                       PlainSettings& settings, std::FILE* err) {
  SettingValues loaded;
  if (command.settings.empty()) {
    LoadSettings(DefaultSettingsPath(executable_path), settings, loaded);
    return;
  }
  const std::string path = FullPath(command.settings);
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    std::fprintf(err, "%s: no settings file %s; the default settings are used\n", kApplicationTitle,
                 path.c_str());
  }
  LoadSettings(path, settings, loaded);
}

std::string FileErrorText(const std::string& failure, const RunResult& result) {
  return failure + " " + result.failed_path + ": " + std::strerror(result.error_number);
}

// The files as the command line names them, relative names from the current directory, and the
// settings as loaded; the fix classes keep the colours the window opens with, and system colours
// take their classic values, as there is no desktop to ask.
ConversionRequest BatchRequest(const CommandLine& command, const SettingValues& values) {
  ConversionRequest request;
  request.input_paths = {FullPath(command.input)};
  request.kmz_path = FullPath(command.output);
  request.member_name = DocumentMemberName(request.kmz_path);
  request.settings = SettingsForRun(values, DesignClassColours(), ClassicSystemColour);
  request.deflate_workers = command.threads;
  return request;
}

}  // namespace

int RunBatch(const CommandLine& command, const std::string& executable_path, NMEA& assembler,
             const Clock& clock, std::FILE* out, std::FILE* err) {
  std::string result_line;
  std::string warning;
  std::vector<std::string> summary;
  try {
    const StopSignals stop_signals;
    // Nothing is saved back in this mode.
    PlainSettings settings;
    LoadBatchSettings(command, executable_path, settings, err);

    const ConversionRequest request = BatchRequest(command, settings.Values());
    // The progress line is gone before anything else is printed.
    BatchProgress progress(!command.quiet && isatty(fileno(err)) ? err : nullptr);
    const RunResult result = RunConversion(request, progress, assembler, clock);
    switch (result.outcome) {
      case RunOutcome::Finished:
        if (command.json) {
          result_line = SummaryJson(result.summary, request.kmz_path, request.input_paths.front());
        } else {
          result_line = request.kmz_path + ": " + WaypointsText(result.summary.placemarks);
          if (!command.quiet) summary = SummaryLines(result.summary);
        }
        if (result.summary.placemarks == 0)
          warning = "no epoch in " + request.input_paths.front() + " has a usable fix";
        break;
      case RunOutcome::InputNotOpened:
      case RunOutcome::OutputNotCreated:
        throw TrackmintError(FileErrorText(std::string(PhaseText(progress.Phase())), result));
    }
  } catch (const Interrupted& interrupted) {
    std::fprintf(err, "%s: %s\n", kApplicationTitle, interrupted.what());
    return interrupted.ExitStatus();
  } catch (const TrackmintError& error) {
    return Failure(err, error.what());
  } catch (const std::bad_alloc&) {
    return Failure(err, "Not enough memory for this log");
  } catch (const std::exception& error) {
    return Failure(err, error.what());
  }
  std::fprintf(out, "%s\n", result_line.c_str());
  std::fflush(out);
  if (!warning.empty()) std::fprintf(err, "%s: %s\n", kApplicationTitle, warning.c_str());
  for (const std::string& line : summary) std::fprintf(err, "%s\n", line.c_str());
  return 0;
}

}  // namespace trackmint
