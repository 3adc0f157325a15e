#include "base/paths.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "base/trackmint_error.h"

namespace trackmint {
namespace {

std::string_view::size_type LastSeparator(std::string_view path) {
  for (auto i = path.size(); i > 0; --i) {
    if (IsPathSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

}  // namespace

bool IsPathSeparator(char c) {
  if constexpr (kWindowsPaths) return c == '\\' || c == ':' || c == '/';
  return c == '/';
}

std::string DirectoryPart(std::string_view path) {
  const auto separator = LastSeparator(path);
  return separator == std::string_view::npos ? std::string()
                                             : std::string(path.substr(0, separator + 1));
}

std::string FileNamePart(std::string_view path) {
  const auto separator = LastSeparator(path);
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string ExtensionPart(std::string_view path) {
  const std::string name = FileNamePart(path);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  const std::string old_extension = ExtensionPart(path);
  std::string result(path.substr(0, path.size() - old_extension.size()));
  result += extension;
  return result;
}

bool IsAbsolutePath(std::string_view path) {
  if constexpr (kWindowsPaths) {
    return (path.size() >= 2 && path[1] == ':') || path.starts_with("\\\\");
  }
  return path.starts_with('/');
}

std::string JoinToDirectory(std::string_view directory, std::string_view name) {
  if (IsAbsolutePath(name)) return std::string(name);
  std::string joined(directory);
  joined += name;
  return joined;
}

std::string CurrentDirectory() {
  std::array<char, 4096> buffer{};
  if (getcwd(buffer.data(), buffer.size()) == nullptr) {
    throw TrackmintError(std::string("Can't find the current directory: ") + std::strerror(errno));
  }
  std::string directory(buffer.data());
  if (!directory.ends_with('/')) directory += '/';
  return directory;
}

std::string FullPath(std::string_view name) {
  return IsAbsolutePath(name) ? std::string(name) : JoinToDirectory(CurrentDirectory(), name);
}

std::string ExecutablePath() {
  std::array<char, 4096> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) throw TrackmintError("Cannot find the program's own path");
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string ExecutableDirectory() {
  return DirectoryPart(ExecutablePath());
}

}  // namespace trackmint
