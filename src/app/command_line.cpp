#include "app/command_line.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "app/error_text.h"
#include "base/time_window.h"

namespace trackmint {
namespace {

constexpr std::size_t kMaxOperands = 3;

CommandLine UsageError(std::string error) {
  CommandLine command;
  command.mode = CommandLine::Mode::UsageError;
  command.error = std::move(error);
  return command;
}

// The number of --threads: a whole number from 1 up, digits only.
bool TakeThreads(const std::string& value, CommandLine& command) {
  unsigned count = 0;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, count);
  if (value.empty() || error != std::errc() || stop != end || count == 0) return false;
  command.threads = count;
  return true;
}

bool TakeInterval(const std::string& value, CommandLine& command) {
  if (!ParseArrowInterval(value)) return false;
  command.interval = value;
  return true;
}

bool TakeFrom(const std::string& value, CommandLine& command) {
  if (!ParseTimeBound(value)) return false;
  command.from = value;
  return true;
}

bool TakeTo(const std::string& value, CommandLine& command) {
  if (!ParseTimeBound(value)) return false;
  command.to = value;
  return true;
}

bool TakePreview(const std::string& value, CommandLine& command) {
  if (value.empty()) return false;
  command.preview = value;
  return true;
}

bool TakeCsv(const std::string& value, CommandLine& command) {
  if (value.empty()) return false;
  command.csv = value;
  return true;
}

bool TakeOutput(const std::string& value, CommandLine& command) {
  if (value.empty()) return false;
  command.output = value;
  return true;
}

bool TakeSettings(const std::string& value, CommandLine& command) {
  if (value.empty()) return false;
  command.settings = value;
  return true;
}

// An option that takes a value: what a missing value is told it needs, what a wrong one is told
// it should be, and what to do with a right one.
struct ValuedOption {
  std::string_view name;
  std::string_view needs;
  std::string_view takes;
  bool (*take)(const std::string& value, CommandLine& command);
};

constexpr std::string_view kWhen =
    "a time hh:mm[:ss[.fff]] or a date-time yyyy-mm-ddThh:mm[:ss[.fff]]";

constexpr ValuedOption kValuedOptions[] = {
    {"--threads", "a number", "a whole number from 1 up", TakeThreads},
    {"--interval", "a number of seconds", "seconds from 0 to 86400 with at most three decimals",
     TakeInterval},
    {"--from", "a time", kWhen, TakeFrom},
    {"--to", "a time", kWhen, TakeTo},
    {"--preview", "a file name", "the name of the PNG file to write", TakePreview},
    {"--csv", "a file name", "the name of the CSV file to write, or - for standard output",
     TakeCsv},
    {"--output", "a file name", "the name of the KMZ file to write", TakeOutput},
    {"-o", "a file name", "the name of the KMZ file to write", TakeOutput},
    {"--settings", "a file name", "the name of a settings file", TakeSettings},
};

// The option an argument names, alone or, for a long one, joined to its value by "=".
const ValuedOption* ValuedOptionOf(const std::string& argument) {
  for (const ValuedOption& option : kValuedOptions) {
    const bool is_long = option.name.starts_with("--");
    if (argument == option.name ||
        (is_long && argument.starts_with(option.name) && argument.size() > option.name.size() &&
         argument[option.name.size()] == '=')) {
      return &option;
    }
  }
  return nullptr;
}

constexpr std::string_view kStandardInput = "-";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  std::vector<std::string> operands;
  bool help = false;
  bool version = false;
  std::string first_error;
  const auto error = [&first_error](std::string text) {
    if (first_error.empty()) first_error = std::move(text);
  };
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.empty()) continue;
    if (options_ended || argument.front() != '-' || argument == kStandardInput) {
      operands.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--quiet" || argument == "-q") {
      command.quiet = true;
    } else if (argument == "--json") {
      command.json = true;
    } else if (const ValuedOption* option = ValuedOptionOf(argument)) {
      const bool joined = argument.size() > option->name.size();
      if (!joined && i + 1 == arguments.size()) {
        error(std::string(option->name) + " needs " + std::string(option->needs));
        continue;
      }
      const std::string value = joined ? argument.substr(option->name.size() + 1) : arguments[++i];
      if (!option->take(value, command)) {
        error(std::string(option->name) + " takes " + std::string(option->takes) + ", not \"" +
              value + "\"");
      }
    } else {
      error("unknown option " + argument);
    }
  }

  if (help) {
    command.mode = CommandLine::Mode::Help;
    return command;
  }
  if (version) {
    command.mode = CommandLine::Mode::Version;
    return command;
  }
  if (!first_error.empty()) return UsageError(first_error);
  const bool named_output = !command.output.empty();
  if (named_output) {
    // -o OUT IN...: every operand is a log.
    if (operands.empty()) return UsageError("no log to convert into " + command.output);
    command.inputs = operands;
  } else if (operands.size() > kMaxOperands) {
    return UsageError("too many arguments: at most IN, OUT and SETTINGS (or -o OUT IN...)");
  } else if (operands.size() >= 2) {
    command.inputs = {operands[0]};
    command.output = operands[1];
    if (operands.size() == 3) {
      if (!command.settings.empty())
        return UsageError("two settings files: SETTINGS and --settings");
      command.settings = operands[2];
    }
  } else {
    if (operands.size() == 1) command.window_log = operands[0];
    return command;
  }
  if (command.output == kStandardInput) {
    return UsageError("the KMZ cannot go to standard output: name a file for OUT");
  }
  if (std::count(command.inputs.begin(), command.inputs.end(), kStandardInput) > 1) {
    return UsageError("standard input (-) can be read only once");
  }
  if (command.json && command.csv == kStandardInput) {
    return UsageError("--json and --csv - would both write to standard output");
  }
  command.mode = CommandLine::Mode::Batch;
  return command;
}

