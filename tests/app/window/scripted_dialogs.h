#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/window/window_dialogs.h"

namespace trackmint::testing {

// One box or chooser that the window opened, with what it was opened with.
struct DialogCall {
  enum class Kind { OpenFile, SaveFile, Colour, Warning, YesNo, Information, Error };
  Kind kind;
  FileChooser chooser;      // file choosers
  WindowColour colour = 0;  // the colour chooser's starting colour
  std::string text;         // message boxes
};

// Answers the window's questions from a script and records every call. A question with no
// scripted answer is cancelled (No, for a yes-or-no question).
class ScriptedDialogs final : public WindowDialogs {
 public:
  std::deque<std::optional<std::string>> file_answers;
  std::deque<std::optional<WindowColour>> colour_answers;
  std::deque<bool> yes_no_answers;
  std::vector<DialogCall> calls;

  std::optional<std::string> AskOpenFile(const FileChooser& chooser) override {
    calls.push_back({DialogCall::Kind::OpenFile, chooser, 0, {}});
    return NextFile();
  }
  std::optional<std::string> AskSaveFile(const FileChooser& chooser) override {
    calls.push_back({DialogCall::Kind::SaveFile, chooser, 0, {}});
    return NextFile();
  }
  std::optional<WindowColour> AskColour(WindowColour initial) override {
    calls.push_back({DialogCall::Kind::Colour, {}, initial, {}});
    if (colour_answers.empty()) return std::nullopt;
    const std::optional<WindowColour> answer = colour_answers.front();
    colour_answers.pop_front();
    return answer;
  }
  void ShowWarning(const std::string& text) override {
    calls.push_back({DialogCall::Kind::Warning, {}, 0, text});
  }
  bool AskYesNo(const std::string& text) override {
    calls.push_back({DialogCall::Kind::YesNo, {}, 0, text});
    if (yes_no_answers.empty()) return false;
    const bool answer = yes_no_answers.front();
    yes_no_answers.pop_front();
    return answer;
  }
  void ShowInformation(const std::string& text) override {
    calls.push_back({DialogCall::Kind::Information, {}, 0, text});
  }
  void ShowError(const std::string& text) override {
    calls.push_back({DialogCall::Kind::Error, {}, 0, text});
  }

  // The calls of one kind, in order.
  std::vector<DialogCall> CallsOf(DialogCall::Kind kind) const {
    std::vector<DialogCall> found;
    for (const DialogCall& call : calls) {
      if (call.kind == kind) found.push_back(call);
    }
    return found;
  }

 private:
  std::optional<std::string> NextFile() {
    if (file_answers.empty()) return std::nullopt;
    std::optional<std::string> answer = file_answers.front();
    file_answers.pop_front();
    return answer;
  }
};

}  // namespace trackmint::testing
