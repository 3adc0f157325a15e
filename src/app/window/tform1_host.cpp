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
  switch (slot) {
    case IconSlot::Auto:
      return m_autoshape->Colour();
    case IconSlot::Diff:
      return m_diffshape->Colour();
    case IconSlot::RtkFix:
      return m_rtk_fixshape->Colour();
    case IconSlot::RtkFloat:
      return m_rtk_floatshape->Colour();
    case IconSlot::Estimated:
      return m_estematedshape->Colour();
    case IconSlot::Invalid:
      return m_invalidshape->Colour();
    case IconSlot::Grey:
      break;
  }
  return kGreyIconColour;
}

WindowColour TForm1::TrackColour() const {
  return m_shape_full_track->Colour();
}

std::string TForm1::TrackWidthText() const {
  return Edit3();
}

std::string TForm1::IconScaleText() const {
  return Edit4();
}

bool TForm1::UseFixedDate() const {
  return CheckBox1();
}

std::string TForm1::FixedDateText() const {
  return MaskEdit1();
}

bool TForm1::ShowHeight() const {
  return CheckBox3();
}

bool TForm1::UseAllWaypoints() const {
  return CheckBox2();
}

WindowColour TForm1::ResolveColour(WindowColour colour) const {
  return ResolveSystemColour(palette(), colour);
}

void TForm1::SetIconFileName(IconSlot slot, const std::string& name) {
  m_icon_file_names[static_cast<std::size_t>(slot)] = name;
}

std::string TForm1::IconFileName(IconSlot slot) const {
  return m_icon_file_names[static_cast<std::size_t>(slot)];
}

void TForm1::SetLeftStatus(const std::string& text) {
  m_panel2->setText(ToQString(text));
}

void TForm1::SetRightStatus(const std::string& text) {
  m_panel3->setText(ToQString(text));
}

std::string TForm1::RightStatus() const {
  return ToStdString(m_panel3->text());
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

void TForm1::LockSettings() {
  SetSettingsLocked(true);
}

void TForm1::UnlockSettings() {
  SetSettingsLocked(false);
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
  const QColor grey = ToQColor(ResolveColour(kSystemColourGrayText));
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

bool TForm1::CheckBox1() const {
  return m_check_box1->isChecked();
}

void TForm1::SetCheckBox1(bool checked) {
  m_check_box1->setChecked(checked);
}

std::string TForm1::MaskEdit1() const {
  return m_mask_edit1->Text();
}

void TForm1::SetMaskEdit1(const std::string& text) {
  m_mask_edit1->SetText(text);
}

void TForm1::SetMaskEdit1Enabled(bool enabled) {
  m_mask_edit1->setEnabled(enabled);
}

WindowColour TForm1::ShapeStyleTrack() const {
  return m_shape_style_track->Colour();
}

void TForm1::SetShapeStyleTrack(WindowColour colour) {
  m_shape_style_track->SetColour(colour);
}

WindowColour TForm1::ShapeFullTrack() const {
  return m_shape_full_track->Colour();
}

void TForm1::SetShapeFullTrack(WindowColour colour) {
  m_shape_full_track->SetColour(colour);
}

std::string TForm1::Edit3() const {
  return ToStdString(m_edit3->text());
}

void TForm1::SetEdit3(const std::string& text) {
  m_edit3->setText(ToQString(text));
}

bool TForm1::CheckBox2() const {
  return m_check_box2->isChecked();
}

void TForm1::SetCheckBox2(bool checked) {
  m_check_box2->setChecked(checked);
}

bool TForm1::CheckBox4() const {
  return m_check_box4->isChecked();
}

void TForm1::SetCheckBox4(bool checked) {
  m_check_box4->setChecked(checked);
}

bool TForm1::CheckBox3() const {
  return m_check_box3->isChecked();
}

void TForm1::SetCheckBox3(bool checked) {
  m_check_box3->setChecked(checked);
}

std::string TForm1::Edit4() const {
  return ToStdString(m_edit4->text());
}

void TForm1::SetEdit4(const std::string& text) {
  m_edit4->setText(ToQString(text));
}

int TForm1::Left() const {
  return x();
}

void TForm1::SetLeft(int left) {
  move(left, y());
}

int TForm1::Top() const {
  return y();
}

void TForm1::SetTop(int top) {
  move(x(), top);
}

void TForm1::UpdateTrackColorEnabled() {
  // The valid track is written in this colour whatever CheckBox2 holds, and CheckBox2 is hidden,
  // so the colour stays choosable whatever settings file was opened.
  m_label3->setEnabled(true);
  m_shape_full_track->setEnabled(true);
}

}  // namespace trackmint
