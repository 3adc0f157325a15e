#pragma once

#include <ctime>

namespace trackmint {

// A moment of the local calendar, as the user's clock shows it.
struct LocalDateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const LocalDateTime&) const = default;
};

// Source of the local time. The program uses the system clock; tests pin a moment.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime moment) : m_moment(moment) {}
  LocalDateTime Now() const override { return m_moment; }

 private:
  LocalDateTime m_moment;
};

// Converts a time of the system's clock (seconds since the epoch) to local calendar time.
LocalDateTime ToLocalDateTime(std::time_t time);

}  // namespace trackmint
