#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/window_colour.h"

namespace trackmint {

// One entry of a file chooser's type list: the name the user sees and the pattern it stands for.
struct FileFilter {
  std::string name;
  std::string pattern;
  bool operator==(const FileFilter&) const = default;
};

// What a file chooser is opened with.
struct FileChooser {
  std::string title;
  std::vector<FileFilter> filters;  // empty: every file
  std::string directory;            // where it starts; empty: wherever the chooser likes
  std::string file_name;            // the proposed file; empty: none
};

// The modal boxes and choosers of the window. The program shows real ones; tests answer from a
// script, so every rule behind a chooser or a question can be checked without a person.
class WindowDialogs {
 public:
  virtual ~WindowDialogs() = default;

  // A file's full path, or nothing when the user cancelled. Neither chooser adds an extension or
  // asks before an existing file is chosen; the open chooser takes names of missing files too.
  virtual std::optional<std::string> AskOpenFile(const FileChooser& chooser) = 0;
  virtual std::optional<std::string> AskSaveFile(const FileChooser& chooser) = 0;
  // A colour chooser that starts from initial (a plain colour); nothing on cancel.
  virtual std::optional<WindowColour> AskColour(WindowColour initial) = 0;

  virtual void ShowWarning(const std::string& text) = 0;      // OK
  virtual bool AskYesNo(const std::string& text) = 0;         // information, Yes and No
  virtual void ShowInformation(const std::string& text) = 0;  // OK
  virtual void ShowError(const std::string& text) = 0;        // the error display's box, OK
};

}  // namespace trackmint
