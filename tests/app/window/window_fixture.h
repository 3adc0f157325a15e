#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

#include <QTest>
#include <QWidget>

#include "app/window/tform1.h"
#include "scripted_dialogs.h"
#include "support/temp_directory.h"

// Texts of the core in a failed comparison's message.
namespace QTest {
template <>
inline char* toString(const std::string& text) {
  return qstrdup(text.c_str());
}
}  // namespace QTest

namespace trackmint::testing {

// Where the window under test believes the program lives; nothing is ever written there.
inline constexpr const char* kTestExecutable = "/opt/kelvra/bin/trackmint";
inline constexpr const char* kTestExecutableDirectory = "/opt/kelvra/bin/";

// A shown main window with scripted dialogs, as at start-up: built with its design values, then
// loaded with the defaults (there is no settings file beside the test's executable).
struct WindowFixture {
  explicit WindowFixture(
      RunCommand run = [](const ConversionRequest&, RunObserver&) { return RunResult{}; },
      bool load_defaults = true)
      : form(std::make_unique<TForm1>(dialogs, kTestExecutable, std::move(run))) {
    if (load_defaults) form->LoadSettings(std::string(kTestExecutableDirectory) + "trackmint.ini");
    form->FormCreate();
    form->show();
  }

  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = form->findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) throw std::runtime_error(std::string("no control named ") + name);
    return widget;
  }

  ScriptedDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

// A fresh directory as the process's working directory, as for a user who started the program
// there; the previous working directory comes back at the end.
class StartDirectory {
 public:
  StartDirectory() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(m_directory.path());
  }
  ~StartDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
  }
  StartDirectory(const StartDirectory&) = delete;
  StartDirectory& operator=(const StartDirectory&) = delete;

  // The directory's full path, with the trailing separator.
  std::string Path() const { return std::filesystem::canonical(m_directory.path()).string() + "/"; }
  const TempDirectory& Directory() const { return m_directory; }

 private:
  TempDirectory m_directory;
  std::filesystem::path m_previous;
};

// Sets one stored setting through the controls, as a load sets it.
template <typename Value>
void SetSetting(TForm1& form, Value SettingValues::*member, Value value) {
  SettingValues values = form.Values();
  values.*member = std::move(value);
  form.SetValues(values);
}

inline std::string Text(const QString& text) {
  return text.toStdString();
}

}  // namespace trackmint::testing
