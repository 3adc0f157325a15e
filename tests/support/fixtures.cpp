#include "support/fixtures.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace trackmint::testing {

std::string FixturePath(const std::string& relative_path) {
  const std::string path = std::string(TRACKMINT_TEST_DATA_DIR) + "/nmea/" + relative_path;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) ADD_FAILURE() << "The receiver log is missing: " << path;
  return path;
}

namespace {

std::string SharedFixtureDirectory() {
  const char* override_dir = std::getenv("TRACKMINT_FIXTURES");
  return override_dir != nullptr && *override_dir != '\0' ? override_dir : TRACKMINT_FIXTURE_DIR;
}

}  // namespace

std::optional<std::string> SharedFixturePath(const std::string& relative_path) {
  const std::string path = SharedFixtureDirectory() + "/" + relative_path;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return path;
}

std::string SharedFixtureMissingText(const std::string& relative_path) {
  return "The GPL-licensed log " + relative_path + " is not in the project; it was looked for in " +
         SharedFixtureDirectory() + " (set TRACKMINT_FIXTURES to another folder)";
}

std::string SourcePath(const std::string& relative_path) {
  return std::string(TRACKMINT_SOURCE_DIR) + "/" + relative_path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("test cannot read " + path);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("test cannot write " + path);
  file << content;
}

namespace {

std::string LineAt(const std::string& text, std::size_t start) {
  const auto end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

::testing::AssertionResult SameText(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  std::size_t line_start = 0;
  int line = 1;
  for (std::size_t i = 0; i < expected.size() && i < actual.size() && expected[i] == actual[i];
       ++i) {
    if (expected[i] == '\n') {
      line_start = i + 1;
      ++line;
    }
  }
  return ::testing::AssertionFailure()
         << "texts differ first at line " << line << "\n  expected: \""
         << LineAt(expected, line_start) << "\"\n  actual:   \"" << LineAt(actual, line_start)
         << "\"\n  (lengths " << expected.size() << " and " << actual.size() << ")";
}

}  // namespace trackmint::testing
