#include "run/stream_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "run/log_compression.h"
#include "support/compressed.h"

namespace trackmint {
namespace {

using testing::Compressed;

std::span<const unsigned char> Bytes(const std::string& text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// Text that compresses, but not to nothing: numbered lines of varying length.
std::string SampleText(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += "$GPGSV,line " + std::to_string(i) +
            std::string(static_cast<std::size_t>(i % 37), 'x') + "\r\n";
  }
  return text;
}

struct Format {
  const char* tool;
  Compression compression;
};
constexpr Format kFormats[] = {{"gzip", Compression::Gzip},
                               {"bzip2", Compression::Bzip2},
                               {"xz", Compression::Xz},
                               {"zstd", Compression::Zstd}};

// Decodes the data handed over in pieces of input_piece bytes into room of output_piece bytes,
// as a reader that gets its bytes from a slow pipe would.
std::string Decode(Compression compression, const std::string& data, std::size_t input_piece,
                   std::size_t output_piece) {
  const std::unique_ptr<StreamDecoder> decoder = MakeDecoder(compression);
  std::string text;
  std::vector<unsigned char> room(output_piece);
  std::size_t given = 0;
  std::span<const unsigned char> input;
  for (int calls = 0; calls < 10'000'000; ++calls) {
    if (input.empty() && given < data.size()) {
      const std::size_t count = std::min(input_piece, data.size() - given);
      input = Bytes(data).subspan(given, count);
      given += count;
    }
    std::span<unsigned char> output(room);
    const bool ended = decoder->Decode(input, output, given == data.size());
    text.append(room.begin(), room.end() - static_cast<std::ptrdiff_t>(output.size()));
    if (ended) return text;
  }
  ADD_FAILURE() << "the decoder never ended";
  return text;
}

TEST(Compression, IsKnownByTheFirstBytes) {
  struct Case {
    const char* legend;
    std::string first_bytes;
    Compression expected;
  };
  const std::vector<Case> cases = {
      {"gzip", "\x1F\x8B\x08\x00", Compression::Gzip},
      {"bzip2, level 9", "BZh91AY&SY", Compression::Bzip2},
      {"bzip2, level 1", "BZh1", Compression::Bzip2},
      {"xz",
       std::string("\xFD"
                   "7zXZ\0\0",
                   7),
       Compression::Xz},
      {"zstd frame", "\x28\xB5\x2F\xFD\x24", Compression::Zstd},
      {"zstd skippable frame", "\x5A\x2A\x4D\x18", Compression::Zstd},
      {"an NMEA log", "$GPGGA,120000", Compression::None},
      {"bzip2's letters without a level", "BZh", Compression::None},
      {"bzip2's letters with level 0", "BZh0", Compression::None},
      {"half an xz signature",
       "\xFD"
       "7zX",
       Compression::None},
      {"not quite a skippable frame", "\x60\x2A\x4D\x18", Compression::None},
      {"one byte of gzip", "\x1F", Compression::None},
      {"nothing", "", Compression::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(CompressionOf(Bytes(c.first_bytes)), c.expected);
  }
  // What the tools write is known as theirs.
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.tool);
    EXPECT_EQ(CompressionOf(Bytes(Compressed(format.tool, "$GPGGA\r\n"))), format.compression);
  }
}

// However the bytes arrive and however little room there is, the same text comes out.
TEST(StreamDecoder, AnyPiecesGiveTheSameText) {
  const std::string text = SampleText(200);
  for (const Format& format : kFormats) {
    const std::string data = Compressed(format.tool, text);
    for (std::size_t piece = 1; piece <= 7; ++piece) {
      SCOPED_TRACE(std::string(format.tool) + ", pieces of " + std::to_string(piece));
      EXPECT_EQ(Decode(format.compression, data, piece, 65536), text);
      EXPECT_EQ(Decode(format.compression, data, 65536, piece), text);
    }
    SCOPED_TRACE(format.tool);
    EXPECT_EQ(Decode(format.compression, data, data.size(), 65536), text);
    EXPECT_EQ(Decode(format.compression, Compressed(format.tool, ""), 65536, 65536), "");
  }
}

// Files compressed one by one and then joined (cat a.gz b.gz > ab.gz) decode to both texts.
TEST(StreamDecoder, StreamsOneAfterAnotherAreReadToTheEnd) {
  const std::string first = SampleText(50);
  const std::string second = SampleText(70).substr(13);
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.tool);
    const std::string data = Compressed(format.tool, first) + Compressed(format.tool, second) +
                             Compressed(format.tool, "");
    for (std::size_t piece : {1u, 5u, 65536u}) {
      EXPECT_EQ(Decode(format.compression, data, piece, 4096), first + second);
    }
  }
  // A zstd skippable frame (magic, length 4, four bytes of content) between two frames is skipped.
  const std::string skippable("\x50\x2A\x4D\x18\x04\x00\x00\x00skip", 12);
  EXPECT_EQ(Decode(Compression::Zstd,
                   skippable + Compressed("zstd", first) + skippable + Compressed("zstd", second),
                   3, 4096),
            first + second);
}

