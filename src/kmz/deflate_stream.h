#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kmz/byte_sink.h"
#include "kmz/raw_deflater.h"

namespace trackmint {

// The size of the pieces a long member's data come in: the run's document stream hands the
// document on in pieces of 1 MiB.
inline constexpr std::size_t kArchivePieceSize = 1048576;

// One raw deflate stream (see raw_deflater.h) with the CRC-32 of what goes in. Every piece but
// the last ends with a sync flush, the last with finish; after that the stream takes nothing more.
// Once AddPiece has thrown (the sink's error), the stream is failed and every later call throws
// std::logic_error.
class DeflateStream {
 public:
  explicit DeflateStream(ByteSink& sink);
  DeflateStream(const DeflateStream&) = delete;
  DeflateStream& operator=(const DeflateStream&) = delete;

  void AddPiece(std::span<const unsigned char> piece, bool last);

  bool Finished() const;
  std::uint32_t Crc32() const;
  std::uint64_t CompressedSize() const;
  std::uint64_t UncompressedSize() const;

 private:
  void RefuseIfFailed() const;

  ByteSink& m_sink;
  RawDeflater m_deflater;
  std::vector<unsigned char> m_output;
  bool m_finished = false;
  bool m_failed = false;
  std::uint32_t m_crc32 = 0;
  std::uint64_t m_compressed_size = 0;
  std::uint64_t m_uncompressed_size = 0;
};

}  // namespace trackmint
