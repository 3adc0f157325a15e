#pragma once

#include <cstdint>
#include <functional>

#include "nmea/waypoints.h"

namespace trackmint {

// Where the input phase files the records of a log: a GGA or RMC record of a new time is pushed
// behind the others, and every other sentence adds to the last one. Only the last record can still
// change (the merge rule touches nothing else), so a record before it is final.
class Epochs {
 public:
  virtual ~Epochs() = default;
  virtual bool empty() const = 0;
  virtual waypoints& back() = 0;
  virtual void push_back(waypoints&& record) = 0;
};

// The epochs of a log as a stream: only the open epoch is kept. Each one is handed on the moment
// the next one opens, and the last one when the log ends, so memory does not grow with the log.
class EpochStream final : public Epochs {
 public:
  using FinalEpoch = std::function<void(waypoints& record)>;

  explicit EpochStream(FinalEpoch on_final) : m_on_final(std::move(on_final)) {}

  bool empty() const override { return !m_open; }
  waypoints& back() override { return m_record; }
  void push_back(waypoints&& record) override {
    if (m_open) Hand();
    m_record = std::move(record);
    m_open = true;
  }
  // The log has ended: the open epoch is final.
  void Finish() {
    if (m_open) Hand();
    m_open = false;
  }

  // Epochs handed on so far.
  std::uint64_t Count() const { return m_count; }

 private:
  void Hand() {
    ++m_count;
    m_on_final(m_record);
  }

  FinalEpoch m_on_final;
  waypoints m_record;
  bool m_open = false;
  std::uint64_t m_count = 0;
};

}  // namespace trackmint
