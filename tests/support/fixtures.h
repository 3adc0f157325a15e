#pragma once

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace trackmint::testing {

// The real receiver logs kept in the project's test data (tests/data/nmea), by their path below
// that folder, e.g. "gpsd/nmea-rtk.log". Fails the test when the file is missing.
std::string FixturePath(const std::string& relative_path);

// A log that the project may not copy (the GPL-licensed ones), by its path below the shared
// fixture folder beside the project (../shared/fixtures/nmea, or $TRACKMINT_FIXTURES); nothing
// when that file is not there.
std::optional<std::string> SharedFixturePath(const std::string& relative_path);

// The message a test gives when it skips for want of a shared log.
std::string SharedFixtureMissingText(const std::string& relative_path);

// A file of the project's own tree, e.g. "samples/sample.nmea".
std::string SourcePath(const std::string& relative_path);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// Compares two texts; on a difference the message names the first differing line of each.
::testing::AssertionResult SameText(const std::string& expected, const std::string& actual);

}  // namespace trackmint::testing

// Declares `variable` as the path of a shared log, or skips the test with a message saying which
// log is missing and where it was looked for.
#define TRACKMINT_SHARED_FIXTURE_OR_SKIP(variable, relative_path)                  \
  const std::optional<std::string> variable##_found =                              \
      ::trackmint::testing::SharedFixturePath(relative_path);                      \
  if (!variable##_found) {                                                         \
    GTEST_SKIP() << ::trackmint::testing::SharedFixtureMissingText(relative_path); \
  }                                                                                \
  const std::string& variable = *variable##_found
