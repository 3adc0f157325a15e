#include "app/batch_progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace trackmint {
namespace {

// What the progress line wrote, with its escapes as they are.
class ProgressStream {
 public:
  ProgressStream() : m_file(std::tmpfile(), std::fclose) {}
  std::FILE* get() const { return m_file.get(); }
  std::string Text() const {
    std::fflush(m_file.get());
    std::string text;
    std::rewind(m_file.get());
    for (int c; (c = std::fgetc(m_file.get())) != EOF;) text += static_cast<char>(c);
    return text;
  }

 private:
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file;
};

// A log without a size shows the megabytes read (millions of bytes, one decimal), written again
// only when the figure changes, however often the run reports.
TEST(BatchProgress, ALogWithoutASizeShowsTheMegabytesRead) {
  ProgressStream stream;
  {
    BatchProgress progress(stream.get());
    progress.ReportProgress(0);
    progress.ReportPhase(RunPhase::Started);
    progress.ReportPhase(RunPhase::Reading);
    progress.ReportBytesRead(1024);
    progress.ReportBytesRead(2048);
    progress.ReportBytesRead(12'345'678);
    progress.ReportBytesRead(12'349'999);
    progress.ReportPhase(RunPhase::Writing);
  }
  EXPECT_EQ(stream.Text(),
            "\rReading the log:   0%"
            "\r\033[KReading the log: 0.0 MB"
            "\r\033[KReading the log: 12.3 MB"
            "\r\033[KWriting the document"
            "\r\033[K");
}

}  // namespace
}  // namespace trackmint
