#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "base/trackmint_error.h"
#include "support/stub_host.h"

namespace trackmint::testing {

// A host whose answer to a member error is decided by the test, which may also repair the
// cause (make the file readable, lift a limit) before it answers.
class ScriptedHost : public StubHost {
 public:
  std::function<MemberErrorAnswer(const std::string&)> on_member_error;
  MemberErrorAnswer AskMemberError(const std::string& error_text) override {
    member_errors.push_back(error_text);
    return on_member_error ? on_member_error(error_text) : member_error_answer;
  }
};

// Like the batch mode: nobody can answer, so the question becomes an error.
class NoAnswerHost : public StubHost {
 public:
  MemberErrorAnswer AskMemberError(const std::string& error_text) override {
    member_errors.push_back(error_text);
    throw TrackmintError(error_text);
  }
};

// The names in a directory, sorted; hidden ones included.
std::vector<std::string> DirectoryNames(const std::string& directory);
// The hidden names this program uses for its unfinished files.
std::vector<std::string> LeftOverNames(const std::string& directory);

// A file that exists but cannot be opened for reading, even by root: a Unix socket.
void MakeSocket(const std::string& path);

void SetModificationTime(const std::string& path, std::time_t time);

// Bytes that deflate cannot shrink.
std::string RandomBytes(std::size_t size, unsigned seed);

}  // namespace trackmint::testing
