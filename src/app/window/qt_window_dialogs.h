#pragma once

#include <QPointer>
#include <QWidget>

#include "app/window/window_dialogs.h"

namespace trackmint {

// The window's boxes and choosers as Qt shows them, modal over the parent window.
class QtWindowDialogs final : public WindowDialogs {
 public:
  void SetParentWindow(QWidget* parent) { m_parent = parent; }

  std::optional<std::string> AskOpenFile(const FileChooser& chooser) override;
  std::optional<std::string> AskSaveFile(const FileChooser& chooser) override;
  std::optional<WindowColour> AskColour(WindowColour initial) override;
  void ShowWarning(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  void ShowError(const std::string& text) override;

 private:
  QPointer<QWidget> m_parent;
};

}  // namespace trackmint
