// Arbitrary bytes through the byte path: the block reader with its progress rule, the sentence
// assembler (block path checked against the byte path), every parser, the stream of epochs and
// the document writers; and the log reader, whose text of plain bytes must be those bytes and
// whose decoders meet damaged data of every kind.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/trackmint_error.h"
#include "design_settings.h"
#include "kml/document_stream.h"
#include "kml/kml_document.h"
#include "nmea/nmea.h"
#include "nmea/sentence_parsers.h"
#include "quiet_observer.h"
#include "run/epoch_stream.h"
#include "run/input_phase.h"
#include "run/log_compression.h"
#include "run/log_reader.h"

namespace {

using namespace trackmint;

std::vector<std::string> SentencesByByte(const std::uint8_t* data, std::size_t size) {
  NMEA assembler;
  SentenceText sentence;
  std::vector<std::string> sentences;
  for (std::size_t i = 0; i < size; ++i) {
    if (assembler.PutByte(data[i], sentence) == NMEA::kSentenceReady)
      sentences.emplace_back(sentence.View());
  }
  return sentences;
}

std::vector<std::string> SentencesByBlock(const std::uint8_t* data, std::size_t size) {
  NMEA assembler;
  SentenceText sentence;
  std::vector<std::string> sentences;
  // Uneven pieces, taken from the data itself, so the block path meets every cut.
  for (std::size_t start = 0, piece = 1; start < size;
       start += piece, piece = 1 + data[start % size] % 97) {
    piece = std::min(piece, size - start);
    assembler.PutBlock(data + start, piece, sentence, [&sentences](const SentenceText& complete) {
      sentences.emplace_back(complete.View());
    });
  }
  return sentences;
}

// The text the log reader makes of the bytes: a plain log's own bytes, or a compressed one's
// decoded text, of which a few megabytes are enough to see (a small stream may decode to far
// more); damaged data end it with a message.
void ReadAsALog(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> copy(data, data + size);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      size > 0 ? fmemopen(copy.data(), copy.size(), "rb") : std::tmpfile(), std::fclose);
  if (!file) return;
  QuietObserver observer;
  LogReader reader(file.get(), "fuzz input");
  std::string text;
  try {
    for (std::uint64_t taken = 0; text.size() < 8 * 1024 * 1024;) {
      const std::span<const unsigned char> block = reader.NextBlock(taken, observer);
      text.append(block.begin(), block.end());
      if (block.size() < kInputBlockSize) break;
    }
  } catch (const TrackmintError&) {
    if (reader.StoredAs() == Compression::None) __builtin_trap();  // a plain log cannot be damaged
    return;
  }
  if (reader.StoredAs() == Compression::None &&
      text != std::string_view(reinterpret_cast<const char*>(data), size)) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FixedClock clock({2026, 12, 9, 12, 0, 0});

  if (SentencesByByte(data, size) != SentencesByBlock(data, size)) __builtin_trap();

  // The parsers on any text, not only on what the assembler lets through.
  const std::string_view text(reinterpret_cast<const char*>(data),
                              std::min<std::size_t>(size, 512));
  waypoints record;
  ParseGGA(text, record);
  ParseRMC(text, record, clock);
  ParseGSA(text, record);
  ParseGSV(text, record);
  ParseRMS(text, record);

  // The whole input phase over the bytes as a file, each final epoch on into the document as the
  // run writes it, where whatever the log held meets the XML escaping.
  std::vector<std::uint8_t> copy(data, data + size);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      size > 0 ? fmemopen(copy.data(), copy.size(), "rb") : std::tmpfile(), std::fclose);
  if (!file) return 0;
  QuietObserver observer;
  NMEA assembler;
  std::string document;
  DocumentStream stream(document);
  const ConversionSettings settings = DesignSettings();
  KmlDocument writer(stream, settings,
                     {"auto.png", "diff.png", "rtkfix.png", "rtkfloat.png", "estimated.png",
                      "invalid.png", "grey.png"},
                     clock);
  writer.WriteOpening();
  writer.BeginWaypoints();
  EpochStream epochs([&writer](waypoints& epoch) {
    if (epoch.gga_flag == 0 && epoch.rmc_flag == 0) {
      __builtin_trap();  // only GGA and RMC make records
    }
    writer.AddEpoch(epoch);
  });
  ProgressGauge gauge(size, observer);
  ReadEpochList(file.get(), "fuzz input", epochs, assembler, gauge, observer, clock);
  epochs.Finish();
  writer.EndWaypoints();
  writer.WriteTracksAndClosing();
  stream.Flush();
  if (!document.ends_with("</kml>")) __builtin_trap();

  ReadAsALog(data, size);
  return 0;
}
