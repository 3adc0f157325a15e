// Writes a deterministic NMEA 0183 log of a vehicle on the move, for the bundled sample and the
// benchmarks. The same arguments always give the same bytes.
//
//   generate_nmea_log [--epochs N | --megabytes M] [--hertz H] [--seed S] OUTPUT
//
// --hertz gives H epochs a second (1 to 100, 1 by default); the runs of each fix class last as
// long in seconds whatever the rate.
//
// The drive passes through runs of every fix class (GGA quality 1, 2, 4, 5, 6 and 0), with GGA
// and RMC of the GN, GP and GL talkers (sometimes RMC first), GSA with and without the NMEA 4.10
// system id, multi-sentence GSV for GPS, SBAS and GLONASS, the proprietary error sentences PQVXD
// and PZQJRZD, and now and then a wrong checksum or a line of noise.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kKnotsPerMetrePerSecond = 1.0 / 0.514444;

// splitmix64: small, fast and the same everywhere.
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t m_state;
};

// One run of the drive: its fix class and how the receiver writes it.
struct Stretch {
  int quality;  // GGA fix quality
  char mode;    // RMC mode indicator
  const char* talker;
  bool rmc_first;  // the receiver sends RMC before GGA
  bool system_id;  // GSA with the NMEA 4.10 system-id field
};

constexpr std::array<Stretch, 6> kStretches = {{
    {1, 'A', "GN", false, true},
    {2, 'D', "GP", true, false},
    {4, 'R', "GN", false, true},
    {5, 'F', "GN", true, true},
    {6, 'E', "GL", false, false},
    {0, 'N', "GN", false, true},
}};
constexpr int kStretchLength = 40;  // epochs

struct Satellite {
  int number;  // NMEA number: 1-32 GPS, 33-64 SBAS, 65-96 GLONASS
  double elevation;
  double azimuth;
};

class LogWriter {
 public:
  LogWriter(std::FILE* out, std::uint64_t seed, int hertz)
      : m_out(out), m_random(seed), m_hertz(hertz) {
    for (int number : {2, 5, 7, 9, 13, 15, 18, 20, 23, 27, 30}) AddSatellite(number);
    for (int number : {44, 46}) AddSatellite(number);                      // SBAS PRN 131 and 133
    for (int number : {65, 66, 72, 73, 80, 81, 88}) AddSatellite(number);  // GLONASS
  }

  std::uint64_t Bytes() const { return m_bytes; }

  void WriteEpoch(long epoch) {
    const Stretch& stretch = kStretches[static_cast<std::size_t>(
        epoch / (kStretchLength * m_hertz) % static_cast<long>(kStretches.size()))];
    Move(stretch);
    const std::time_t now = kStart + epoch / m_hertz;
    std::tm utc{};
    gmtime_r(&now, &utc);
    char time_text[32];
    std::snprintf(time_text, sizeof time_text, "%02d%02d%02d.%02ld", utc.tm_hour, utc.tm_min,
                  utc.tm_sec, epoch % m_hertz * 100 / m_hertz);
    char date_text[32];
    std::snprintf(date_text, sizeof date_text, "%02d%02d%02d", utc.tm_mday, utc.tm_mon + 1,
                  utc.tm_year % 100);

    if (stretch.rmc_first) WriteRmc(stretch, time_text, date_text);
    WriteGga(stretch, time_text);
    if (!stretch.rmc_first) WriteRmc(stretch, time_text, date_text);
    WriteGsa(stretch);
    WriteGsv();
    if (epoch % 5 == 0) WriteSentence(Format("PQVXD,A,%.1f", Accuracy(stretch)));
    if (epoch % 7 == 3) WriteSentence(Format("PZQJRZD,A,%.2f", Accuracy(stretch)));
    if (epoch % 53 == 17) WriteNoise();
  }

 private:
  static constexpr std::time_t kStart = 1773482400;  // 2026-03-14 10:00:00 UTC

  void AddSatellite(int number) {
    m_satellites.push_back({number, 5 + m_random.Uniform() * 80, m_random.Uniform() * 360});
  }

