#pragma once

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <QWidget>

#include "app/window/spinner_steps.h"
#include "nmea/fix_class.h"
#include "run/conversion_request.h"
#include "run/conversion_run.h"
#include "run/run_observer.h"
#include "settings/settings_holder.h"
#include "settings/stored_settings.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QDropEvent;
class QMimeData;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace trackmint {

class DateField;
class FileField;
class PictureBox;
class PictureDialog;
class TimeBoundField;
class Swatch;
class UpDown;
class WindowDialogs;

// What the Run button starts: the conversion of the request, reporting to the observer.
using RunCommand =
    std::function<RunResult(const ConversionRequest& request, RunObserver& observer)>;

inline constexpr int kClientWidth = 399;
inline constexpr int kClientHeight = 466;

// The main window: the file fields, the settings controls, the Run button with its gauge, the
// settings file and the two status panels. The Run button hands the run a request made from the
// fields and the controls at that moment, and the window shows what the run reports; the settings
// file reads and writes the controls through SettingsHolder. The window keeps no copy of the
// settings. Every event handler runs through HandleEvent, so an error that escapes one goes to the
// error display and the window goes on with its next event.
class TForm1 : public QWidget, public SettingsHolder {
  Q_OBJECT

 public:
  TForm1(WindowDialogs& dialogs, std::string executable_path, RunCommand run,
         QWidget* parent = nullptr);
  ~TForm1() override;

  // The window's events.
  void FormCreate();
  void FormClose();
  void FormWndProc(QDropEvent* event);
  void Edit1Change();
  void Edit2Change();
  void Edit6Change();
  void SpeedButtonOpenClick();
  void SpeedButtonSaveClick();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  // A click on the picture box that shows a run's picture: the whole picture in a box of its own.
  void Image1Click();
  // The picture box's Save button: the picture as a PNG file, written whole or not at all.
  void SavePictureClick();
  // A press on one of the colour swatches (the fix classes' and the track's): the colour
  // chooser, starting from the swatch's colour.
  void SwatchMouseDown(Swatch& swatch);
  void UpDown1Click(SpinDirection direction);
  void UpDown2Click(SpinDirection direction);
  void UpDown3Click(SpinDirection direction);
  void CheckBox1Click();

  // The drop rule of FormWndProc for the full paths of the dropped files.
  void DropFiles(const std::vector<std::string>& files);
  // A log named when the program starts (a file manager's "Open with"): in the Input field, and
  // its KMZ in the Output field, as a drop leaves them.
  void OpenLog(const std::string& path);

  // The settings file, with this window's controls.
  void LoadSettings(const std::string& path);
  void SaveSettings(const std::string& path);

  // Shows the window at start-up, after the settings gave its position: kept there when it is whole
  // on the screen it opens on, otherwise moved just enough (KeepOnScreen). The window manager
  // frames the window only once it is shown, so the rule runs again at its first activation, when
  // the title bar is known too.
  void ShowOnScreen();
  // Moves the window just enough to be whole, its frame included as far as Qt knows it, on the
  // available area of the screen it is on.
  void KeepOnScreen();

  // The error display: an error box titled with the application title.
  void ShowErrorDisplay(const std::string& message);

  bool RunInProgress() const { return m_run_in_progress; }

  // The file fields: the texts shown and the full paths (the Hints).
  std::string InputText() const;
  std::string InputPath() const;
  std::string OutputText() const;
  std::string OutputPath() const;
  // The colour of a fix class's swatch (the grey icon's is fixed).
  WindowColour ClassColour(IconSlot slot) const;
  // A window colour as the desktop shows it now: system colours from the palette.
  WindowColour ResolveColour(WindowColour colour) const;

  // What the run's reports show (window_run_observer.h): the status panels, the gauge (at most
  // 100), the Run button and the lock of every control that changes what a run reads.
  void ShowPhase(RunPhase phase);
  void ShowPlacemarks(std::int32_t placemarks);
  void ShowProgress(int position);
  void SetRunEnabled(bool enabled);
  void SetSettingsLocked(bool locked);
  // The output field's Hint: the KMZ a run writes, once its files are open.
  void SetOutputPath(const std::string& path);

