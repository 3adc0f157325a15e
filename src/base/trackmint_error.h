#pragma once

#include <stdexcept>
#include <string>

namespace trackmint {

// The one error type of the core. Its message is the text the user sees, with the file named;
// only the front ends catch it (the window shows it in the error box, the batch mode prints it).
class TrackmintError : public std::runtime_error {
 public:
  explicit TrackmintError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace trackmint
