#include <lzma.h>

#include <cstdint>
#include <new>

#include "run/stream_decoder.h"

namespace trackmint {
namespace {

// xz data through liblzma, which checks each block against the check its stream names.
class XzDecoder final : public StreamDecoder {
 public:
  XzDecoder() {
    // No memory limit: the file's own dictionary size says what it needs. Streams written one
    // after the other, and the padding between them, are read as one.
    const lzma_ret status = lzma_stream_decoder(&m_stream, UINT64_MAX, LZMA_CONCATENATED);
    if (status == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (status != LZMA_OK) throw DecodeError("liblzma cannot start decoding xz data");
  }
  ~XzDecoder() override { lzma_end(&m_stream); }
  XzDecoder(const XzDecoder&) = delete;
  XzDecoder& operator=(const XzDecoder&) = delete;

  bool Decode(std::span<const unsigned char>& input, std::span<unsigned char>& output,
              bool input_ends) override {
    for (;;) {
      if (m_ended) return true;
      if (output.empty()) return false;
      if (input.empty() && !input_ends) return false;
      m_stream.next_in = input.data();
      m_stream.avail_in = input.size();
      m_stream.next_out = output.data();
      m_stream.avail_out = output.size();
      // With several streams allowed, only LZMA_FINISH lets the decoder say where the data end.
      const lzma_ret status = lzma_code(&m_stream, input_ends ? LZMA_FINISH : LZMA_RUN);
      const std::size_t taken = input.size() - m_stream.avail_in;
      const std::size_t written = output.size() - m_stream.avail_out;
      input = input.subspan(taken);
      output = output.subspan(written);
      switch (status) {
        case LZMA_STREAM_END:
          m_ended = true;
          return true;
        case LZMA_OK:
          break;
        case LZMA_BUF_ERROR:
          // Two calls in a row without progress.
          if (input_ends) throw DecodeError("truncated xz data");
          throw DecodeError("damaged xz data");
        case LZMA_MEM_ERROR:
          throw std::bad_alloc();
        case LZMA_FORMAT_ERROR:
          throw DecodeError("damaged xz data (no stream header)");
        case LZMA_OPTIONS_ERROR:
          throw DecodeError("xz data with options that liblzma does not support");
        default:
          throw DecodeError("damaged xz data");
      }
    }
  }

 private:
  lzma_stream m_stream = LZMA_STREAM_INIT;
  bool m_ended = false;
};

}  // namespace

std::unique_ptr<StreamDecoder> MakeXzDecoder() {
  return std::make_unique<XzDecoder>();
}

}  // namespace trackmint
