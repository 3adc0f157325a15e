#include "kmz_test_support.h"

#include <random>

namespace trackmint::testing {

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

}  // namespace trackmint::testing