TEST(StreamDecoder, DamagedOrCutDataAreRefused) {
  const std::string text = SampleText(300);
  const std::string gzip = Compressed("gzip", text);
  std::string wrong_crc = gzip;
  wrong_crc[gzip.size() - 8] = static_cast<char>(wrong_crc[gzip.size() - 8] ^ 0x01);
  std::string wrong_length = gzip;
  wrong_length[gzip.size() - 1] = static_cast<char>(wrong_length[gzip.size() - 1] ^ 0x01);
  std::string zstd = Compressed("zstd", text);
  // The tool adds a checksum of the content at the frame's end.
  zstd.back() = static_cast<char>(zstd.back() ^ 0x01);
  struct Case {
    const char* legend;
    Compression compression;
    std::string data;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"gzip cut in half", Compression::Gzip, gzip.substr(0, gzip.size() / 2),
       "truncated gzip data"},
      {"gzip without its last byte", Compression::Gzip, gzip.substr(0, gzip.size() - 1),
       "truncated gzip data"},
      {"gzip with a wrong CRC", Compression::Gzip, wrong_crc,
       "damaged gzip data (incorrect data check)"},
      {"gzip with a wrong length", Compression::Gzip, wrong_length,
       "damaged gzip data (incorrect length check)"},
      {"gzip followed by text", Compression::Gzip, gzip + "$GPGGA\r\n",
       "damaged gzip data (incorrect header check)"},
      {"only the gzip signature", Compression::Gzip, "\x1F\x8B", "truncated gzip data"},
      {"bzip2 without its last byte", Compression::Bzip2,
       Compressed("bzip2", text).substr(0, Compressed("bzip2", text).size() - 1),
       "truncated bzip2 data"},
      {"bzip2 followed by text", Compression::Bzip2, Compressed("bzip2", text) + "$GPGGA\r\n",
       "damaged bzip2 data (no stream header)"},
      {"xz without its last byte", Compression::Xz,
       Compressed("xz", text).substr(0, Compressed("xz", text).size() - 1), "truncated xz data"},
      {"zstd cut in half", Compression::Zstd, zstd.substr(0, zstd.size() / 2),
       "truncated zstd data"},
      {"zstd with a wrong checksum", Compression::Zstd, zstd,
       "damaged zstd data (Restored data doesn't match checksum)"},
      // A frame header that asks for a window of 2^31 bytes, as zstd --long=31 writes on a pipe,
      // then an empty last block.
      {"zstd with a window of 2 GiB", Compression::Zstd,
       std::string("\x28\xB5\x2F\xFD\x00\xA8\x01\x00\x00", 9),
       "zstd data that needs more than 128 MiB of memory to decode (written with --long=28 or "
       "more); unpack it first with zstd -d --long=31"},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {1u, 65536u}) {
      SCOPED_TRACE(std::string(c.legend) + ", pieces of " + std::to_string(piece));
      try {
        Decode(c.compression, c.data, piece, 4096);
        ADD_FAILURE() << "no error";
      } catch (const DecodeError& error) {
        EXPECT_EQ(std::string(error.what()), c.reason);
      }
    }
  }
}

// A byte changed inside the compressed data, where each library's own check finds it.
TEST(StreamDecoder, AChangedByteInsideTheDataIsFound) {
  const std::string text = SampleText(300);
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.tool);
    std::string data = Compressed(format.tool, text);
    data[data.size() / 2] = static_cast<char>(data[data.size() / 2] ^ 0x10);
    try {
      const std::string decoded = Decode(format.compression, data, 65536, 65536);
      ADD_FAILURE() << "no error; " << (decoded == text ? "the same text" : "another text");
    } catch (const DecodeError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(std::string("damaged ") + format.tool + " data", 0),
                0u)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace trackmint