std::string UsageText() {
  return std::string(kWindowCaption) +
         "\n"
         "Converts a GNSS receiver's NMEA 0183 log into a KMZ file for a virtual globe.\n"
         "\n"
         "Usage:\n"
         "  trackmint [LOG]                open the window, with LOG in its Input field\n"
         "  trackmint [OPTION...] [--] IN OUT [SETTINGS]\n"
         "                                 convert the log IN into the KMZ file OUT, without a "
         "window\n"
         "  trackmint [OPTION...] -o OUT [--settings FILE] [--] IN...\n"
         "                                 convert the logs IN..., one after the other, into OUT\n"
         "  trackmint --help | --version\n"
         "\n"
         "IN may be \"-\" for standard input (\"./-\" is a file of that name); logs compressed\n"
         "with gzip, bzip2, xz or zstd are read as they are.\n"
         "\n"
         "Options, anywhere on the line:\n"
         "  -q, --quiet   no summary of the run and no progress line\n"
         "  --json        one JSON object on standard output instead of the result line and\n"
         "                the summary\n"
         "  --interval SECONDS\n"
         "                one arrow a slot of that many seconds (up to three decimals), every\n"
         "                change of fix class kept; 0 keeps every arrow; the tracks keep every\n"
         "                epoch\n"
         "  --from WHEN, --to WHEN\n"
         "                only the epochs from, and up to, WHEN (both included): a time of day\n"
         "                hh:mm[:ss[.fff]] in UTC, or a date-time yyyy-mm-ddThh:mm[:ss[.fff]][Z];\n"
         "                --from 23:00 --to 01:00 runs across midnight\n"
         "  --preview FILE.png\n"
         "                also draw the run's picture: the track coloured by fix class, the\n"
         "                classes over time and the satellites used, 1200x800 pixels\n"
         "  --csv FILE    also write a table of the placemarks, CSV; - for standard output\n"
         "  --threads N   deflate the document on N threads (at most 8); the default is one\n"
         "                a core, up to 8: give 1 when converting several logs side by side\n"
         "  --            the end of the options, for names that start with \"-\"\n"
         "\n"
         "Relative names are taken from the current directory. SETTINGS is a settings file as\n"
         "the window saves it; without it the default settings file is used\n"
         "($XDG_CONFIG_HOME/kelvra-trackmint/trackmint.ini, or ~/.config/... when the variable\n"
         "is unset), and the built-in defaults when there is none. --interval, --from and --to\n"
         "stand for the file's ArrowInterval, FromTime and ToTime in this run.\n"
         "The exit status is 0 when the KMZ file was written, 1 when it was not and 2 for a\n"
         "wrong command line; messages and the summary go to standard error, and the KMZ's path\n"
         "and the number of waypoints to standard output.\n"
         "The settings file's keys, the JSON keys and examples: see trackmint(1).\n";
}

}  // namespace trackmint
