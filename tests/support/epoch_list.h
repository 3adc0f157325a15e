#pragma once

#include <cstddef>
#include <deque>

#include "nmea/waypoints.h"
#include "run/epoch_stream.h"

namespace trackmint {

// Every position record of a log, held by value in log order, for the tests that look at a whole
// log (the conversion streams its epochs instead). Records never move once appended.
class EpochList final : public Epochs {
 public:
  using iterator = std::deque<waypoints>::iterator;
  using const_iterator = std::deque<waypoints>::const_iterator;

  bool empty() const override { return m_records.empty(); }
  std::size_t size() const { return m_records.size(); }

  waypoints& operator[](std::size_t index) { return m_records[index]; }
  const waypoints& operator[](std::size_t index) const { return m_records[index]; }
  waypoints& back() override { return m_records.back(); }
  const waypoints& back() const { return m_records.back(); }
  waypoints& front() { return m_records.front(); }
  const waypoints& front() const { return m_records.front(); }

  void push_back(const waypoints& record) { m_records.push_back(record); }
  void push_back(waypoints&& record) override { m_records.push_back(std::move(record)); }
  void clear() { m_records.clear(); }

  iterator begin() { return m_records.begin(); }
  iterator end() { return m_records.end(); }
  const_iterator begin() const { return m_records.begin(); }
  const_iterator end() const { return m_records.end(); }

 private:
  std::deque<waypoints> m_records;
};

}  // namespace trackmint
