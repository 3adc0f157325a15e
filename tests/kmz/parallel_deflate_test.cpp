#include "kmz/parallel_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "kmz/byte_sink.h"
#include "kmz_test_support.h"
#include "zip_reader.h"

namespace trackmint {
namespace {

// Text much like a document: repeated markup around numbers that change.
std::string DocumentLikeText(std::size_t size) {
  std::string text;
  for (unsigned i = 0; text.size() < size; ++i) {
    text += "<Placemark>\n<description><![CDATA[\n\t<tr><th>NN</th><td>" + std::to_string(i) +
            "</td></tr>\n\t<tr><th>Longitude</th><td>" + std::to_string(11.516 + i * 1e-6) +
            "</td></tr>\n]]></description>\n<Point>\n<coordinates>" + std::to_string(i % 977) +
            "</coordinates>\n</Point>\n</Placemark>\n";
  }
  text.resize(size);
  return text;
}

// Hands the text to the deflater in pieces of the capacity, as the document stream does, and
// returns what reached the sink.
std::string Deflate(const std::string& text, std::size_t capacity, unsigned workers) {
  VectorSink sink;
  ParallelDeflate deflate(sink, capacity, workers);
  std::unique_ptr<char[]> buffer = std::make_unique<char[]>(capacity);
  for (std::size_t at = 0; at < text.size(); at += capacity) {
    const std::size_t size = std::min(capacity, text.size() - at);
    std::memcpy(buffer.get(), text.data() + at, size);
    buffer = deflate.TakePiece(std::move(buffer), size);
  }
  deflate.Finish();
  EXPECT_EQ(deflate.UncompressedSize(), text.size());
  EXPECT_EQ(deflate.CompressedSize(), sink.Bytes().size());
  EXPECT_EQ(deflate.Crc32(),
            ::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.data()),
                    static_cast<uInt>(text.size())));
  return std::string(sink.Bytes().begin(), sink.Bytes().end());
}

// One raw deflate stream over the whole text, made with zlib alone: the reference.
std::string SingleStream(const std::string& text) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&stream, static_cast<uLong>(text.size())) + 16, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(out.size() - stream.avail_out);
  deflateEnd(&stream);
  return out;
}

TEST(ParallelDeflate, PiecesMakeOneStreamThatInflatesToTheText) {
  struct Case {
    const char* legend;
    std::string text;
    std::size_t capacity;
  };
  const std::vector<Case> cases = {
      {"text, pieces shorter than the window", DocumentLikeText(300000), 10000},
      {"text, pieces longer than the window", DocumentLikeText(1000000), 100000},
      {"text, one short last piece", DocumentLikeText(100001), 50000},
      {"random bytes", testing::RandomBytes(200000, 7), 65536},
      {"one byte", "x", 1000},
  };
  for (const Case& c : cases) {
    for (const unsigned workers : {1u, 2u, 4u}) {
      SCOPED_TRACE(std::string(c.legend) + ", workers " + std::to_string(workers));
      const std::string compressed = Deflate(c.text, c.capacity, workers);
      std::string inflated;
      ASSERT_TRUE(testing::InflateRaw(compressed, inflated));
      EXPECT_TRUE(inflated == c.text);
    }
  }
}

TEST(ParallelDeflate, OnePieceIsExactlyTheSingleStream) {
  const std::string text = DocumentLikeText(70000);
  EXPECT_EQ(Deflate(text, 100000, 2), SingleStream(text));
}

// Each piece primed with the end of the one before loses next to nothing against one stream.
TEST(ParallelDeflate, WithinOnePercentOfOneStream) {
  const std::string text = DocumentLikeText(8 << 20);
  const std::size_t pieces = Deflate(text, 1 << 20, 2).size();
  const std::size_t single = SingleStream(text).size();
  EXPECT_LE(static_cast<double>(pieces), 1.01 * static_cast<double>(single))
      << pieces << " bytes in pieces against " << single << " in one stream";
}

TEST(ParallelDeflate, NoPieceGivesNoBytes) {
  VectorSink sink;
  ParallelDeflate deflate(sink, 1000, 2);
  deflate.Finish();
  EXPECT_TRUE(sink.Bytes().empty());
  EXPECT_EQ(deflate.UncompressedSize(), 0u);
  EXPECT_EQ(deflate.Crc32(), 0u);
}

// The CRC-32 of "123456789" is CBF43926 (the check value of the standard), also when the text
// comes in pieces whose CRCs are combined.
TEST(ParallelDeflate, KnownCrc) {
  VectorSink sink;
  ParallelDeflate deflate(sink, 4, 2);
  for (const std::string piece : {"1234", "5678", "9"}) {
    auto buffer = std::make_unique<char[]>(4);
    std::memcpy(buffer.get(), piece.data(), piece.size());
    deflate.TakePiece(std::move(buffer), piece.size());
  }
  deflate.Finish();
  EXPECT_EQ(deflate.Crc32(), 0xCBF43926u);
}

// A sink that cannot take bytes (a full disk) stops the stream with its error, and the workers
// still end when the deflater goes.
TEST(ParallelDeflate, ASinkErrorLeavesThroughTheCaller) {
  class FullSink final : public ByteSink {
   public:
    void Write(std::span<const unsigned char>) override {
      throw std::runtime_error("No space left on device");
    }
  } sink;
  const std::string text = DocumentLikeText(50000);
  EXPECT_THROW(
      {
        ParallelDeflate deflate(sink, 1000, 2);
        auto buffer = std::make_unique<char[]>(1000);
        for (std::size_t at = 0; at < text.size(); at += 1000) {
          std::memcpy(buffer.get(), text.data() + at, 1000);
          buffer = deflate.TakePiece(std::move(buffer), 1000);
        }
        deflate.Finish();
      },
      std::runtime_error);
}

}  // namespace
}  // namespace trackmint
