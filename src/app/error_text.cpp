#include "app/error_text.h"

namespace trackmint {

std::string ErrorDisplayText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

}  // namespace trackmint