  // Speed changes smoothly, the road bends now and then; dead reckoning drifts, no fix stands.
  void Move(const Stretch& stretch) {
    m_speed = std::clamp(m_speed + (m_random.Uniform() - 0.45) * 1.5, 0.0, 25.0);
    m_heading = std::fmod(m_heading + (m_random.Uniform() - 0.5) * 8 + 360, 360);
    const double metres = stretch.quality == 0 ? 0.0 : m_speed / m_hertz;
    m_latitude += metres * std::cos(m_heading * kPi / 180) / kMetresPerDegree;
    m_longitude += metres * std::sin(m_heading * kPi / 180) /
                   (kMetresPerDegree * std::cos(m_latitude * kPi / 180));
    m_altitude += (m_random.Uniform() - 0.5) * 0.4;
    for (Satellite& satellite : m_satellites) {
      satellite.elevation =
          std::clamp(satellite.elevation + (m_random.Uniform() - 0.5) * 0.2, 1.0, 89.0);
      satellite.azimuth = std::fmod(satellite.azimuth + 0.05, 360);
    }
  }

  double Accuracy(const Stretch& stretch) {
    const double base = stretch.quality == 4   ? 0.02
                        : stretch.quality == 5 ? 0.3
                        : stretch.quality == 2 ? 0.8
                                               : 2.5;
    return base * (0.8 + m_random.Uniform() * 0.4);
  }

  static std::string Coordinate(double value, int degree_digits, char positive, char negative) {
    const double magnitude = std::fabs(value);
    const int degrees = static_cast<int>(magnitude);
    const double minutes = (magnitude - degrees) * 60;
    char text[32];
    std::snprintf(text, sizeof text, "%0*d%08.5f,%c", degree_digits, degrees, minutes,
                  value < 0 ? negative : positive);
    return text;
  }

  template <typename... Args>
  static std::string Format(const char* format, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, format, args...);
    return text;
  }

  void WriteGga(const Stretch& stretch, const char* time_text) {
    const bool differential = stretch.quality == 2 || stretch.quality == 4 || stretch.quality == 5;
    const std::string age = differential ? Format("%.1f", 0.5 + m_random.Uniform() * 2) : "";
    const std::string station = differential ? "0120" : "";
    const int in_use = stretch.quality == 0 ? 0 : 8 + m_random.Below(5);
    WriteSentence(Format("%sGGA,%s,%s,%s,%d,%02d,%.1f,%.3f,M,46.9,M,%s,%s", stretch.talker,
                         time_text, Coordinate(m_latitude, 2, 'N', 'S').c_str(),
                         Coordinate(m_longitude, 3, 'E', 'W').c_str(), stretch.quality, in_use,
                         0.6 + m_random.Uniform(), m_altitude, age.c_str(), station.c_str()));
  }

  void WriteRmc(const Stretch& stretch, const char* time_text, const char* date_text) {
    WriteSentence(Format("%sRMC,%s,%c,%s,%s,%.3f,%.2f,%s,,,%c", stretch.talker, time_text,
                         stretch.quality == 0 ? 'V' : 'A',
                         Coordinate(m_latitude, 2, 'N', 'S').c_str(),
                         Coordinate(m_longitude, 3, 'E', 'W').c_str(),
                         m_speed * kKnotsPerMetrePerSecond, m_heading, date_text, stretch.mode));
  }

  // Twelve slots of the satellites used, then PDOP, HDOP and VDOP (and the system id).
  void WriteGsaOf(const Stretch& stretch, int first, int last, const char* talker,
                  const char* system_id) {
    std::string body = Format("%sGSA,A,%d", talker, stretch.quality == 0 ? 1 : 3);
    int slots = 0;
    for (const Satellite& satellite : m_satellites) {
      if (satellite.number < first || satellite.number > last || slots == 12) continue;
      if (stretch.quality != 0 && satellite.elevation > 10) {
        body += Format(",%02d", satellite.number);
        ++slots;
      }
    }
    for (; slots < 12; ++slots) body += ",";
    body += Format(",%.1f,%.1f,%.1f%s", 1.2 + m_random.Uniform(), 0.7 + m_random.Uniform() * 0.5,
                   1.0 + m_random.Uniform(), system_id);
    WriteSentence(body);
  }

  void WriteGsa(const Stretch& stretch) {
    if (stretch.system_id) {
      WriteGsaOf(stretch, 1, 64, "GN", ",1");
      WriteGsaOf(stretch, 65, 96, "GN", ",2");
    } else {
      WriteGsaOf(stretch, 1, 64, "GP", "");
      WriteGsaOf(stretch, 65, 96, "GL", "");
    }
  }

  void WriteGsvOf(int first, int last, const char* talker) {
    std::vector<const Satellite*> in_view;
    for (const Satellite& satellite : m_satellites) {
      if (satellite.number >= first && satellite.number <= last) in_view.push_back(&satellite);
    }
    const int sentences = static_cast<int>((in_view.size() + 3) / 4);
    for (int sentence = 0; sentence < sentences; ++sentence) {
      std::string body = Format("%sGSV,%d,%d,%02d", talker, sentences, sentence + 1,
                                static_cast<int>(in_view.size()));
      for (std::size_t i = static_cast<std::size_t>(sentence) * 4;
           i < in_view.size() && i < static_cast<std::size_t>(sentence) * 4 + 4; ++i) {
        const Satellite& satellite = *in_view[i];
        const int snr = satellite.elevation < 8
                            ? 0
                            : 20 + static_cast<int>(satellite.elevation / 3) + m_random.Below(6);
        body += Format(",%02d,%02d,%03d,", satellite.number, static_cast<int>(satellite.elevation),
                       static_cast<int>(satellite.azimuth));
        if (snr > 0) body += Format("%02d", snr);
      }
      WriteSentence(body);
    }
  }

  void WriteGsv() {
    WriteGsvOf(1, 64, "GP");
    WriteGsvOf(65, 96, "GL");
  }

  void WriteNoise() {
    switch (m_noise++ % 4) {
      case 0:
        WriteRaw("RECEIVER RESTART? baud 115200 OK\r\n");
        break;
      case 1:
        WriteRaw("$GPGGA,cut off in the middle\r\n");
        break;
      case 2: {
        std::string binary = "\xB5\x62\x0A\x38";
        for (int i = 0; i < 40; ++i)
          binary += static_cast<char>(m_random.Below(256) & 0xDB);  // no '$' (0x24) or '*' (0x2A)
        WriteRaw(binary + "\r\n");
        break;
      }
      default:
        WriteRaw("\r\n\r\n");
        break;
    }
  }

  void WriteSentence(const std::string& body) {
    unsigned checksum = 0;
    for (unsigned char c : body) checksum ^= c;
    // Now and then a line arrives damaged: its checksum no longer matches.
    if (++m_sentences % 97 == 0) checksum ^= 0x11;
    WriteRaw(Format("$%s*%02X\r\n", body.c_str(), checksum));
  }

  void WriteRaw(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), m_out);
    m_bytes += text.size();
  }

  std::FILE* m_out;
  Random m_random;
  std::vector<Satellite> m_satellites;
  double m_latitude = 52.0907;
  double m_longitude = 5.1214;
  double m_altitude = 12.0;
  double m_speed = 8.0;     // m/s
  double m_heading = 60.0;  // degrees
  std::uint64_t m_bytes = 0;
  long m_sentences = 0;
  int m_noise = 0;
  int m_hertz;
};

