#include "run/log_reader.h"

#include <algorithm>
#include <utility>

#include "base/trackmint_error.h"

namespace trackmint {
namespace {

// What a compressed log is read in, and decoded into: small enough for the window's turns to come
// often, large enough that the libraries work at their speed.
constexpr std::size_t kCompressedPieceSize = 64 * 1024;
constexpr std::size_t kTextPieceSize = 64 * kInputBlockSize;

}  // namespace

LogReader::LogReader(std::FILE* file, std::string path) : m_file(file), m_path(std::move(path)) {}

std::span<const unsigned char> LogReader::NextBlock(std::uint64_t& taken, RunObserver& observer) {
  if (!m_started) {
    // The first block says how the log is stored. A plain log goes on from there as it is read.
    m_started = true;
    const std::size_t count = ReadBlock(m_file, m_path, m_block, observer);
    m_compression = CompressionOf({m_block.data(), count});
    if (m_compression == Compression::None) {
      taken = count;
      return {m_block.data(), count};
    }
    m_decoder = MakeDecoder(m_compression);
    m_compressed.resize(std::max(kCompressedPieceSize, count));
    std::copy_n(m_block.begin(), count, m_compressed.begin());
    m_input = {m_compressed.data(), count};
    m_file_ended = count < m_block.size();
    m_text.resize(kTextPieceSize);
  }
  if (m_compression == Compression::None) {
    const std::size_t count = ReadBlock(m_file, m_path, m_block, observer);
    taken = count;
    return {m_block.data(), count};
  }
  if (m_text_start == m_text_end && !m_text_ended) DecodeText(observer);
  const std::size_t count = std::min(kInputBlockSize, m_text_end - m_text_start);
  const std::span<const unsigned char> block(m_text.data() + m_text_start, count);
  m_text_start += count;
  // The compressed bytes behind a piece of text go with its last block, so that the log's last
  // block carries the last of them, as a plain log's does.
  taken = m_text_start == m_text_end ? std::exchange(m_taken, 0) : 0;
  return block;
}

// Fills the text piece: whole, so that it gives only full blocks, unless the data end in it.
void LogReader::DecodeText(RunObserver& observer) {
  std::span<unsigned char> output(m_text);
  try {
    while (!output.empty()) {
      if (m_input.empty() && !m_file_ended) {
        const std::size_t count = ReadBlock(m_file, m_path, m_compressed, observer);
        m_file_ended = count < m_compressed.size();
        m_input = {m_compressed.data(), count};
      }
      const std::size_t before = m_input.size();
      const bool ended = m_decoder->Decode(m_input, output, m_file_ended);
      m_taken += before - m_input.size();
      if (ended) {
        m_text_ended = true;
        break;
      }
      // A decoder that neither fills the output nor takes all it was given would be asked again
      // and again.
      if (!output.empty() && (!m_input.empty() || m_file_ended)) {
        throw DecodeError("the compressed data cannot be decoded");
      }
    }
  } catch (const DecodeError& error) {
    throw TrackmintError("Can't read the input file " + m_path + ": " + error.what());
  }
  m_text_start = 0;
  m_text_end = m_text.size() - output.size();
}

}  // namespace trackmint
