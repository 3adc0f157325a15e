#include "support/read_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "quiet_observer.h"
#include "run/input_phase.h"
#include "support/fixtures.h"

namespace trackmint::testing {

EpochList ReadLogFile(const std::string& path, const Clock& clock) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) {
    ADD_FAILURE() << "cannot open " << path;
    return {};
  }
  struct stat info {};
  fstat(fileno(file.get()), &info);
  QuietObserver observer;
  ProgressGauge gauge(static_cast<std::uint64_t>(info.st_size), observer);
  EpochList epochs;
  NMEA assembler;
  ReadEpochList(file.get(), path, epochs, assembler, gauge, observer, clock);
  return epochs;
}

EpochList ReadFixtureLog(const std::string& name, const Clock& clock) {
  return ReadLogFile(FixturePath(name), clock);
}

}  // namespace trackmint::testing
