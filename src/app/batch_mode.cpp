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
#include "base/number_format.h"
#include "base/paths.h"
#include "base/trackmint_error.h"
#include "run/conversion_run.h"
#include "settings/plain_settings.h"
#include "settings/settings_file.h"
#include "settings/stored_settings.h"

namespace trackmint {
namespace {

int Failure(std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s: %s\n", kApplicationTitle, ErrorDisplayText(message).c_str());
  return 1;
}

void Warn(std::FILE* err, const std::string& warning) {
  std::fprintf(err, "%s: %s\n", kApplicationTitle, warning.c_str());
}

// The settings the command line names, or the user's default settings file; the built-in
// defaults when there is neither. A named file that is not there is said, not silently replaced,
// and so is a value in it that cannot stand. The options for the time window and the arrow
// interval stand for the file's keys in this run.
SettingValues LoadBatchSettings(const CommandLine& command, const std::string& executable_path,
                                std::FILE* err) {
  PlainSettings settings;
  SettingValues loaded;
  std::string path = DefaultSettingsPath(executable_path);
  if (!command.settings.empty()) {
    path = FullPath(command.settings);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
      Warn(err, "no settings file " + path + "; the default settings are used");
    }
  }
  for (const std::string& warning : LoadSettings(path, settings, loaded)) Warn(err, warning);
  SettingValues values = settings.Values();
  if (command.interval) values.arrow_interval_text = *command.interval;
  if (command.from) values.from_time_text = *command.from;
  if (command.to) values.to_time_text = *command.to;
  return values;
}

bool TableToStandardOutput(const CommandLine& command) {
  return command.csv == "-";
}

std::string JoinedPaths(const std::vector<std::string>& paths) {
  std::string joined;
  for (const std::string& path : paths) joined += (joined.empty() ? "" : ", ") + path;
  return joined;
}

// The logs of a run of several, in their order.
std::string LogsLine(const std::vector<std::string>& paths) {
  return "Logs: " + FormatDecimal(static_cast<long long>(paths.size())) + " (" +
         JoinedPaths(paths) + ")";
}

std::string FileErrorText(const std::string& failure, const RunResult& result) {
  return failure + " " + result.failed_path + ": " + std::strerror(result.error_number);
}

// The files as the command line names them, relative names from the current directory, and the
// settings as loaded; the fix classes keep the colours the window opens with, and system colours
// take their classic values, as there is no desktop to ask.
// "-" stands for standard input or output, and stays as it is.
std::string PathOf(const std::string& name) {
  return name == "-" ? name : FullPath(name);
}

ConversionRequest BatchRequest(const CommandLine& command, const SettingValues& values) {
  ConversionRequest request;
  for (const std::string& input : command.inputs) request.input_paths.push_back(PathOf(input));
  request.kmz_path = FullPath(command.output);
  request.member_name = DocumentMemberName(request.kmz_path);
  request.settings = SettingsForRun(values, DesignClassColours(), ClassicSystemColour);
  if (command.preview) request.picture_path = FullPath(*command.preview);
  if (command.csv) request.table_path = PathOf(*command.csv);
  request.deflate_workers = command.threads;
  return request;
}

}  // namespace

int RunBatch(const CommandLine& command, const std::string& executable_path, NMEA& assembler,
             const Clock& clock, std::FILE* out, std::FILE* err) {
  std::string result_line;
  std::string table;
  std::vector<std::string> warnings;
  std::vector<std::string> summary;
  try {
    const StopSignals stop_signals;
    // Nothing is saved back in this mode.
    const SettingValues values = LoadBatchSettings(command, executable_path, err);
    const ConversionRequest request = BatchRequest(command, values);
    // The progress line is gone before anything else is printed.
    BatchProgress progress(!command.quiet && isatty(fileno(err)) ? err : nullptr);
    RunResult result = RunConversion(request, progress, assembler, clock);
    switch (result.outcome) {
      case RunOutcome::Finished:
        table = std::move(result.table);
        if (command.json) {
          result_line = SummaryJson(result.summary, {request.kmz_path, request.input_paths,
                                                     request.picture_path, request.table_path});
        } else {
          result_line = request.kmz_path + ": " + WaypointsText(result.summary.placemarks);
          if (!command.quiet) {
            if (request.input_paths.size() > 1) summary.push_back(LogsLine(request.input_paths));
            for (std::string& line : SummaryLines(result.summary))
              summary.push_back(std::move(line));
            if (const std::optional<std::string> hint = ViewingHint(result.summary)) {
              summary.push_back(*hint);
            }
          }
        }
        if (result.summary.placemarks == 0) {
          warnings.push_back("no epoch in " + JoinedPaths(request.input_paths) +
                             " has a usable fix");
        }
        if (const std::optional<std::string> note =
                FixedDateNote(result.summary, values.fixed_date_text)) {
          warnings.push_back(*note);
        }
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
  // A table on standard output has it to itself; the result line goes to standard error then.
  if (TableToStandardOutput(command)) {
    std::fwrite(table.data(), 1, table.size(), out);
    std::fprintf(err, "%s\n", result_line.c_str());
  } else {
    std::fprintf(out, "%s\n", result_line.c_str());
  }
  std::fflush(out);
  for (const std::string& warning : warnings) Warn(err, warning);
  for (const std::string& line : summary) std::fprintf(err, "%s\n", line.c_str());
  return 0;
}

}  // namespace trackmint
