#include "run/input_phase.h"

#include <array>
#include <cerrno>
#include <cstring>

#include "base/trackmint_error.h"
#include "run/sentence_dispatch.h"

namespace trackmint {
namespace {

// Fills the block, short only at the end of the file. A read that a signal interrupted gives the
// observer its turn (where a request to stop ends the run) and goes on; any other error ends the
// run.
std::size_t ReadBlock(std::FILE* input, const std::string& input_path,
                      std::array<unsigned char, kInputBlockSize>& block, RunObserver& observer) {
  std::size_t count = 0;
  while (count < block.size()) {
    count += std::fread(block.data() + count, 1, block.size() - count, input);
    if (std::ferror(input)) {
      if (errno != EINTR) {
        throw TrackmintError("Can't read the input file " + input_path + ": " +
                             std::strerror(errno));
      }
      std::clearerr(input);
      observer.TakeTurn();
    } else if (std::feof(input)) {
      break;
    }
  }
  return count;
}

}  // namespace

std::uint64_t ReadEpochList(std::FILE* input, const std::string& input_path, Epochs& epochs,
                            NMEA& assembler, ProgressGauge& gauge, RunObserver& observer,
                            const Clock& clock) {
  std::array<unsigned char, kInputBlockSize> block;
  SentenceText sentence;
  std::uint64_t sentences = 0;
  for (;;) {
    const std::size_t count = ReadBlock(input, input_path, block, observer);
    observer.TakeTurn();
    gauge.AdvanceOverBlock(count, count < block.size());
    assembler.PutBlock(block.data(), count, sentence, [&](const SentenceText& complete) {
      ++sentences;
      DispatchSentence(complete.View(), epochs, clock);
    });
    if (count < block.size()) return sentences;
  }
}

}  // namespace trackmint
