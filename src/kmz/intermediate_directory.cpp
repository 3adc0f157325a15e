#include "kmz/intermediate_directory.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "base/paths.h"

namespace trackmint {

std::optional<IntermediateDirectory> IntermediateDirectory::Create(const std::string& kmz_path) {
  const std::string pattern = DirectoryPart(kmz_path) + ".trackmint-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) return std::nullopt;
  return IntermediateDirectory(std::string(buffer.data()));
}

IntermediateDirectory::~IntermediateDirectory() {
  Remove();
}

IntermediateDirectory::IntermediateDirectory(IntermediateDirectory&& other) noexcept
    : m_path(std::move(other.m_path)) {
  other.m_path.clear();
}

IntermediateDirectory& IntermediateDirectory::operator=(IntermediateDirectory&& other) noexcept {
  if (this != &other) {
    Remove();
    m_path = std::move(other.m_path);
    other.m_path.clear();
  }
  return *this;
}

void IntermediateDirectory::Remove() noexcept {
  if (m_path.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
  m_path.clear();
}

}  // namespace trackmint
