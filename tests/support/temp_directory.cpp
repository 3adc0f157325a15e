#include "support/temp_directory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace trackmint::testing {

TempDirectory::TempDirectory() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/trackmint-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = buffer.data();
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  // Tests may have taken permissions away to provoke failures; give them back first.
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(m_path, ignored);
}

}  // namespace trackmint::testing
