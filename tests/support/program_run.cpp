#include "support/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "support/fixtures.h"
#include "support/temp_directory.h"

namespace trackmint::testing {

RunningProgram::RunningProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& directory,
                               const std::map<std::string, std::string>& environment) {
  char capture[] = "/tmp/trackmint-run-XXXXXX";
  if (mkdtemp(capture) == nullptr) throw std::runtime_error("no capture directory");
  m_capture = capture;
  const std::string out_path = m_capture + "/out";
  const std::string err_path = m_capture + "/err";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  m_pid = fork();
  if (m_pid < 0) throw std::runtime_error("fork failed");
  if (m_pid == 0) {
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(directory.c_str()) != 0)
      _exit(127);
    for (const auto& [name, value] : environment) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
}

RunningProgram::~RunningProgram() {
  if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  std::filesystem::remove_all(m_capture);
}

void RunningProgram::Signal(int signal_number) const {
  if (m_pid > 0) kill(m_pid, signal_number);
}

bool RunningProgram::WaitUntilItCatches(int signal_number, int seconds) const {
  const std::string status_path = "/proc/" + std::to_string(m_pid) + "/status";
  for (int waited = 0; waited < seconds * 100; ++waited) {
    std::ifstream status(status_path);
    for (std::string line; std::getline(status, line);) {
      if (!line.starts_with("SigCgt:")) continue;
      const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
      if (caught >> (signal_number - 1) & 1) return true;
    }
    if (!status.is_open()) return false;
    usleep(10000);
  }
  return false;
}

ProgramResult RunningProgram::Wait(int seconds) {
  ProgramResult result;
  int status = 0;
  for (int waited = 0;; ++waited) {
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid) break;
    if (waited >= seconds * 100) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, &status, 0);
      status = -1;
      break;
    }
    usleep(10000);
  }
  m_pid = -1;
  result.exit_status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadWholeFile(m_capture + "/out");
  result.err = ReadWholeFile(m_capture + "/err");
  return result;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& directory,
                         const std::map<std::string, std::string>& environment) {
  RunningProgram running(program, arguments, directory, environment);
  // No test program may hang the suite; a run of minutes is a failure in itself.
  return running.Wait(600);
}

}  // namespace trackmint::testing
