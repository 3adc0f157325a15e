// Times the archive phase on one large document against gzip -6 on the same file.
//
// Usage: bench_archive [FILE [WORK_DIRECTORY]]
// Without FILE it packs 20 copies of the nmeaparser sample log. The KMZ is written into a fresh
// directory under WORK_DIRECTORY (default: $TMPDIR or /tmp) and removed afterwards.

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/classic_system_colours.h"
#include "base/clock.h"
#include "base/trackmint_error.h"
#include "kmz/archive_phase.h"
#include "kmz/arrow_icon.h"
#include "kmz/intermediate_directory.h"
#include "run/run_host.h"

namespace trackmint {
namespace {

constexpr int kRounds = 3;
constexpr int kSampleCopies = 20;

// Only what the archive phase and the icon maker ask for has a value.
class BenchHost final : public RunHost {
 public:
  std::string InputText() const override { return {}; }
  std::string InputPath() const override { return {}; }
  std::string OutputText() const override { return {}; }
  std::string OutputPath() const override { return {}; }
  void SetOutputPath(const std::string&) override {}
  std::string ExecutableDirectory() const override { return {}; }
  WindowColour ClassColour(IconSlot slot) const override {
    constexpr WindowColour kDesigned[] = {0x0000FF, 0x00FFFF, 0x008000,       0xFF00FF,
                                          0xFFFF00, 0x000000, kGreyIconColour};
    return kDesigned[static_cast<int>(slot)];
  }
  WindowColour TrackColour() const override { return 0x0000FF; }
  std::string TrackWidthText() const override { return "5"; }
  std::string IconScaleText() const override { return "0.5"; }
  bool UseFixedDate() const override { return false; }
  std::string FixedDateText() const override { return {}; }
  bool ShowHeight() const override { return false; }
  bool UseAllWaypoints() const override { return false; }
  WindowColour ResolveColour(WindowColour colour) const override {
    return ClassicSystemColour(colour);
  }
  void SetIconFileName(IconSlot, const std::string&) override {}
  std::string IconFileName(IconSlot) const override { return {}; }
  void SetLeftStatus(const std::string&) override {}
  void SetRightStatus(const std::string&) override {}
  std::string RightStatus() const override { return {}; }
  void SetProgress(int) override {}
  void AdvanceProgress() override {}
  void SetRunEnabled(bool) override {}
  void LockSettings() override {}
  void UnlockSettings() override {}
  void ProcessPendingEvents() override { ++pending_event_calls; }
  void ShowFinalMessage(const std::string&) override {}
  MemberErrorAnswer AskMemberError(const std::string& error_text) override {
    throw TrackmintError(error_text);
  }

  int pending_event_calls = 0;
};

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

std::uint64_t FileSize(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Reads the file once so that both contenders find it in the page cache.
void Warm(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> buffer(1 << 20);
  while (file.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || file.gcount()) {
  }
}

int Run(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string work_root = argc > 2 ? argv[2] : (tmp && *tmp ? tmp : "/tmp");
  const std::string work = (std::filesystem::path(work_root) / "trackmint-bench").string();
  std::filesystem::create_directories(work);
  auto scratch = IntermediateDirectory::Create(work + "/bench.kmz");
  if (!scratch) {
    std::cerr << "bench_archive: cannot work in " << work << "\n";
    return 1;
  }

  std::string input = argc > 1 ? argv[1] : "";
  if (input.empty()) {
    const std::string sample =
        std::string(TRACKMINT_TEST_DATA_DIR) + "/nmea/nmeaparser/NmeaSampleData.txt";
    input = scratch->File("sample-x20.kml");
    std::ofstream out(input, std::ios::binary);
    for (int i = 0; i < kSampleCopies; ++i) {
      std::ifstream in(sample, std::ios::binary);
      if (!in) {
        std::cerr << "bench_archive: cannot read " << sample << "\n";
        return 1;
      }
      out << in.rdbuf();
    }
  }
  const std::uint64_t size = FileSize(input);
  if (size == 0) {
    std::cerr << "bench_archive: " << input << " is missing or empty\n";
    return 1;
  }

  BenchHost host;
  const SystemClock clock;
  std::vector<std::string> icons;
  for (int slot = 0; slot < kIconSlotCount; ++slot) {
    const auto icon = static_cast<IconSlot>(slot);
    const WindowColour colour = icon == IconSlot::Grey ? kGreyIconColour : host.ClassColour(icon);
    icons.push_back(scratch->File(MakeArrowIcon(colour, scratch->path(), host)));
  }
  Warm(input);

  const std::string kmz = scratch->File("bench.kmz");
  const std::string gzip = "gzip -6 -c " + ShellQuoted(input) + " > /dev/null";
  double best_archive = 1e9;
  double best_gzip = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    PackKmz(kmz, input, icons, host, clock);
    best_archive = std::min(best_archive, Seconds(std::chrono::steady_clock::now() - start));

    start = std::chrono::steady_clock::now();
    if (std::system(gzip.c_str()) != 0) {
      std::cerr << "bench_archive: gzip failed\n";
      return 1;
    }
    best_gzip = std::min(best_gzip, Seconds(std::chrono::steady_clock::now() - start));
  }

  const double megabytes = static_cast<double>(size) / 1e6;
  std::printf("input            %s\n", input.c_str());
  std::printf("input size       %.1f MB\n", megabytes);
  std::printf("KMZ size         %.1f MB (%.1f%% of the input)\n",
              static_cast<double>(FileSize(kmz)) / 1e6,
              100.0 * static_cast<double>(FileSize(kmz)) / static_cast<double>(size));
  std::printf("archive phase    %.3f s (%.1f MB/s), best of %d\n", best_archive,
              megabytes / best_archive, kRounds);
  std::printf("gzip -6          %.3f s (%.1f MB/s), best of %d\n", best_gzip, megabytes / best_gzip,
              kRounds);
  std::printf("ratio            %.2f (aim: at most 1.2)\n", best_archive / best_gzip);
  std::printf("host turns       %d in %d rounds\n", host.pending_event_calls, kRounds);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory      %.1f MB (whole process)\n",
              static_cast<double>(usage.ru_maxrss) / 1024);
  scratch.reset();
  std::error_code ignored;
  std::filesystem::remove(work, ignored);  // only when empty
  return 0;
}

}  // namespace
}  // namespace trackmint

int main(int argc, char** argv) {
  try {
    return trackmint::Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "bench_archive: " << error.what() << "\n";
    return 1;
  }
}
