#include "app/command_line.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "app/error_text.h"

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
std::optional<unsigned> ThreadCount(std::string_view text) {
  unsigned count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || count == 0) {
    return std::nullopt;
  }
  return count;
}

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
    if (options_ended || argument.front() != '-') {
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
    } else if (argument == "--threads" || argument.starts_with("--threads=")) {
      const bool joined = argument.size() > std::string_view("--threads").size();
      if (!joined && i + 1 == arguments.size()) {
        error("--threads needs a number");
        continue;
      }
      const std::string value = joined ? argument.substr(argument.find('=') + 1) : arguments[++i];
      if (const std::optional<unsigned> count = ThreadCount(value)) {
        command.threads = *count;
      } else {
        error("--threads takes a whole number from 1 up, not \"" + value + "\"");
      }
    } else {
      error("unknown option " + argument);
    }
  }

  if (help) {
    command.mode = CommandLine::Mode::Help;
  } else if (version) {
    command.mode = CommandLine::Mode::Version;
  } else if (!first_error.empty()) {
    return UsageError(first_error);
  } else if (operands.size() > kMaxOperands) {
    return UsageError("too many arguments: at most IN, OUT and SETTINGS");
  } else if (operands.size() >= 2) {
    command.mode = CommandLine::Mode::Batch;
    command.input = operands[0];
    command.output = operands[1];
    if (operands.size() == 3) command.settings = operands[2];
  }
  return command;
}

std::string UsageText() {
  return std::string(kWindowCaption) +
         "\n"
         "Converts a GNSS receiver's NMEA 0183 log into a KMZ file for a virtual globe.\n"
         "\n"
         "Usage:\n"
         "  trackmint                      open the window\n"
         "  trackmint [--] IN OUT [SETTINGS]\n"
         "                                 convert the log IN into the KMZ file OUT, without a "
         "window\n"
         "  trackmint --help | --version\n"
         "\n"
         "Options, anywhere on the line:\n"
         "  -q, --quiet   no summary of the run and no progress line\n"
         "  --json        one JSON object on standard output instead of the result line and\n"
         "                the summary\n"
         "  --threads N   deflate the document on N threads (at most 8); the default is one\n"
         "                a core, up to 8: give 1 when converting several logs side by side\n"
         "  --            the end of the options, for names that start with \"-\"\n"
         "\n"
         "Relative names are taken from the current directory. SETTINGS is a settings file as\n"
         "the window saves it; without it the default settings file is used\n"
         "($XDG_CONFIG_HOME/kelvra-trackmint/trackmint.ini, or ~/.config/... when the variable\n"
         "is unset), and the built-in defaults when there is none.\n"
         "The exit status is 0 when the KMZ file was written, 1 when it was not and 2 for a\n"
         "wrong command line; messages and the summary go to standard error, and the KMZ's path\n"
         "and the number of waypoints to standard output.\n"
         "The settings file's keys, the JSON keys and examples: see trackmint(1).\n";
}

}  // namespace trackmint
