#include <zlib.h>

#include <algorithm>
#include <climits>
#include <new>
#include <string>

#include "run/stream_decoder.h"

namespace trackmint {
namespace {

// zlib counts in uInt.
constexpr std::size_t kMaxPiece = UINT_MAX;

// gzip data through zlib's inflate, which checks each member's CRC-32 and length, so a damaged
// log is refused rather than read as other text.
class GzipDecoder final : public StreamDecoder {
 public:
  GzipDecoder() {
    // 15 window bits, and 16 more for the gzip wrapper.
    const int status = inflateInit2(&m_stream, 15 + 16);
    if (status == Z_MEM_ERROR) throw std::bad_alloc();
    if (status != Z_OK) throw DecodeError("zlib cannot start decoding gzip data");
  }
  ~GzipDecoder() override { inflateEnd(&m_stream); }
  GzipDecoder(const GzipDecoder&) = delete;
  GzipDecoder& operator=(const GzipDecoder&) = delete;

  bool Decode(std::span<const unsigned char>& input, std::span<unsigned char>& output,
              bool input_ends) override {
    for (;;) {
      if (m_member_ended) {
        if (input.empty()) return input_ends;
        // gzip files written one after the other make one file of several members.
        if (inflateReset(&m_stream) != Z_OK) throw DecodeError("damaged gzip data");
        m_member_ended = false;
      }
      if (output.empty()) return false;
      // Called with no input as well: inflate may still hold decoded bytes for the output.
      m_stream.next_in = const_cast<Bytef*>(input.data());
      m_stream.avail_in = static_cast<uInt>(std::min(input.size(), kMaxPiece));
      m_stream.next_out = output.data();
      m_stream.avail_out = static_cast<uInt>(std::min(output.size(), kMaxPiece));
      const uInt offered = m_stream.avail_in;
      const uInt room = m_stream.avail_out;
      const int status = inflate(&m_stream, Z_NO_FLUSH);
      const std::size_t taken = offered - m_stream.avail_in;
      const std::size_t written = room - m_stream.avail_out;
      input = input.subspan(taken);
      output = output.subspan(written);
      switch (status) {
        case Z_STREAM_END:
          m_member_ended = true;
          continue;
        case Z_OK:
        case Z_BUF_ERROR:
          break;
        case Z_MEM_ERROR:
          throw std::bad_alloc();
        default:
          throw DecodeError(m_stream.msg != nullptr
                                ? std::string("damaged gzip data (") + m_stream.msg + ")"
                                : std::string("damaged gzip data"));
      }
      if (taken == 0 && written == 0) {
        if (!input.empty()) throw DecodeError("damaged gzip data");
        if (input_ends) throw DecodeError("truncated gzip data");
        return false;
      }
    }
  }

 private:
  z_stream m_stream{};
  bool m_member_ended = false;
};

}  // namespace

std::unique_ptr<StreamDecoder> MakeGzipDecoder() {
  return std::make_unique<GzipDecoder>();
}

}  // namespace trackmint
