#pragma once

#include <cstddef>
#include <string>

#include "support/directory_names.h"

namespace trackmint::testing {

// Bytes that deflate cannot shrink.
std::string RandomBytes(std::size_t size, unsigned seed);

}  // namespace trackmint::testing
