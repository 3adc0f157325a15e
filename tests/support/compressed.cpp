#include "support/compressed.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fixtures.h"
#include "support/program_run.h"
#include "support/temp_directory.h"

namespace trackmint::testing {

std::string Compressed(const std::string& tool, const std::string& bytes) {
  TempDirectory directory;
  WriteWholeFile(directory.File("raw"), bytes);
  std::vector<std::string> arguments = {"-c"};
  if (tool == "gzip") arguments.push_back("-n");
  if (tool == "zstd") arguments.push_back("-q");
  arguments.push_back("raw");
  const ProgramResult result = RunProgram("/usr/bin/" + tool, arguments, directory.path());
  EXPECT_EQ(result.exit_status, 0) << tool << ": " << result.err;
  return result.out;
}

}  // namespace trackmint::testing
