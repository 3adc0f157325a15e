#include "kml/document_stream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "support/fixtures.h"
#include "support/temp_directory.h"

namespace trackmint {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

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
      stream.Flush();
      EXPECT_EQ(text, expected);
      stream.Write("tail");
    }
    // The destructor hands on what was written after the last flush.
    EXPECT_EQ(text, expected + "tail");
  }
}

TEST(DocumentStream, FileGetsTheBytesAndNoFailure) {
  testing::TempDirectory directory;
  const std::string path = directory.File("document.kml");
  std::string expected;
  {
    File file(std::fopen(path.c_str(), "w"));
    ASSERT_TRUE(file);
    DocumentStream stream(file.get(), 0);
    WriteMixture(stream, expected);
    stream.Flush();
    EXPECT_FALSE(stream.Failed());
    EXPECT_EQ(stream.ErrorNumber(), 0);
    // Flush has reached the file itself, not only the file's own buffer.
    EXPECT_EQ(testing::ReadWholeFile(path), expected);
  }
  EXPECT_EQ(testing::ReadWholeFile(path), expected);
}

TEST(DocumentStream, RemembersAFailedWrite) {
  // A full device takes nothing; a file opened for reading refuses writes.
  File full(std::fopen("/dev/full", "w"));
  ASSERT_TRUE(full);
  DocumentStream to_full(full.get());
  to_full.Write("<kml>\n");
  EXPECT_FALSE(to_full.Failed());  // nothing has left the buffer yet
  to_full.Flush();
  EXPECT_TRUE(to_full.Failed());
  EXPECT_EQ(to_full.ErrorNumber(), ENOSPC);

  testing::TempDirectory directory;
  const std::string path = directory.File("read-only.kml");
  testing::WriteWholeFile(path, "");
  File read_only(std::fopen(path.c_str(), "r"));
  ASSERT_TRUE(read_only);
  DocumentStream to_read_only(read_only.get(), 0);
  to_read_only.Write(std::string(5000, 'x'));  // longer than the buffer: goes out at once
  EXPECT_TRUE(to_read_only.Failed());
  EXPECT_EQ(to_read_only.ErrorNumber(), EBADF);
  to_read_only.Write("more");
  to_read_only.Flush();
  EXPECT_TRUE(to_read_only.Failed());  // and stays failed
}

}  // namespace
}  // namespace trackmint
