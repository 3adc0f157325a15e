#pragma once

#include <string>

namespace trackmint::testing {

// zlib's inflate, for reading back what the program deflated.

// Raw inflate (no zlib header); false unless the bytes are exactly one whole stream.
bool InflateRaw(const std::string& compressed, std::string& result);
// Inflate of a zlib stream (as PNG's IDAT data hold).
bool InflateZlib(const std::string& compressed, std::string& result);

}  // namespace trackmint::testing
