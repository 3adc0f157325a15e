#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "run/block_read.h"
#include "run/log_compression.h"
#include "run/run_observer.h"
#include "run/stream_decoder.h"

namespace trackmint {

// One log as the run reads it, block by block: the file's own bytes, or, when its first bytes
// announce gzip, bzip2, xz or zstd, the text they decode to. A plain file is read as it is, in
// blocks of kInputBlockSize straight from the file; a compressed one is decoded a few dozen blocks
// at a time and handed out in blocks of the same size.
class LogReader {
 public:
  // The file stays the caller's; path names it in messages.
  LogReader(std::FILE* file, std::string path);

  // The next block of the log's text: kInputBlockSize bytes, or fewer at the end of the log, after
  // which every call gives an empty block. taken receives how many bytes of the file were read for
  // it: the block's own for a plain log; for a compressed one, the compressed bytes behind a piece
  // of decoded text, given with the piece's last block. A read error, damaged compressed
  // data and compressed data that end early throw "Can't read the input file <path>: <reason>".
  // The block stays valid until the next call.
  std::span<const unsigned char> NextBlock(std::uint64_t& taken, RunObserver& observer);

  // How the log is stored, known once the first block is out.
  Compression StoredAs() const { return m_compression; }

 private:
  void DecodeText(RunObserver& observer);

  std::FILE* m_file;
  std::string m_path;
  bool m_started = false;
  Compression m_compression = Compression::None;
  std::array<unsigned char, kInputBlockSize> m_block;  // a plain log's block

  // A compressed log: what was read of the file and not yet decoded, and the text decoded from
  // it that was not yet handed out.
  std::unique_ptr<StreamDecoder> m_decoder;
  std::vector<unsigned char> m_compressed;
  std::span<const unsigned char> m_input;
  bool m_file_ended = false;
  std::vector<unsigned char> m_text;
  std::size_t m_text_start = 0;
  std::size_t m_text_end = 0;
  bool m_text_ended = false;
  std::uint64_t m_taken = 0;  // compressed bytes decoded and not yet given with a block
};

}  // namespace trackmint
