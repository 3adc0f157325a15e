#include "base/clock.h"

namespace trackmint {

LocalDateTime ToLocalDateTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

LocalDateTime SystemClock::Now() const {
  return ToLocalDateTime(std::time(nullptr));
}

}  // namespace trackmint
