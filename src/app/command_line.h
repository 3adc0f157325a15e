#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trackmint {

// What the command line asks for. Empty arguments count as none.
struct CommandLine {
  enum class Mode { Window, Batch, Help, Version, UsageError };
  Mode mode = Mode::Window;
  // The logs, in their order: IN, or every operand after -o OUT; "-" is standard input.
  std::vector<std::string> inputs;
  std::string output;      // OUT: the second operand, or -o OUT
  std::string settings;    // the third operand or --settings FILE; empty for the default
  std::string window_log;  // a single operand: the log the window opens with
  bool quiet = false;      // -q, --quiet: no summary and no progress line
  bool json = false;       // --json: the summary as one JSON object on standard output
  unsigned threads = 0;    // --threads N: the deflate workers; 0 for the default
  // --interval SECONDS, --from WHEN, --to WHEN: checked texts that stand for the settings file's
  // ArrowInterval, FromTime and ToTime in this run.
  std::optional<std::string> interval;
  std::optional<std::string> from;
  std::optional<std::string> to;
  // --preview FILE: the picture of the run, a PNG, written beside the KMZ.
  std::optional<std::string> preview;
  // --csv FILE: a table of the placemarks written; "-" for standard output.
  std::optional<std::string> csv;
  std::string error;  // what is wrong with the line, for a usage error
};

// "--help" or "-h" and "--version" count wherever they stand (help first), as do "-q" or
// "--quiet", "--json" and the options with a value, "--threads N", "--interval SECONDS",
// "--from WHEN", "--to WHEN" and "--preview FILE" (each also as "--option=value"; the last one
// given counts); "--" ends the options, so that a file whose name starts with "-" can be named
// after it. Any other argument that starts with "-" is a usage error, and so are more than three
// operands and an option without its value or with a wrong one. No operand, or one, opens the
// window; two or three convert.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text printed for --help, and on standard error after a usage error.
std::string UsageText();

// The exit status of a usage error, as shell tools use it.
inline constexpr int kUsageErrorStatus = 2;

}  // namespace trackmint
