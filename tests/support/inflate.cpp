#include "support/inflate.h"

#include <zlib.h>

namespace trackmint::testing {
namespace {

bool Inflate(const std::string& compressed, int window_bits, std::string& result) {
  z_stream stream{};
  if (inflateInit2(&stream, window_bits) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  result.clear();
  int status = Z_OK;
  char buffer[65536];
  while (status == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    status = inflate(&stream, Z_NO_FLUSH);
    result.append(buffer, sizeof buffer - stream.avail_out);
  }
  const bool whole = status == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  return whole;
}

}  // namespace

bool InflateRaw(const std::string& compressed, std::string& result) {
  return Inflate(compressed, -15, result);
}

bool InflateZlib(const std::string& compressed, std::string& result) {
  return Inflate(compressed, 15, result);
}

}  // namespace trackmint::testing