int Usage() {
  std::fprintf(stderr,
               "usage: generate_nmea_log [--epochs N | --megabytes M] [--hertz H] [--seed S] "
               "OUTPUT\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  long epochs = 6L * kStretchLength;  // every fix class once: four minutes at 1 Hz
  double megabytes = 0;
  std::uint64_t seed = 20261209;
  int hertz = 1;
  const char* output = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--epochs" && i + 1 < argc) {
      epochs = std::atol(argv[++i]);
    } else if (argument == "--megabytes" && i + 1 < argc) {
      megabytes = std::atof(argv[++i]);
    } else if (argument == "--hertz" && i + 1 < argc) {
      hertz = std::atoi(argv[++i]);
      if (hertz < 1 || hertz > 100) return Usage();
    } else if (argument == "--seed" && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (!argument.starts_with("--") && output == nullptr) {
      output = argv[i];
    } else {
      return Usage();
    }
  }
  if (output == nullptr) return Usage();
  std::FILE* out = std::fopen(output, "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "generate_nmea_log: cannot create %s: %s\n", output, std::strerror(errno));
    return 1;
  }
  LogWriter writer(out, seed, hertz);
  const auto target_bytes = static_cast<std::uint64_t>(megabytes * 1024 * 1024);
  for (long epoch = 0; megabytes > 0 ? writer.Bytes() < target_bytes : epoch < epochs; ++epoch) {
    writer.WriteEpoch(epoch);
  }
  if (std::fclose(out) != 0) {
    std::fprintf(stderr, "generate_nmea_log: cannot write %s\n", output);
    return 1;
  }
  return 0;
}
