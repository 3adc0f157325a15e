#pragma once

#include <string>

namespace trackmint::testing {

// The bytes as the system's own compressor writes them: tool is "gzip", "bzip2", "xz" or "zstd",
// run on a file of the bytes (gzip without the file's name and time, so that the output depends
// on the bytes alone). Fails the test when the tool does not run.
std::string Compressed(const std::string& tool, const std::string& bytes);

}  // namespace trackmint::testing
