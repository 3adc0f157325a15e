#pragma once

#include <string>
#include <vector>

namespace trackmint::testing {

// The names in a directory, sorted; hidden ones included.
std::vector<std::string> DirectoryNames(const std::string& directory);
// The hidden names this program uses for its unfinished files.
std::vector<std::string> LeftOverNames(const std::string& directory);

// A file that exists but cannot be opened for reading, even by root: a Unix socket.
void MakeSocket(const std::string& path);

}  // namespace trackmint::testing
