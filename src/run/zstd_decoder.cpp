#include <zstd.h>
#include <zstd_errors.h>

#include <new>
#include <string>

#include "run/stream_decoder.h"

namespace trackmint {
namespace {

// zstd data through libzstd, which checks each frame's checksum when the frame carries one.
class ZstdDecoder final : public StreamDecoder {
 public:
  ZstdDecoder() : m_context(ZSTD_createDCtx()) {
    if (m_context == nullptr) throw std::bad_alloc();
  }
  ~ZstdDecoder() override { ZSTD_freeDCtx(m_context); }
  ZstdDecoder(const ZstdDecoder&) = delete;
  ZstdDecoder& operator=(const ZstdDecoder&) = delete;

  bool Decode(std::span<const unsigned char>& input, std::span<unsigned char>& output,
              bool input_ends) override {
    for (;;) {
      // Frames written one after the other follow on in the same stream.
      if (m_between_frames && input.empty()) return input_ends;
      if (output.empty()) return false;
      ZSTD_inBuffer in{input.data(), input.size(), 0};
      ZSTD_outBuffer out{output.data(), output.size(), 0};
      // Called with no input as well: decoded bytes may still wait for room in the output.
      const std::size_t result = ZSTD_decompressStream(m_context, &out, &in);
      input = input.subspan(in.pos);
      output = output.subspan(out.pos);
      if (ZSTD_isError(result)) {
        if (ZSTD_getErrorCode(result) == ZSTD_error_memory_allocation) throw std::bad_alloc();
        // Sound data, but written with a window (zstd --long=28 and up) too large to hold safely.
        if (ZSTD_getErrorCode(result) == ZSTD_error_frameParameter_windowTooLarge) {
          throw DecodeError(
              "zstd data that needs more than 128 MiB of memory to decode (written with "
              "--long=28 or more); unpack it first with zstd -d --long=31");
        }
        throw DecodeError(std::string("damaged zstd data (") + ZSTD_getErrorName(result) + ")");
      }
      // 0: a frame has ended and all of it is out.
      m_between_frames = result == 0;
      if (in.pos == 0 && out.pos == 0 && !m_between_frames) {
        if (!input.empty()) throw DecodeError("damaged zstd data");
        if (input_ends) throw DecodeError("truncated zstd data");
        return false;
      }
    }
  }

 private:
  ZSTD_DCtx* m_context;
  bool m_between_frames = false;
};

}  // namespace

std::unique_ptr<StreamDecoder> MakeZstdDecoder() {
  return std::make_unique<ZstdDecoder>();
}

}  // namespace trackmint
