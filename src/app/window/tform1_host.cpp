#include <algorithm>

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "app/window/date_field.h"
#include "app/window/file_field.h"
#include "app/window/qt_text.h"
#include "app/window/swatch.h"
#include "app/window/system_palette.h"
#include "app/window/tform1.h"
#include "app/window/window_dialogs.h"
#include "base/paths.h"

namespace trackmint {
namespace {

constexpr int kGaugeMaximum = 100;

}  // namespace

// The run's side of the window.

std::string TForm1::InputText() const {
  return m_edit1->Text();
}

std::string TForm1::InputPath() const {
  return m_edit1->Hint();
}

std::string TForm1::OutputText() const {
  return m_edit6->Text();
}

std::string TForm1::OutputPath() const {
  return m_edit6->Hint();
}

void TForm1::SetOutputPath(const std::string& path) {
  m_edit6->SetHint(path);
}

WindowColour TForm1::ClassColour(IconSlot slot) const {
  if (slot == IconSlot::Grey) return kGreyIconColour;
  return m_class_swatches[static_cast<std::size_t>(slot)]->Colour();
}

WindowColour TForm1::ResolveColour(WindowColour colour) const {
  return ResolveSystemColour(palette(), colour);
}

void TForm1::ReportPhase(RunPhase phase) {
  m_panel2->setText(ToQString(std::string(PhaseText(phase))));
  if (phase == RunPhase::Started) m_panel3->setText(QStringLiteral(" "));
  if (phase == RunPhase::Failed) m_panel3->clear();
}

void TForm1::ReportPlacemarks(std::int32_t placemarks) {
  m_panel3->setText(ToQString(WaypointsText(placemarks)));
}

void TForm1::SetProgress(int position) {
  m_cgauge1->setValue(std::clamp(position, 0, kGaugeMaximum));
}

void TForm1::AdvanceProgress() {
  m_cgauge1->setValue(std::min(m_cgauge1->value() + 1, kGaugeMaximum));
}

void TForm1::SetRunEnabled(bool enabled) {
  m_speed_button3->setEnabled(enabled);
}

void TForm1::SetSettingsLocked(bool locked) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           m_group_box1, m_group_box2, m_group_box3, m_group_box10, m_group_box11, m_edit1, m_edit6,
           m_edit3, m_width, m_label1, m_label3, m_check_box1, m_check_box2, m_check_box3,
           m_check_box4}) {
    control->setEnabled(!locked);
  }
  // The group titles turn to the desktop's grey text while locked and back to the window's own
  // text colour (black in the classic scheme) after.
  const QColor grey = ToQColor(ResolveColour(kSystemGreyText));
  for (QGroupBox* group :
       {m_group_box1, m_group_box2, m_group_box3, m_group_box5, m_group_box10, m_group_box11}) {
    if (locked) {
      QPalette title = group->palette();
      title.setColor(QPalette::WindowText, grey);
      group->setPalette(title);
    } else {
      group->setPalette(QPalette());
    }
  }
}

void TForm1::ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

void TForm1::ShowFinalMessage(const std::string& text) {
  m_dialogs.ShowInformation(text);
}

// The settings' side of the window.

SettingValues TForm1::Values() const {
  SettingValues values;
  values.use_fixed_date = UseFixedDate();
  values.fixed_date_text = FixedDateText();
  values.hidden_colour = m_shape_style_track->Colour();
  values.track_colour = TrackColour();
  values.track_width_text = TrackWidthText();
  values.use_all_waypoints = UseAllWaypoints();
  values.start_at_first_fix = m_check_box4->isChecked();
  values.show_height = ShowHeight();
  values.icon_scale_text = IconScaleText();
  values.window_left = x();
  values.window_top = y();
  return values;
}

// In the order of a load. Setting a check box to another state fires its click.
void TForm1::SetValues(const SettingValues& values) {
  m_check_box1->setChecked(values.use_fixed_date);
  m_mask_edit1->SetText(values.fixed_date_text);
  m_mask_edit1->setEnabled(values.use_fixed_date);
  m_shape_style_track->SetColour(values.hidden_colour);
  m_shape_full_track->SetColour(values.track_colour);
  m_edit3->setText(ToQString(values.track_width_text));
  m_check_box3->setChecked(values.show_height);
  m_check_box4->setChecked(values.start_at_first_fix);
  m_check_box2->setChecked(values.use_all_waypoints);
  m_edit4->setText(ToQString(values.icon_scale_text));
  move(values.window_left, values.window_top);
}

bool TForm1::UseFixedDate() const {
  return m_check_box1->isChecked();
}

std::string TForm1::FixedDateText() const {
  return m_mask_edit1->Text();
}

WindowColour TForm1::TrackColour() const {
  return m_shape_full_track->Colour();
}

std::string TForm1::TrackWidthText() const {
  return ToStdString(m_edit3->text());
}

bool TForm1::UseAllWaypoints() const {
  return m_check_box2->isChecked();
}

bool TForm1::ShowHeight() const {
  return m_check_box3->isChecked();
}

std::string TForm1::IconScaleText() const {
  return ToStdString(m_edit4->text());
}

}  // namespace trackmint
