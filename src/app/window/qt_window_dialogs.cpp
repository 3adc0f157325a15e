#include "app/window/qt_window_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/error_text.h"
#include "app/window/qt_text.h"

namespace trackmint {
namespace {

// Qt names a filter "Name (patterns)". "*.*" means every file, also one without a dot.
QStringList NameFilters(const std::vector<FileFilter>& filters) {
  QStringList names;
  for (const FileFilter& filter : filters) {
    const QString pattern =
        filter.pattern == "*.*" ? QStringLiteral("*") : ToQString(filter.pattern);
    QString name = ToQString(filter.name);
    if (!name.contains(QLatin1Char('(')))
      name = name.trimmed() + QStringLiteral(" (") + pattern + QLatin1Char(')');
    names << name;
  }
  return names;
}

std::optional<std::string> AskFile(QWidget* parent, const FileChooser& chooser,
                                   QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, ToQString(chooser.title));
  dialog.setAcceptMode(mode);
  // Open choosers take names of files that do not exist yet; no chooser adds an extension or
  // asks before an existing file is chosen for saving.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!chooser.filters.empty()) dialog.setNameFilters(NameFilters(chooser.filters));
  if (!chooser.directory.empty()) dialog.setDirectory(ToQString(chooser.directory));
  if (!chooser.file_name.empty()) dialog.selectFile(ToQString(chooser.file_name));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return ToStdString(files.front());
}

int Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const std::string& text,
         QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, MessageBoxText(text), buttons, parent);
  box.setTextFormat(Qt::PlainText);
  return box.exec();
}

}  // namespace

std::optional<std::string> QtWindowDialogs::AskOpenFile(const FileChooser& chooser) {
  return AskFile(m_parent, chooser, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtWindowDialogs::AskSaveFile(const FileChooser& chooser) {
  return AskFile(m_parent, chooser, QFileDialog::AcceptSave);
}

std::optional<WindowColour> QtWindowDialogs::AskColour(WindowColour initial) {
  const QColor chosen = QColorDialog::getColor(
      QColor(static_cast<int>(RedOf(initial)), static_cast<int>(GreenOf(initial)),
             static_cast<int>(BlueOf(initial))),
      m_parent);
  if (!chosen.isValid()) return std::nullopt;
  return MakeWindowColour(static_cast<unsigned>(chosen.red()),
                          static_cast<unsigned>(chosen.green()),
                          static_cast<unsigned>(chosen.blue()));
}

void QtWindowDialogs::ShowWarning(const std::string& text) {
  Show(m_parent, QMessageBox::Warning, kApplicationTitle, text, QMessageBox::Ok);
}

bool QtWindowDialogs::AskYesNo(const std::string& text) {
  return Show(m_parent, QMessageBox::Information, kApplicationTitle, text,
              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtWindowDialogs::ShowInformation(const std::string& text) {
  Show(m_parent, QMessageBox::Information, kApplicationTitle, text, QMessageBox::Ok);
}

void QtWindowDialogs::ShowError(const std::string& text) {
  Show(m_parent, QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok);
}

}  // namespace trackmint
