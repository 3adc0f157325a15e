#include "kmz/deflate_stream.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include <zlib.h>

#include "base/trackmint_error.h"
#include "zip_reader.h"

namespace trackmint {
namespace {

std::string Text(std::size_t size) {
  std::string text;
  for (unsigned line = 0; text.size() < size; ++line) {
    text += "$GPGGA,1234" + std::to_string(line % 97) + ",4807.038,N,01131.000,E,1,08,0.9\r\n";
  }
  text.resize(size);
  return text;
}

std::span<const unsigned char> Bytes(const std::string& text, std::size_t from, std::size_t size) {
  return {reinterpret_cast<const unsigned char*>(text.data()) + from, size};
}

std::uint32_t ZlibCrc(const std::string& text) {
  return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0),
                                          reinterpret_cast<const Bytef*>(text.data()),
                                          static_cast<uInt>(text.size())));
}

std::string Output(const VectorSink& sink) {
  return std::string(sink.Bytes().begin(), sink.Bytes().end());
}

TEST(DeflateStream, PiecesMakeOneRawStreamWithItsCrc) {
  // Two whole pieces and a part: each whole piece ends in a sync flush, whose empty stored block
  // leaves 00 00 FF FF at the end of the output; the last piece finishes the stream.
  const std::string data = Text(2 * kArchivePieceSize + 12345);
  VectorSink sink;
  DeflateStream stream(sink);
  for (std::size_t from = 0; from < data.size(); from += kArchivePieceSize) {
    const std::size_t size = std::min(kArchivePieceSize, data.size() - from);
    const bool last = from + size == data.size();
    stream.AddPiece(Bytes(data, from, size), last);
    if (!last) {
      const std::string output = Output(sink);
      ASSERT_GE(output.size(), 4u);
      EXPECT_EQ(output.substr(output.size() - 4), std::string("\x00\x00\xFF\xFF", 4));
    }
  }
  EXPECT_TRUE(stream.Finished());
  std::string inflated;
  ASSERT_TRUE(testing::InflateRaw(Output(sink), inflated));
  EXPECT_EQ(inflated, data);
  EXPECT_EQ(stream.Crc32(), ZlibCrc(data));
  EXPECT_EQ(stream.CompressedSize(), sink.Bytes().size());
  EXPECT_EQ(stream.UncompressedSize(), data.size());
  EXPECT_LT(stream.CompressedSize(), data.size() / 4);  // text like this packs well at level 6
}

TEST(DeflateStream, SinglePieceAndFinishedStreamTakesNoMore) {
  const std::string data = "<kml>\n<Document>\n</Document>\n</kml>";
  VectorSink sink;
  DeflateStream stream(sink);
  stream.AddPiece(Bytes(data, 0, data.size()), true);
  std::string inflated;
  ASSERT_TRUE(testing::InflateRaw(Output(sink), inflated));
  EXPECT_EQ(inflated, data);
  // A zlib header would make this no raw stream: 0x78 is a zlib stream's first byte at level 6.
  EXPECT_NE(sink.Bytes().front(), 0x78);
  EXPECT_EQ(stream.Crc32(), ZlibCrc(data));
  EXPECT_THROW(stream.AddPiece(Bytes(data, 0, 1), true), std::logic_error);
}

// A sink that cannot take the output (a full disk) fails the stream: the error leaves through
// AddPiece, and every later call is refused instead of adding to a broken stream.
TEST(DeflateStream, ASinkErrorFailsTheStreamForGood) {
  class FullSink final : public ByteSink {
   public:
    void Write(std::span<const unsigned char>) override {
      throw TrackmintError("Can't write the output file out.kmz: No space left on device");
    }
  } sink;
  const std::string data = Text(5000);
  DeflateStream stream(sink);
  EXPECT_THROW(stream.AddPiece(Bytes(data, 0, 1000), false), TrackmintError);
  EXPECT_THROW(stream.AddPiece(Bytes(data, 1000, 4000), true), std::logic_error);
  EXPECT_THROW(stream.Finished(), std::logic_error);
  EXPECT_THROW(stream.Crc32(), std::logic_error);
  EXPECT_THROW(stream.CompressedSize(), std::logic_error);
  EXPECT_THROW(stream.UncompressedSize(), std::logic_error);
}

}  // namespace
}  // namespace trackmint
