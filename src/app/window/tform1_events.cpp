#include <filesystem>
#include <system_error>

#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QUrl>

#include "app/window/date_field.h"
#include "app/window/file_field.h"
#include "app/window/picture_dialog.h"
#include "app/window/qt_text.h"
#include "app/window/swatch.h"
#include "app/window/tform1.h"
#include "app/window/window_dialogs.h"
#include "app/window/window_pictures.h"
#include "app/window/window_run_observer.h"
#include "base/paths.h"
#include "base/trackmint_error.h"
#include "base/whole_file.h"
#include "picture/picture_file.h"
#include "settings/settings_change.h"
#include "settings/settings_file.h"

namespace trackmint {
namespace {

constexpr const char* kSeveralFilesWarning = "Работа с несколькими файлами не поддерживается!";
constexpr const char* kSaveQuestion = "The settings were changed. Save them?";
constexpr const char* kOutputExtension = ".kmz";

// Where the input chooser starts when no input names a directory: the current directory, from
// which typed names are taken too; when that is gone, wherever the chooser likes.
std::string ChooserStartDirectory() {
  try {
    return CurrentDirectory();
  } catch (const TrackmintError&) {
    return {};
  }
}

std::vector<FileFilter> SettingsFilters() {
  return {{"Configuration (*.ini)", "*.ini"}, {"All files ", "*.*"}};
}

// The full paths of the local files of a drop. A folder is taken like a file, named without a
// trailing separator.
std::vector<std::string> DroppedFiles(const QMimeData& data) {
  std::vector<std::string> files;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
    while (path.size() > 1 && IsPathSeparator(path.back())) path.pop_back();
    files.push_back(std::move(path));
  }
  return files;
}

}  // namespace

void TForm1::FormCreate() {
  setAcceptDrops(true);
}

void TForm1::FormClose() {
  if (!SettingsChanged(Values(), m_loaded_settings)) return;
  if (m_dialogs.AskYesNo(kSaveQuestion)) SaveSettings(m_edit2->Hint());
}

void TForm1::FormWndProc(QDropEvent* drop) {
  drop->acceptProposedAction();
  if (drop->mimeData() == nullptr) return;
  const std::vector<std::string> files = DroppedFiles(*drop->mimeData());
  HandleEvent([this, &files] { DropFiles(files); });
}

void TForm1::DropFiles(const std::vector<std::string>& files) {
  // The run reads the file fields and relies on not being started twice: a drop meanwhile would
  // change both, so it is ignored.
  if (m_run_in_progress || files.empty()) return;
  if (files.size() > 1) {
    m_dialogs.ShowWarning(kSeveralFilesWarning);
    return;
  }
  SetInputFile(files.front());
}

void TForm1::OpenLog(const std::string& path) {
  SetInputFile(path);
}

void TForm1::SetInputFile(const std::string& path) {
  m_own_output = false;
  m_edit1->SetText(FileNamePart(path));
  m_edit1->SetHint(path);
  m_speed_button3->setEnabled(!m_edit1->Text().empty());
  ProposeOutputFor(path);
}

void TForm1::ProposeOutputFor(const std::string& input_path) {
  SetOutputFile(input_path + kOutputExtension);
}

void TForm1::SetOutputFile(const std::string& path) {
  m_edit6->SetText(FileNamePart(path));
  m_edit6->SetHint(path);
}

void TForm1::Edit1Change() {
  // A typed name is taken from the current directory, as on the command line; an absolute path
  // names its file by itself; an empty field names no file. The Hint is cleared first, so a name
  // that cannot be resolved never leaves the previous file to be converted.
  const std::string text = m_edit1->Text();
  m_speed_button3->setEnabled(!text.empty());
  m_edit1->SetHint(std::string());
  if (!text.empty()) m_edit1->SetHint(FullPath(text));
  // The Output follows a typed Input as it follows a drop or a choice, so that Run never writes
  // another log's data over the last KMZ; a name the user gave the Output since stays.
  if (!text.empty() && !m_own_output) ProposeOutputFor(m_edit1->Hint());
}

void TForm1::Edit6Change() {
  // An emptied Output is none of the user's own: it follows the Input again.
  m_own_output = !m_edit6->Text().empty();
  // The same rule as the input's, so the Hint (and the tooltip) says where the KMZ goes.
  const std::string text = m_edit6->Text();
  m_edit6->SetHint(std::string());
  if (!text.empty()) m_edit6->SetHint(FullPath(text));
}

void TForm1::Edit2Change() {
  m_edit2->SetHint(m_edit2->Text());
}

void TForm1::SpeedButtonOpenClick() {
  FileChooser chooser{"Open", {}, {}, {}};
  chooser.directory =
      m_edit1->Text().empty() ? ChooserStartDirectory() : DirectoryPart(m_edit1->Hint());
  const std::optional<std::string> file = m_dialogs.AskOpenFile(chooser);
  if (!file) return;
  SetInputFile(*file);
}

void TForm1::SpeedButtonSaveClick() {
  FileChooser chooser{"Save as ", {}, DirectoryPart(m_edit6->Hint()), {}};
  if (!m_edit6->Text().empty()) m_save_dialog1_file_name = m_edit6->Hint();
  chooser.file_name = m_save_dialog1_file_name;
  const std::optional<std::string> file = m_dialogs.AskSaveFile(chooser);
  if (!file) return;
  m_save_dialog1_file_name = *file;
  m_own_output = true;
  m_edit6->SetHint(*file);
  m_edit6->SetText(FileNamePart(*file));
}

