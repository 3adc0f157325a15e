#include "kml/document_stream.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace trackmint {
namespace {

// Mixed pieces: short texts, single characters, numbers, and texts longer than the buffer.
void WriteMixture(DocumentStream& stream, std::string& expected) {
  for (int i = 0; i < 500; ++i) {
    stream.Write("<v>");
    stream.WriteFixed(i + 0.25, 2);
    stream.Write(',');
    stream.WriteDecimal(-i);
    stream.Write("</v>\n");
    expected += "<v>" + std::to_string(i) + ".25," + std::to_string(-i) + "</v>\n";
    if (i % 97 == 0) {
      const std::string long_text(3000 + static_cast<std::size_t>(i),
                                  static_cast<char>('a' + i % 26));
      stream.Write(long_text);
      expected += long_text;
    }
  }
}

TEST(DocumentStream, StringGetsEveryPieceInOrderWhateverTheBufferSize) {
  for (const std::size_t capacity :
       {std::size_t{0}, std::size_t{1000}, DocumentStream::kDefaultCapacity}) {
    SCOPED_TRACE(capacity);
    std::string text;
    std::string expected;
    {
      DocumentStream stream(text, capacity);
      WriteMixture(stream, expected);
      EXPECT_EQ(stream.Size(), expected.size());
      stream.Flush();
      EXPECT_EQ(text, expected);
      stream.Write("tail");
    }
    // What was not flushed is dropped: a run that fails half-way hands on no half piece.
    EXPECT_EQ(text, expected);
  }
}

// A sink that keeps each piece as it came and hands back a fresh buffer, as the deflate stream
// does.
class RecordingSink final : public PieceSink {
 public:
  explicit RecordingSink(std::size_t capacity) : m_capacity(capacity) {}
  std::unique_ptr<char[]> TakePiece(std::unique_ptr<char[]> piece, std::size_t size) override {
    pieces.emplace_back(piece.get(), size);
    buffers.push_back(piece.get());
    if (fail_after >= 0 && static_cast<int>(pieces.size()) > fail_after) {
      throw std::runtime_error("the disk is full");
    }
    return std::make_unique<char[]>(m_capacity);
  }
  std::vector<std::string> pieces;
  std::vector<const char*> buffers;
  int fail_after = -1;

 private:
  std::size_t m_capacity;
};

TEST(DocumentStream, PiecesGoToTheSinkWholeAndInOrder) {
  constexpr std::size_t kCapacity = 1000;
  RecordingSink sink(kCapacity);
  std::string expected;
  DocumentStream stream(sink, kCapacity);
  WriteMixture(stream, expected);
  // A text longer than the room left fills the buffer to the brim before it goes.
  const std::string long_text(2500, 'L');
  stream.Write(long_text);
  expected += long_text;
  stream.Flush();
  stream.Flush();  // nothing more to hand on: no empty piece

  std::string joined;
  for (const std::string& piece : sink.pieces) {
    EXPECT_FALSE(piece.empty());
    EXPECT_LE(piece.size(), kCapacity);
    joined += piece;
  }
  EXPECT_EQ(joined, expected);
  ASSERT_GE(sink.pieces.size(), 4u);
  // The long text: two pieces of exactly the capacity after the one it began in.
  EXPECT_EQ(sink.pieces[sink.pieces.size() - 2].size(), kCapacity);
  // Each piece is the buffer itself, never a copy: no buffer comes twice while the sink has it.
  for (std::size_t i = 1; i < sink.buffers.size(); ++i) {
    EXPECT_NE(sink.buffers[i], sink.buffers[i - 1]);
  }
}

TEST(DocumentStream, ASinkThatFailsStopsTheWriterThatWrote) {
  RecordingSink sink(DocumentStream::kMinCapacity);
  sink.fail_after = 1;
  DocumentStream stream(sink, DocumentStream::kMinCapacity);
  const std::string text(DocumentStream::kMinCapacity, 'x');
  stream.Write(text);
  stream.Write(text);  // the first piece goes and is taken
  EXPECT_THROW(stream.Write(text), std::runtime_error);
  EXPECT_EQ(sink.pieces.size(), 2u);
}

// The piece that failed took the buffer with it: every later call is refused, none writes into
// the buffer that is gone, and the sink is given nothing more.
TEST(DocumentStream, AFailedStreamRefusesEveryLaterCall) {
  struct Case {
    const char* legend;
    std::function<void(DocumentStream&)> call;
  };
  const std::vector<Case> cases = {
      {"short text", [](DocumentStream& s) { s.Write("<Point>"); }},
      {"empty text", [](DocumentStream& s) { s.Write(std::string_view()); }},
      {"long text", [](DocumentStream& s) { s.Write(std::string(5000, 'x')); }},
      {"character", [](DocumentStream& s) { s.Write('<'); }},
      {"fixed", [](DocumentStream& s) { s.WriteFixed(11.5, 6); }},
      {"decimal", [](DocumentStream& s) { s.WriteDecimal(42); }},
      {"flush", [](DocumentStream& s) { s.Flush(); }},
      {"size", [](DocumentStream& s) { (void)s.Size(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    RecordingSink sink(DocumentStream::kMinCapacity);
    sink.fail_after = 0;
    DocumentStream stream(sink, DocumentStream::kMinCapacity);
    stream.Write("<kml>");
    EXPECT_THROW(stream.Flush(), std::runtime_error);
    EXPECT_THROW(c.call(stream), std::logic_error);
    EXPECT_THROW(c.call(stream), std::logic_error);
    EXPECT_EQ(sink.pieces.size(), 1u);
  }
}

}  // namespace
}  // namespace trackmint
