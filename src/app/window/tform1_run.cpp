#include <algorithm>
#include <initializer_list>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>

#include "app/run_settings.h"
#include "app/run_texts.h"
#include "app/summary_text.h"
#include "app/window/date_field.h"
#include "app/window/file_field.h"
#include "app/window/qt_text.h"
#include "app/window/swatch.h"
#include "app/window/system_palette.h"
#include "app/window/tform1.h"
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

ConversionRequest TForm1::RequestForRun() const {
  ConversionRequest request;
  request.input_paths = {m_edit1->Hint()};
  // The output field's name in the directory of its Hint; an absolute name stands as it is.
  // PrepareOutputField has given the Hint to every name.
  request.kmz_path = JoinToDirectory(DirectoryPart(m_edit6->Hint()), m_edit6->Text());
  request.member_name = DocumentMemberName(request.kmz_path);
  ClassColours class_colours{};
  for (std::size_t i = 0; i < class_colours.size(); ++i) {
    class_colours[i] = m_class_swatches[i]->Colour();
  }
  request.settings = SettingsForRun(Values(), class_colours,
                                    [this](WindowColour colour) { return ResolveColour(colour); });
  return request;
}

std::string TForm1::FinalMessage(const DocumentSummary& summary,
                                 const std::string& kmz_path) const {
  // The line ends of the classic message, which the message box shows as plain line breaks.
  std::string message = "The progress finished!\n\rInput file " + InputText() + "\n\rOutput file " +
                        kmz_path + "\n\r" + WaypointsText(summary.placemarks);
  for (const std::string& line : SummaryLines(summary)) message += "\n\r" + line;
  if (const std::optional<std::string> hint = ViewingHint(summary)) message += "\n\r" + *hint;
  if (const std::optional<std::string> note = FixedDateNote(summary, m_mask_edit1->Text())) {
    message += "\n\r" + *note;
  }
  return message;
}

void TForm1::ShowPhase(RunPhase phase) {
  m_panel2->setText(ToQString(std::string(PhaseText(phase))));
  if (phase == RunPhase::Started) m_panel3->setText(QStringLiteral(" "));
  if (phase == RunPhase::Failed) m_panel3->clear();
}

void TForm1::ShowPlacemarks(std::int32_t placemarks) {
  m_panel3->setText(ToQString(WaypointsText(placemarks)));
}

void TForm1::ShowProgress(int position) {
  m_cgauge1->setValue(std::clamp(position, 0, kGaugeMaximum));
}

void TForm1::SetRunEnabled(bool enabled) {
  m_speed_button3->setEnabled(enabled);
}

void TForm1::SetSettingsLocked(bool locked) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           m_group_box1, m_group_box2, m_group_box3, m_group_box10, m_group_box11, m_group_box12,
           m_edit1, m_edit6, m_edit3, m_width, m_label1, m_label3, m_check_box1, m_check_box2,
           m_check_box3, m_check_box4}) {
    control->setEnabled(!locked);
  }
  // The group titles turn to the desktop's grey text while locked and back to the window's own
  // text colour (black in the classic scheme) after.
  const QColor grey = ToQColor(ResolveColour(kSystemGreyText));
  for (QGroupBox* group : {m_group_box1, m_group_box2, m_group_box3, m_group_box5, m_group_box10,
                           m_group_box11, m_group_box12}) {
    if (locked) {
      QPalette title = group->palette();
      title.setColor(QPalette::WindowText, grey);
      group->setPalette(title);
    } else {
      group->setPalette(QPalette());
    }
  }
}

}  // namespace trackmint
