#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

namespace trackmint {

// Compressed data that cannot be decoded: damaged, cut short, or of options the library does not
// take. The message is the reason only; the reader puts the file's name before it.
class DecodeError : public std::runtime_error {
 public:
  explicit DecodeError(const std::string& reason) : std::runtime_error(reason) {}
};

// One compressed stream decoded piece by piece, as its bytes arrive from a file or a pipe. Streams
// written one after the other into the same file (gzip members, bzip2 and xz streams, zstd frames)
// are decoded as one, to the end of the data.
class StreamDecoder {
 public:
  virtual ~StreamDecoder() = default;

  // Takes compressed bytes from the front of input and writes decoded bytes to the front of output,
  // moving both past what was used. input_ends says that no bytes follow those in input. Returns
  // true once the data have ended where a stream may end and every decoded byte is out; false when
  // the output is full or every input byte is taken and more may come. Damaged data, and data
  // that end inside a stream, throw DecodeError; a library short of memory throws std::bad_alloc.
  virtual bool Decode(std::span<const unsigned char>& input, std::span<unsigned char>& output,
                      bool input_ends) = 0;
};

std::unique_ptr<StreamDecoder> MakeGzipDecoder();
std::unique_ptr<StreamDecoder> MakeBzip2Decoder();
std::unique_ptr<StreamDecoder> MakeXzDecoder();
std::unique_ptr<StreamDecoder> MakeZstdDecoder();

}  // namespace trackmint
