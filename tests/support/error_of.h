#pragma once

#include <string>

#include "base/trackmint_error.h"

namespace trackmint::testing {

// The message of the error that action throws, or "" when it throws none.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const TrackmintError& error) {
    return error.what();
  }
  return "";
}

}  // namespace trackmint::testing
