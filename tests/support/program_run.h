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

// A program started as RunProgram starts it, that the test may send signals while it runs.
class RunningProgram {
 public:
  RunningProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& directory,
                 const std::map<std::string, std::string>& environment = {});
  // Kills the program if the test did not wait for it.
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  void Signal(int signal_number) const;
  // Waits until the program has a handler of its own for the signal (the kernel lists it as
  // caught), so that a signal sent then meets the program's handling, not the default that ends
  // it at once. False when it did not within the seconds, or ended first.
  bool WaitUntilItCatches(int signal_number, int seconds = 60) const;
  // Waits for the end; a program that has not ended within the seconds is killed (exit -1).
  ProgramResult Wait(int seconds = 120);

 private:
  std::string m_capture;  // a private directory for the captured output
  int m_pid = -1;
};

}  // namespace trackmint::testing
