#include "run/input_phase.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

#include "base/trackmint_error.h"

namespace trackmint {

std::int32_t ProgressStep(std::uint64_t file_size) {
  const std::uint64_t step = file_size / 100;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(step < kMax ? step : kMax);
}

void ReadEpochList(std::FILE* input, const std::string& input_path, EpochList& epochs,
                   NMEA& assembler, std::int32_t progress_step, RunHost& host, const Clock& clock) {
  std::array<unsigned char, kInputBlockSize> block;
  SentenceText sentence;
  std::int32_t byte_counter = 0;
  for (;;) {
    const std::size_t count = std::fread(block.data(), 1, block.size(), input);
    if (std::ferror(input)) {
      throw TrackmintError("Can't read the input file " + input_path + ": " + std::strerror(errno));
    }
    host.ProcessPendingEvents();
    // The last byte of a short block, the file's last, moves the gauge as well.
    const std::size_t last_of_short_block = count < block.size() ? count - 1 : block.size();
    for (std::size_t i = 0; i < count; ++i) {
      if (byte_counter == progress_step || i == last_of_short_block) {
        host.AdvanceProgress();
        byte_counter = 0;
      } else {
        ++byte_counter;
      }
      if (assembler.PutByte(block[i], sentence) == NMEA::kSentenceReady) {
        DispatchSentence(sentence.View(), epochs, clock);
      }
    }
    if (count < block.size()) return;
  }
}

}  // namespace trackmint
