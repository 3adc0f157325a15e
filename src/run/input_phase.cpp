#include "run/input_phase.h"

#include <array>
#include <span>

#include "run/log_reader.h"
#include "run/sentence_dispatch.h"

namespace trackmint {

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

std::uint64_t ReadLogs(LogInputs& inputs, Epochs& epochs, NMEA& assembler, ProgressGauge& gauge,
                       RunObserver& observer, const Clock& clock) {
  SentenceText sentence;
  std::uint64_t sentences = 0;
  for (std::size_t log = 0; log < inputs.Count(); ++log) {
    const bool last_log = log + 1 == inputs.Count();
    LogReader reader(inputs.File(log, observer), inputs.Path(log));
    // A sentence cut off at the end of the log before is dropped, not completed by this one.
    assembler.Reset();
    for (;;) {
      std::uint64_t taken = 0;
      const std::span<const unsigned char> block = reader.NextBlock(taken, observer);
      observer.TakeTurn();
      const bool log_ended = block.size() < kInputBlockSize;
      gauge.AdvanceOverBlock(static_cast<std::size_t>(taken), log_ended && last_log);
      assembler.PutBlock(block.data(), block.size(), sentence, [&](const SentenceText& complete) {
        ++sentences;
        DispatchSentence(complete.View(), epochs, clock);
      });
      if (log_ended) break;
    }
    inputs.Close(log);
  }
  return sentences;
}

}  // namespace trackmint
