#include <bzlib.h>

#include <algorithm>
#include <climits>
#include <new>

#include "run/stream_decoder.h"

namespace trackmint {
namespace {

// libbz2 counts in unsigned int.
constexpr std::size_t kMaxPiece = UINT_MAX;

// bzip2 data through libbz2, which checks the CRC of every block and of the whole stream.
class Bzip2Decoder final : public StreamDecoder {
 public:
  Bzip2Decoder() { Start(); }
  ~Bzip2Decoder() override { BZ2_bzDecompressEnd(&m_stream); }
  Bzip2Decoder(const Bzip2Decoder&) = delete;
  Bzip2Decoder& operator=(const Bzip2Decoder&) = delete;

  bool Decode(std::span<const unsigned char>& input, std::span<unsigned char>& output,
              bool input_ends) override {
    for (;;) {
      if (m_stream_ended) {
        if (input.empty()) return input_ends;
        // Another stream follows, as bzip2 files written one after the other give. libbz2
        // starts each stream afresh.
        BZ2_bzDecompressEnd(&m_stream);
        Start();
      }
      if (output.empty()) return false;
      // Called with no input as well: a decoded block comes out over several calls.
      m_stream.next_in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
      m_stream.avail_in = static_cast<unsigned>(std::min(input.size(), kMaxPiece));
      m_stream.next_out = reinterpret_cast<char*>(output.data());
      m_stream.avail_out = static_cast<unsigned>(std::min(output.size(), kMaxPiece));
      const unsigned offered = m_stream.avail_in;
      const unsigned room = m_stream.avail_out;
      const int status = BZ2_bzDecompress(&m_stream);
      const std::size_t taken = offered - m_stream.avail_in;
      const std::size_t written = room - m_stream.avail_out;
      input = input.subspan(taken);
      output = output.subspan(written);
      switch (status) {
        case BZ_STREAM_END:
          m_stream_ended = true;
          continue;
        case BZ_OK:
          break;
        case BZ_MEM_ERROR:
          throw std::bad_alloc();
        case BZ_DATA_ERROR_MAGIC:
          throw DecodeError("damaged bzip2 data (no stream header)");
        default:
          throw DecodeError("damaged bzip2 data");
      }
      if (taken == 0 && written == 0) {
        if (!input.empty()) throw DecodeError("damaged bzip2 data");
        if (input_ends) throw DecodeError("truncated bzip2 data");
        return false;
      }
    }
  }

 private:
  void Start() {
    m_stream = bz_stream{};
    m_stream_ended = false;
    // Not verbose, and the fast decoder rather than the small one.
    const int status = BZ2_bzDecompressInit(&m_stream, 0, 0);
    if (status == BZ_MEM_ERROR) throw std::bad_alloc();
    if (status != BZ_OK) throw DecodeError("libbz2 cannot start decoding bzip2 data");
  }

  bz_stream m_stream{};
  bool m_stream_ended = false;
};

}  // namespace

std::unique_ptr<StreamDecoder> MakeBzip2Decoder() {
  return std::make_unique<Bzip2Decoder>();
}

}  // namespace trackmint
