#pragma once

#include <map>
#include <string>
#include <vector>

namespace trackmint::testing {

struct ProgramResult {
  int exit_status = -1;  // -1 when the program did not exit normally (a signal)
  std::string out;
  std::string err;
};

// Runs a program with the arguments in the directory, its standard output and error captured.
// Variables in `environment` are set for it (an empty value unsets the variable).
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& directory,
                         const std::map<std::string, std::string>& environment = {});

}  // namespace trackmint::testing
