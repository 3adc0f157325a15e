// The picture of a long run: a generated drive of N epochs at 10 Hz (100,000 and 1,000,000 by
// default, or the counts given) with fix classes changing in runs, the satellites used going up
// and down and a few gaps, and the same drive with the class flipping at every epoch (a receiver
// between RTK fixed and float), drawn into a PNG. Prints the time to draw each and the PNG's
// size, and with --png DIR writes each picture there; asserts nothing.
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "picture/run_picture.h"
#include "picture/track_picture.h"

namespace {

using trackmint::IconSlot;
using trackmint::RunPicture;
using trackmint::TrackVertex;

// A deterministic drive: the heading wanders, the class changes every few hundred epochs or, when
// flipping, at every epoch.
RunPicture GeneratedRun(std::size_t epochs, bool flipping) {
  RunPicture picture;
  picture.title = "generated drive of " + std::to_string(epochs) + " epochs" +
                  (flipping ? ", the class flipping at each" : "");
  picture.input_name = "generated.nmea";
  double latitude = 48.1;
  double longitude = 11.5;
  double heading = 0.3;
  std::uint32_t seed = 12345;
  const auto next_random = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / 16777216.0;
  };
  constexpr std::array<IconSlot, 5> kSlots = {IconSlot::Auto, IconSlot::Diff, IconSlot::RtkFix,
                                              IconSlot::RtkFloat, IconSlot::Estimated};
  IconSlot slot = IconSlot::RtkFix;
  std::int64_t time_ms = 8 * 3600 * 1000;
  for (std::size_t i = 0; i < epochs; ++i) {
    heading += (next_random() - 0.5) * 0.05;
    const double metres = 1.5;  // 15 m/s at 10 Hz
    latitude += metres * std::cos(heading) / 111195.0;
    longitude +=
        metres * std::sin(heading) / (111195.0 * std::cos(latitude * std::numbers::pi / 180));
    if (flipping) {
      slot = i % 2 == 0 ? IconSlot::RtkFix : IconSlot::RtkFloat;
    } else if (next_random() < 0.003) {
      slot = kSlots[static_cast<std::size_t>(next_random() * 5)];
    }
    time_ms += (i % 50000 == 49999) ? 30000 : 100;
    TrackVertex vertex;
    vertex.longitude = longitude;
    vertex.latitude = latitude;
    vertex.day = TrackVertex::DayOf(19000 + time_ms / 86400000);
    vertex.time_of_day_ms = static_cast<std::int32_t>(time_ms % 86400000);
    vertex.slot = TrackVertex::SlotByte(slot);
    vertex.satellites = static_cast<std::uint8_t>(14 + 6 * std::sin(static_cast<double>(i) / 5000));
    picture.vertices.push_back(vertex);
    ++picture.placemarks_by_class[static_cast<std::size_t>(slot)];
    ++picture.placemarks;
  }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::size_t> counts;
  std::string png_folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
      png_folder = argv[++i];
    } else {
      counts.push_back(std::strtoull(argv[i], nullptr, 10));
    }
  }
  if (counts.empty()) counts = {100000, 1000000};
  for (const std::size_t count : counts) {
    for (const bool flipping : {false, true}) {
      const RunPicture picture = GeneratedRun(count, flipping);
      const auto start = std::chrono::steady_clock::now();
      const std::vector<unsigned char> png = trackmint::DrawTrackPicture(picture);
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("%zu epochs%s: drawn in %.3f s, PNG of %zu bytes\n", count,
                  flipping ? ", class flipping" : "", seconds, png.size());
      if (png_folder.empty()) continue;
      const std::string path =
          png_folder + "/picture-" + std::to_string(count) + (flipping ? "-flipping" : "") + ".png";
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(png.data()),
                 static_cast<std::streamsize>(png.size()));
      std::printf("  written to %s\n", path.c_str());
    }
  }
  return 0;
}
