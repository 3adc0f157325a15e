#include "run/input_phase.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

#include "base/trackmint_error.h"
#include "run/sentence_dispatch.h"

namespace trackmint {
namespace {

// The progress rule, byte by byte: when the counter equals the step the gauge moves and the
// counter restarts, otherwise it counts the byte; the last byte of a short block (the file's
// last) moves the gauge in any case. Worked out for a whole block at once, jumping from one
// move to the next; the gauge and the sentences do not see each other, so doing this before
// the block's bytes go to the assembler changes nothing.
void AdvanceProgressOverBlock(std::size_t count, bool short_block, std::int32_t step,
                              std::int32_t& counter, RunHost& host) {
  std::size_t i = 0;
  bool last_byte_moved_gauge = false;
  while (i < count) {
    const std::size_t move_at = i + static_cast<std::size_t>(step - counter);
    if (move_at >= count) {
      counter += static_cast<std::int32_t>(count - i);
      break;
    }
    host.AdvanceProgress();
    counter = 0;
    last_byte_moved_gauge = move_at == count - 1;
    i = move_at + 1;
  }
  if (short_block && count > 0 && !last_byte_moved_gauge) {
    host.AdvanceProgress();
    counter = 0;
  }
}

// Fills the block, short only at the end of the file. A read that a signal interrupted gives the
// host its turn (where a request to stop ends the run) and goes on; any other error ends the run.
std::size_t ReadBlock(std::FILE* input, const std::string& input_path,
                      std::array<unsigned char, kInputBlockSize>& block, RunHost& host) {
  std::size_t count = 0;
  while (count < block.size()) {
    count += std::fread(block.data() + count, 1, block.size() - count, input);
    if (std::ferror(input)) {
      if (errno != EINTR) {
        throw TrackmintError("Can't read the input file " + input_path + ": " +
                             std::strerror(errno));
      }
      std::clearerr(input);
      host.ProcessPendingEvents();
    } else if (std::feof(input)) {
      break;
    }
  }
  return count;
}

}  // namespace

std::int32_t ProgressStep(std::uint64_t file_size) {
  const std::uint64_t step = file_size / 100;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(step < kMax ? step : kMax);
}

std::uint64_t ReadEpochList(std::FILE* input, const std::string& input_path, Epochs& epochs,
                            NMEA& assembler, std::int32_t progress_step, RunHost& host,
                            const Clock& clock) {
  std::array<unsigned char, kInputBlockSize> block;
  SentenceText sentence;
  std::int32_t byte_counter = 0;
  std::uint64_t sentences = 0;
  for (;;) {
    const std::size_t count = ReadBlock(input, input_path, block, host);
    host.ProcessPendingEvents();
    AdvanceProgressOverBlock(count, count < block.size(), progress_step, byte_counter, host);
    assembler.PutBlock(block.data(), count, sentence, [&](const SentenceText& complete) {
      ++sentences;
      DispatchSentence(complete.View(), epochs, clock);
    });
    if (count < block.size()) return sentences;
  }
}

}  // namespace trackmint
