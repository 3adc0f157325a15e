#pragma once

#include <string>
#include <vector>

namespace trackmint {

// What the command line asks for. Empty arguments count as none.
struct CommandLine {
  enum class Mode { Window, Batch, Help, Version };
  Mode mode = Mode::Window;
  std::string input;     // first argument
  std::string output;    // second argument
  std::string settings;  // third argument, or empty
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text printed for --help.
std::string UsageText();

}  // namespace trackmint
