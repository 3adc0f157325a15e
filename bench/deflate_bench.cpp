// The deflate of a document: pieces on the deflate workers (as the run does it, one per core by
// default, or the number given) against one stream on one core, both at level 6. Prints the time
// and the size of each, their ratio, and how much the workers' peak memory added to what the
// process held with the document read; asserts nothing.
#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "kml/document_stream.h"
#include "kmz/byte_sink.h"
#include "kmz/parallel_deflate.h"

namespace {

// Counts what it is given and keeps nothing.
class CountingSink final : public trackmint::ByteSink {
 public:
  void Write(std::span<const unsigned char> bytes) override { size += bytes.size(); }
  std::size_t size = 0;
};

// The largest resident size the process has had so far, in KiB.
long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::size_t SingleStream(const std::string& text) {
  z_stream stream{};
  deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(1 << 20, '\0');
  std::size_t total = 0;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(std::min<std::size_t>(text.size(), 1u << 30));
  std::size_t fed = stream.avail_in;
  for (;;) {
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (stream.avail_in == 0 && fed < text.size()) {
      const std::size_t more = std::min<std::size_t>(text.size() - fed, 1u << 30);
      stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + fed));
      stream.avail_in = static_cast<uInt>(more);
      fed += more;
    }
    const int result = deflate(&stream, fed == text.size() ? Z_FINISH : Z_NO_FLUSH);
    total += out.size() - stream.avail_out;
    if (result == Z_STREAM_END) break;
  }
  deflateEnd(&stream);
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: bench_deflate DOCUMENT [WORKERS]\n");
    return 2;
  }
  const unsigned workers =
      trackmint::DeflateWorkers(argc == 3 ? static_cast<unsigned>(std::atoi(argv[2])) : 0);
  // Read into a string of the file's size, so that the peak so far is the document itself.
  std::ifstream file(argv[1], std::ios::binary | std::ios::ate);
  std::string text(file ? static_cast<std::size_t>(file.tellg()) : 0, '\0');
  file.seekg(0);
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (text.empty()) {
    std::fprintf(stderr, "bench_deflate: %s is empty or missing\n", argv[1]);
    return 1;
  }
  const std::size_t capacity = trackmint::DocumentStream::kDefaultCapacity;

  const long resident_before = PeakResidentKiB();
  auto start = std::chrono::steady_clock::now();
  CountingSink sink;
  {
    trackmint::ParallelDeflate deflate(sink, capacity, workers);
    auto buffer = std::make_unique<char[]>(capacity);
    for (std::size_t at = 0; at < text.size(); at += capacity) {
      const std::size_t size = std::min(capacity, text.size() - at);
      std::memcpy(buffer.get(), text.data() + at, size);
      buffer = deflate.TakePiece(std::move(buffer), size);
    }
    deflate.Finish();
  }
  const double parallel_seconds = Seconds(start);
  const long workers_peak = PeakResidentKiB() - resident_before;

  start = std::chrono::steady_clock::now();
  const std::size_t single = SingleStream(text);
  const double single_seconds = Seconds(start);

  const double megabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
  std::printf("deflate: %.1f MB of document, %u cores, %u workers\n", megabytes,
              std::thread::hardware_concurrency(), workers);
  std::printf("  pieces on the workers: %.3f s, %.0f MB/s, %zu bytes, %.1f MiB more at the peak\n",
              parallel_seconds, megabytes / parallel_seconds, sink.size,
              static_cast<double>(workers_peak) / 1024.0);
  std::printf("  one stream, one core: %.3f s, %.0f MB/s, %zu bytes\n", single_seconds,
              megabytes / single_seconds, single);
  std::printf("  size of the pieces against one stream: %+.3f %%\n",
              100.0 * (static_cast<double>(sink.size) / static_cast<double>(single) - 1.0));
  return 0;
}
