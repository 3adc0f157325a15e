#pragma once

#include <optional>
#include <string>

namespace trackmint {

// A private directory for the files a run writes before it packs them (the KML document and
// the icons): hidden, with a unique name, beside the KMZ path, so that no file of the user's is
// ever overwritten or deleted. It goes with everything in it when the object goes, whether the
// run finished or failed.
class IntermediateDirectory {
 public:
  // Empty when the directory cannot be made (the KMZ's directory is missing or not writable).
  static std::optional<IntermediateDirectory> Create(const std::string& kmz_path);

  ~IntermediateDirectory();
  IntermediateDirectory(IntermediateDirectory&& other) noexcept;
  IntermediateDirectory& operator=(IntermediateDirectory&& other) noexcept;
  IntermediateDirectory(const IntermediateDirectory&) = delete;
  IntermediateDirectory& operator=(const IntermediateDirectory&) = delete;

  // Without a trailing separator.
  const std::string& path() const { return m_path; }
  // A file inside it.
  std::string File(const std::string& name) const { return m_path + "/" + name; }

 private:
  explicit IntermediateDirectory(std::string path) : m_path(std::move(path)) {}
  void Remove() noexcept;

  std::string m_path;
};

}  // namespace trackmint
