#include "app/command_line.h"

#include "app/error_text.h"

namespace trackmint {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  std::vector<std::string> words;
  for (const std::string& argument : arguments) {
    if (!argument.empty()) words.push_back(argument);
  }
  CommandLine command;
  if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
    command.mode = CommandLine::Mode::Help;
  } else if (words.size() == 1 && words[0] == "--version") {
    command.mode = CommandLine::Mode::Version;
  } else if (words.size() >= 2) {
    // A fourth argument and later ones are ignored.
    command.mode = CommandLine::Mode::Batch;
    command.input = words[0];
    command.output = words[1];
    if (words.size() >= 3) command.settings = words[2];
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
         "  trackmint IN OUT [SETTINGS]    convert the log IN into the KMZ file OUT, without a "
         "window\n"
         "  trackmint --help | --version\n"
         "\n"
         "IN and OUT are taken from the program's own directory unless they are absolute paths;\n"
         "SETTINGS is a settings file taken from the current directory (or an absolute path); "
         "without\n"
         "it, or when it does not exist, the default settings are used.\n"
         "The exit status is 0 when the KMZ file was written and 1 otherwise; messages go to\n"
         "standard error, and the KMZ's path and the number of waypoints to standard output.\n";
}

}  // namespace trackmint
