#include "support/directory_names.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace trackmint::testing {

std::vector<std::string> DirectoryNames(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> LeftOverNames(const std::string& directory) {
  std::vector<std::string> names;
  for (const std::string& name : DirectoryNames(directory)) {
    if (name.rfind(".trackmint-", 0) == 0) names.push_back(name);
  }
  return names;
}

void MakeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (fd < 0 || path.size() >= sizeof address.sun_path) throw std::runtime_error("no socket");
  std::strcpy(address.sun_path, path.c_str());
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  if (!bound) throw std::runtime_error("cannot bind " + path);
}

}  // namespace trackmint::testing
