#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace trackmint::testing {

// Changes the process's working directory for one test and goes back when the object goes.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& path)
      : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~ScopedWorkingDirectory() { std::filesystem::current_path(m_previous); }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path m_previous;
};

// Sets an environment variable (unsets it for nullptr) for one test and puts the old value back
// when the object goes.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    Set(value);
  }
  ~ScopedEnvironment() { Set(m_old ? m_old->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Set(const char* value) {
    if (value == nullptr) {
      unsetenv(m_name.c_str());
    } else {
      setenv(m_name.c_str(), value, 1);
    }
  }

  std::string m_name;
  std::optional<std::string> m_old;
};

}  // namespace trackmint::testing
