#pragma once

#include <string>

#include <gtest/gtest.h>

namespace trackmint::testing {

// The real receiver logs kept beside the project (../shared/fixtures/nmea), by their path below
// that folder, e.g. "gpsd/nmea-rtk.log". Fails the test when the folder is missing.
std::string FixturePath(const std::string& relative_path);

// A file of the project's own tree, e.g. "samples/sample.nmea".
std::string SourcePath(const std::string& relative_path);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

// Compares two texts; on a difference the message names the first differing line of each.
::testing::AssertionResult SameText(const std::string& expected, const std::string& actual);

}  // namespace trackmint::testing
