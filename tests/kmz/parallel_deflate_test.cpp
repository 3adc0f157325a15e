#include "kmz/parallel_deflate.h"

#include <sched.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "kmz/byte_sink.h"
#include "kmz/raw_deflater.h"
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

// Hands the text to the deflater in pieces of the capacity, as the document stream does.
void FeedPieces(ParallelDeflate& deflate, const std::string& text, std::size_t capacity) {
  std::unique_ptr<char[]> buffer = std::make_unique<char[]>(capacity);
  for (std::size_t at = 0; at < text.size(); at += capacity) {
    const std::size_t size = std::min(capacity, text.size() - at);
    std::memcpy(buffer.get(), text.data() + at, size);
    buffer = deflate.TakePiece(std::move(buffer), size);
  }
}

// Deflates the text in pieces of the capacity and returns what reached the sink.
std::string Deflate(const std::string& text, std::size_t capacity, unsigned workers) {
  VectorSink sink;
  ParallelDeflate deflate(sink, capacity, workers);
  FeedPieces(deflate, text, capacity);
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

// The pieces, their dictionaries and their order do not depend on which worker compressed what.
TEST(ParallelDeflate, SameBytesWhateverTheNumberOfWorkers) {
  struct Case {
    const char* legend;
    std::string text;
    std::size_t capacity;
  };
  const std::vector<Case> cases = {
      {"pieces shorter than the window", DocumentLikeText(400000), 7000},
      {"pieces longer than the window", DocumentLikeText(3000000), 100000},
      {"random bytes and text", testing::RandomBytes(150000, 3) + DocumentLikeText(150000), 40000},
  };
  for (const Case& c : cases) {
    const std::string one_worker = Deflate(c.text, c.capacity, 1);
    for (const unsigned workers : {2u, 4u, kMaxDeflateWorkers}) {
      SCOPED_TRACE(std::string(c.legend) + ", workers " + std::to_string(workers));
      EXPECT_TRUE(Deflate(c.text, c.capacity, workers) == one_worker);
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

// Raw inflate of a stream that has no end yet: what its sync-flushed pieces hold, or "no stream"
// when the bytes are not such pieces.
std::string InflateUnfinished(const std::vector<unsigned char>& compressed) {
  z_stream stream{};
  if (inflateInit2(&stream, -15) != Z_OK) return "no stream";
  std::string text;
  std::vector<unsigned char> input = compressed;
  stream.next_in = input.data();
  stream.avail_in = static_cast<uInt>(input.size());
  int result = Z_OK;
  while (result == Z_OK && stream.avail_in > 0) {
    char out[65536];
    stream.next_out = reinterpret_cast<Bytef*>(out);
    stream.avail_out = sizeof out;
    result = inflate(&stream, Z_SYNC_FLUSH);
    text.append(out, sizeof out - stream.avail_out);
  }
  inflateEnd(&stream);
  return result == Z_OK ? text : "no stream";
}

// Compresses as the program does, except the piece that begins with '!', which it cannot.
class FailingOnMarkedPiece final : public PieceCompressor {
 public:
  std::size_t Compress(std::span<const unsigned char> piece,
                       std::span<const unsigned char> dictionary, bool last,
                       std::vector<unsigned char>& output) override {
    if (!piece.empty() && piece[0] == '!') throw TrackmintError("Not enough memory to compress");
    m_deflater.Restart(dictionary);
    return m_deflater.Compress(piece, last, output);
  }

 private:
  RawDeflater m_deflater;
};

// Takes the first bytes it is given, then fails as a full disk does.
class FillingSink final : public ByteSink {
 public:
  explicit FillingSink(std::size_t writes) : m_writes_left(writes) {}
  void Write(std::span<const unsigned char> bytes) override {
    if (m_writes_left == 0) throw TrackmintError("Can't write the output file out.kmz: full");
    --m_writes_left;
    taken.insert(taken.end(), bytes.begin(), bytes.end());
  }
  std::vector<unsigned char> taken;

 private:
  std::size_t m_writes_left;
};

// Whatever fails, a worker's compressor or the sink: the error leaves through the caller with
// its own message, the sink holds exactly the pieces before the one that failed, every later call
// is refused, and the workers end when the deflater goes.
TEST(ParallelDeflate, AFailureFailsTheStreamForGood) {
  constexpr std::size_t kCapacity = 10000;
  constexpr std::size_t kPieces = 30;
  constexpr std::size_t kFailingPiece = 11;
  std::string text = DocumentLikeText(kPieces * kCapacity);
  text[kFailingPiece * kCapacity] = '!';
  const PieceCompressorMaker failing_worker = [] {
    return std::make_unique<FailingOnMarkedPiece>();
  };
  struct Case {
    const char* legend;
    PieceCompressorMaker make_compressor;
    std::size_t sink_writes;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"a worker fails", failing_worker, kPieces, "Not enough memory to compress"},
      {"the sink fails", {}, kFailingPiece, "Can't write the output file out.kmz: full"},
  };
  for (const Case& c : cases) {
    for (const unsigned workers : {1u, 2u, 4u}) {
      SCOPED_TRACE(std::string(c.legend) + ", workers " + std::to_string(workers));
      FillingSink sink(c.sink_writes);
      ParallelDeflate deflate(sink, kCapacity, workers, c.make_compressor);
      std::string message;
      try {
        FeedPieces(deflate, text, kCapacity);
        deflate.Finish();
      } catch (const TrackmintError& error) {
        message = error.what();
      }
      EXPECT_EQ(message, c.message);
      EXPECT_TRUE(InflateUnfinished(sink.taken) == text.substr(0, kFailingPiece * kCapacity));
      const std::size_t written = sink.taken.size();
      EXPECT_THROW(deflate.TakePiece(std::make_unique<char[]>(kCapacity), 10), std::logic_error);
      EXPECT_THROW(deflate.Finish(), std::logic_error);
      EXPECT_THROW(deflate.Crc32(), std::logic_error);
      EXPECT_THROW(deflate.CompressedSize(), std::logic_error);
      EXPECT_EQ(sink.taken.size(), written);
    }
  }
}

// The number asked for is held to 1..kMaxDeflateWorkers, 0 taking the default; each worker gets
// a compressor of its own, and one that cannot be made fails the constructor.
TEST(ParallelDeflate, WorkersAreCappedAndEachHasItsCompressor) {
  struct Case {
    unsigned requested;
    unsigned expected;
  };
  const std::vector<Case> cases = {
      {0, DefaultDeflateWorkers()}, {1, 1}, {3, 3}, {8, 8}, {9, 8}, {1000, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.requested);
    EXPECT_EQ(DeflateWorkers(c.requested), c.expected);
    std::atomic<unsigned> made{0};
    VectorSink sink;
    ParallelDeflate deflate(sink, 100, c.requested, [&made] {
      ++made;
      return std::make_unique<FailingOnMarkedPiece>();
    });
    EXPECT_EQ(made, c.expected);
  }
  unsigned made = 0;
  VectorSink sink;
  EXPECT_THROW(ParallelDeflate(sink, 100, 4,
                               [&made]() -> std::unique_ptr<PieceCompressor> {
                                 if (++made == 3) throw TrackmintError("no memory");
                                 return std::make_unique<FailingOnMarkedPiece>();
                               }),
               TrackmintError);
  EXPECT_EQ(made, 3u);
}

// One worker for each core the process may run on: a thread bound to one core gets one.
TEST(ParallelDeflate, DefaultIsTheCoresThisProcessMayRunOn) {
  EXPECT_GE(DefaultDeflateWorkers(), 1u);
  EXPECT_LE(DefaultDeflateWorkers(), kMaxDeflateWorkers);
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  ASSERT_EQ(::sched_getaffinity(0, sizeof allowed, &allowed), 0);
  int first = 0;
  while (!CPU_ISSET(first, &allowed)) ++first;
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(first, &one);
  ASSERT_EQ(::sched_setaffinity(0, sizeof one, &one), 0);
  const unsigned pinned = DefaultDeflateWorkers();
  ASSERT_EQ(::sched_setaffinity(0, sizeof allowed, &allowed), 0);
  EXPECT_EQ(pinned, 1u);
}

}  // namespace
}  // namespace trackmint
