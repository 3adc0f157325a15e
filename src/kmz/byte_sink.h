#pragma once

#include <span>
#include <vector>

namespace trackmint {

// Where compressed bytes go: the archive file in the program, a byte vector in tests.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Takes all the bytes or throws.
  virtual void Write(std::span<const unsigned char> bytes) = 0;
};

class VectorSink final : public ByteSink {
 public:
  void Write(std::span<const unsigned char> bytes) override {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
  }
  const std::vector<unsigned char>& Bytes() const { return m_bytes; }

 private:
  std::vector<unsigned char> m_bytes;
};

}  // namespace trackmint