  // SettingsHolder: the stored settings as the controls hold them, found by their keys, which
  // are the controls' names.
  SettingValues Values() const override;
  void SetValues(const SettingValues& values) override;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildControls();
  void ConnectEvents();
  // Runs one event's handler; an error that escapes it goes to the error display. Returns
  // whether the handler ran to its end.
  bool HandleEvent(const std::function<void()>& handler);
  // The input file (a full path) in the input field, and its KMZ proposed in the output field.
  void SetInputFile(const std::string& path);
  void ProposeOutputFor(const std::string& input_path);
  // A full path in the output field: its file name as the text, the path as the Hint.
  void SetOutputFile(const std::string& path);
  // Before a run: brings the output field to the form in which the request resolves it.
  void PrepareOutputField();
  // The run's request from the fields and the controls as they are now.
  ConversionRequest RequestForRun() const;
  // The closing message after a run: the input, the placemarks and the summary.
  std::string FinalMessage(const DocumentSummary& summary, const std::string& kmz_path) const;
  // The picture box: the run's picture from its PNG, or the design picture for an empty one.
  void ShowRunPicture(std::vector<unsigned char> png);
  bool AcceptsDrop(const QMimeData* mime_data) const;

  WindowDialogs& m_dialogs;
  std::string m_executable_path;
  RunCommand m_run;
  SettingValues m_loaded_settings;
  // What the output chooser proposes when the output field is empty: what it last held.
  std::string m_save_dialog1_file_name;
  bool m_run_in_progress = false;
  // The user named the Output (typed or chosen) since the Input was last set by a drop or a
  // choice, so a typed Input leaves it.
  bool m_own_output = false;
  // The KMZ files this window wrote in this session: Run replaces them without asking.
  std::set<std::string> m_written_kmz;
  bool m_keep_on_screen_when_activated = false;

  // Left column.
  PictureBox* m_image1 = nullptr;
  // The PNG of the last run's picture, and the box that shows it whole while it is open.
  std::vector<unsigned char> m_run_picture;
  PictureDialog* m_picture_dialog = nullptr;
  QGroupBox* m_group_box1 = nullptr;
  FileField* m_edit1 = nullptr;
  QToolButton* m_speed_button_open = nullptr;
  QGroupBox* m_group_box10 = nullptr;
  FileField* m_edit6 = nullptr;
  QToolButton* m_speed_button_save = nullptr;
  // Right column: the settings.
  QGroupBox* m_group_box3 = nullptr;
  QGroupBox* m_group_box11 = nullptr;
  QLabel* m_label2 = nullptr;
  Swatch* m_autoshape = nullptr;
  QLabel* m_label4 = nullptr;
  Swatch* m_diffshape = nullptr;
  QLabel* m_label5 = nullptr;
  Swatch* m_rtk_fixshape = nullptr;
  QLabel* m_label6 = nullptr;
  Swatch* m_invalidshape = nullptr;
  QLabel* m_label7 = nullptr;
  Swatch* m_rtk_floatshape = nullptr;
  QLabel* m_label8 = nullptr;
  Swatch* m_estematedshape = nullptr;
  QLabel* m_label9 = nullptr;
  // The fix classes' swatches above, by their slots (the grey icon has none).
  std::array<Swatch*, kIconSlotCount - 1> m_class_swatches{};
  QLineEdit* m_edit4 = nullptr;
  UpDown* m_up_down2 = nullptr;
  QLabel* m_label10 = nullptr;
  QLineEdit* m_arrow_interval = nullptr;
  UpDown* m_up_down3 = nullptr;
  QLabel* m_label11 = nullptr;
  QCheckBox* m_check_box3 = nullptr;
  QGroupBox* m_group_box5 = nullptr;
  QLabel* m_label3 = nullptr;
  Swatch* m_shape_full_track = nullptr;
  QLabel* m_width = nullptr;
  QLineEdit* m_edit3 = nullptr;
  UpDown* m_up_down1 = nullptr;
  Swatch* m_shape_style_track = nullptr;
  QLabel* m_label1 = nullptr;
  QCheckBox* m_check_box4 = nullptr;
  QCheckBox* m_check_box2 = nullptr;
  QGroupBox* m_group_box4 = nullptr;
  QCheckBox* m_check_box1 = nullptr;
  DateField* m_mask_edit1 = nullptr;
  QGroupBox* m_group_box12 = nullptr;
  QLabel* m_label12 = nullptr;
  TimeBoundField* m_from_time = nullptr;
  QLabel* m_label13 = nullptr;
  TimeBoundField* m_to_time = nullptr;
  // Across the whole width.
  QFrame* m_group_box9 = nullptr;
  QPushButton* m_speed_button3 = nullptr;
  QProgressBar* m_cgauge1 = nullptr;
  QGroupBox* m_group_box2 = nullptr;
  FileField* m_edit2 = nullptr;
  QToolButton* m_speed_button1 = nullptr;
  QToolButton* m_speed_button2 = nullptr;
  QLabel* m_panel2 = nullptr;
  QLabel* m_panel3 = nullptr;
};

}  // namespace trackmint
