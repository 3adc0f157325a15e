#pragma once

#include <string>

namespace trackmint::testing {

// A fresh directory under the system's temporary directory, removed with all it holds when the
// object goes. path() ends without a separator.
class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

}  // namespace trackmint::testing