void TForm1::SpeedButton1Click() {
  const std::optional<std::string> file =
      m_dialogs.AskOpenFile(FileChooser{"Open ", SettingsFilters(), {}, {}});
  if (!file) return;
  m_edit2->clear();
  m_edit2->SetText(FileNamePart(*file));
  m_edit2->SetHint(*file);
  LoadSettings(*file);
}

void TForm1::SpeedButton2Click() {
  const std::string proposed = DefaultSettingsPath(m_executable_path);
  const FileChooser chooser{"Save as", SettingsFilters(), DirectoryPart(proposed),
                            FileNamePart(proposed)};
  const std::optional<std::string> file = m_dialogs.AskSaveFile(chooser);
  if (!file) return;
  SaveSettings(*file);
}

void TForm1::SpeedButton3Click() {
  if (m_run_in_progress) return;  // never entered twice
  PrepareOutputField();
  ConversionRequest request = RequestForRun();
  request.draw_picture = true;
  // A KMZ that this window did not write in this session may be another log's: ask first.
  std::error_code ignored;
  if (!m_written_kmz.contains(request.kmz_path) &&
      std::filesystem::exists(request.kmz_path, ignored) &&
      !m_dialogs.AskYesNo("Replace " + request.kmz_path + "?")) {
    return;
  }
  // The picture of an earlier run goes; the design picture stands until this one has its own.
  ShowRunPicture({});
  const QScopedValueRollback<bool> running(m_run_in_progress, true);
  // The Run button and the lock come back when the observer goes, after the closing message.
  WindowRunObserver observer(*this, request.kmz_path);
  RunResult result = m_run(request, observer);
  if (result.outcome != RunOutcome::Finished) return;
  m_written_kmz.insert(request.kmz_path);
  ShowRunPicture(std::move(result.picture_png));
  m_dialogs.ShowInformation(FinalMessage(result.summary, request.kmz_path));
}

void TForm1::ShowRunPicture(std::vector<unsigned char> png) {
  if (m_picture_dialog != nullptr) m_picture_dialog->close();
  m_run_picture = std::move(png);
  QImage picture;
  if (!m_run_picture.empty()) {
    picture.loadFromData(m_run_picture.data(), static_cast<int>(m_run_picture.size()), "PNG");
  }
  m_image1->ShowRunPicture(picture);
}

void TForm1::Image1Click() {
  if (m_run_picture.empty()) return;
  if (m_picture_dialog == nullptr) {
    QImage picture;
    picture.loadFromData(m_run_picture.data(), static_cast<int>(m_run_picture.size()), "PNG");
    m_picture_dialog = new PictureDialog(
        picture, [this] { HandleEvent([this] { SavePictureClick(); }); }, this);
    m_picture_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_picture_dialog, &QObject::destroyed, this, [this] { m_picture_dialog = nullptr; });
  }
  m_picture_dialog->show();
  m_picture_dialog->raise();
}

void TForm1::SavePictureClick() {
  // Proposed beside the KMZ, under its name.
  const std::string kmz = m_edit6->Hint();
  const FileChooser chooser{"Save the picture",
                            {{"PNG picture (*.png)", "*.png"}},
                            DirectoryPart(kmz),
                            FileNamePart(ChangeExtension(kmz, ".png"))};
  const std::optional<std::string> file = m_dialogs.AskSaveFile(chooser);
  if (!file) return;
  WholeFile picture(*file, std::string(kPictureNoun), -1);
  picture.Append(m_run_picture);
  picture.Commit();
}

void TForm1::PrepareOutputField() {
  // The request takes the KMZ as the output field's name in the directory of its Hint. An empty
  // field takes the input's name plus ".kmz", as the input chooser and a drop propose. A typed name
  // with a directory of its own is brought to that form first (name and full path, as a chooser
  // leaves it), so the directory is not joined twice.
  const std::string output = m_edit6->Text();
  if (output.empty()) {
    if (!m_edit1->Hint().empty()) ProposeOutputFor(m_edit1->Hint());
  } else if (m_edit6->Hint().empty() || !DirectoryPart(output).empty()) {
    SetOutputFile(FullPath(output));
  }
}

void TForm1::SwatchMouseDown(Swatch& swatch) {
  if (!swatch.isEnabled()) return;
  const std::optional<WindowColour> colour = m_dialogs.AskColour(ResolveColour(swatch.Colour()));
  if (colour) swatch.SetColour(*colour);
}

void TForm1::UpDown1Click(SpinDirection direction) {
  m_edit3->setText(ToQString(StepTrackWidth(ToStdString(m_edit3->text()), direction)));
}

void TForm1::UpDown2Click(SpinDirection direction) {
  m_edit4->setText(ToQString(StepIconScale(ToStdString(m_edit4->text()), direction)));
}

void TForm1::UpDown3Click(SpinDirection direction) {
  m_arrow_interval->setText(
      ToQString(StepArrowInterval(ToStdString(m_arrow_interval->text()), direction)));
}

void TForm1::CheckBox1Click() {
  m_mask_edit1->setEnabled(m_check_box1->isChecked());
}

void TForm1::LoadSettings(const std::string& path) {
  const std::vector<std::string> warnings = trackmint::LoadSettings(path, *this, m_loaded_settings);
  if (warnings.empty()) return;
  std::string text;
  for (const std::string& warning : warnings) text += (text.empty() ? "" : "\n") + warning;
  m_dialogs.ShowWarning(text);
}

void TForm1::SaveSettings(const std::string& path) {
  trackmint::SaveSettings(path, *this, m_executable_path);
}

}  // namespace trackmint
