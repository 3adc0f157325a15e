#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window/date_field.h"
#include "app/window/file_field.h"
#include "app/window/swatch.h"
#include "app/window/tform1.h"
#include "app/window/time_bound_field.h"
#include "app/window/up_down.h"
#include "app/window/window_pictures.h"
#include "settings/stored_settings.h"

namespace trackmint {
namespace {

WindowColour DesignColour(IconSlot slot) {
  return FixClassOf(slot).design_colour;
}

// The spinners' own step counters.
constexpr int kUpDown1Position = 5;
constexpr int kUpDown1Limit = 1000;
constexpr int kUpDown2Position = 1;
constexpr int kUpDown2Limit = 100;
constexpr int kUpDown3Position = 0;
constexpr int kUpDown3Limit = 100;

constexpr int kOuterMargin = 5;
constexpr int kSpacing = 3;
constexpr int kLeftColumnWidth = 150;
constexpr int kPictureHeight = 92;
constexpr int kSpinFieldWidth = 74;
constexpr int kGroupTopMargin = 9;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QGroupBox* Group(const char* name, const char* caption, QWidget* parent) {
  return Named(new QGroupBox(QString::fromUtf8(caption), parent), name);
}

QLabel* Label(const char* name, const char* caption, QWidget* parent) {
  return Named(new QLabel(QString::fromUtf8(caption), parent), name);
}

Swatch* MakeSwatch(const char* name, WindowColour colour, QWidget* parent) {
  auto* swatch = Named(new Swatch(parent), name);
  swatch->SetColour(colour);
  return swatch;
}

QToolButton* PictureButton(const char* name, QStyle::StandardPixmap picture, const char* tip,
                           QWidget* parent) {
  auto* button = Named(new QToolButton(parent), name);
  button->setIcon(parent->style()->standardIcon(picture));
  button->setToolTip(QString::fromUtf8(tip));
  button->setAccessibleName(QString::fromUtf8(tip));
  button->setAutoRaise(false);
  return button;
}

QLineEdit* ReadOnlyField(const char* name, const char* text, QWidget* parent) {
  auto* field = Named(new QLineEdit(QString::fromUtf8(text), parent), name);
  field->setReadOnly(true);
  field->setFixedWidth(kSpinFieldWidth);
  return field;
}

QLabel* StatusPanel(const char* name, QWidget* parent) {
  auto* panel = Named(new QLabel(parent), name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setMargin(2);
  panel->setTextFormat(Qt::PlainText);
  return panel;
}

// A read-only field with its spinner at the right edge, touching it.
QHBoxLayout* SpinRow(QLineEdit* field, UpDown* spinner) {
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->addWidget(field);
  row->addWidget(spinner);
  spinner->setFixedHeight(field->sizeHint().height());
  row->addStretch();
  return row;
}

void Compact(QLayout* layout, int top = kGroupTopMargin) {
  layout->setContentsMargins(kSpacing + 2, top, kSpacing + 2, kSpacing);
  layout->setSpacing(kSpacing);
}

// A file field with the buttons of its choosers at its right, filling its group.
void FileRow(QGroupBox* group, FileField* field, std::initializer_list<QToolButton*> buttons) {
  auto* row = new QHBoxLayout(group);
  Compact(row);
  row->addWidget(field);
  for (QToolButton* button : buttons) row->addWidget(button);
}

// Group titles sit on the frame line, as on a classic desktop form, so that the settings fit the
// window's fixed height with the desktop's own font.
const char* const kGroupStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 0.55em; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px;"
    " padding: 0 2px; }"
    "QFrame#GroupBox9 { border: 1px solid palette(mid); border-radius: 3px; }";

}  // namespace

void TForm1::BuildControls() {
  // The stored settings' controls start with their design values.
  const SettingValues design;
  setStyleSheet(QString::fromLatin1(kGroupStyle));
  // Left column: the picture, the input and the output.
  // The picture takes what the column leaves, so the column ends level with the settings.
  m_image1 = Named(new PictureBox(this), "Image1");
  m_image1->setMinimumSize(kLeftColumnWidth, kPictureHeight);

  m_group_box1 = Group("GroupBox1", ">>>Input", this);
  m_edit1 = Named(new FileField(m_group_box1), "Edit1");
  m_speed_button_open = PictureButton("SpeedButtonOpen", QStyle::SP_DialogOpenButton,
                                      "Choose the input log", m_group_box1);
  FileRow(m_group_box1, m_edit1, {m_speed_button_open});

  m_group_box10 = Group("GroupBox10", ">>>Output(.kmz)", this);
  m_edit6 = Named(new FileField(m_group_box10), "Edit6");
  m_speed_button_save = PictureButton("SpeedButtonSave", QStyle::SP_DialogSaveButton,
                                      "Choose the KMZ file", m_group_box10);
  FileRow(m_group_box10, m_edit6, {m_speed_button_save});

  auto* left_column = new QVBoxLayout;
  left_column->setSpacing(kSpacing);
  left_column->addWidget(m_image1);
  left_column->addWidget(m_group_box1);
  left_column->addWidget(m_group_box10);

  // Right column: the settings in three groups.
  m_group_box3 = Group("GroupBox3", ">>> Settings", this);

  m_group_box11 = Group("GroupBox11", " Waypoints", m_group_box3);
  m_label2 = Label("Label2", "Auto", m_group_box11);
  m_autoshape = MakeSwatch("Autoshape", DesignColour(IconSlot::Auto), m_group_box11);
  m_label4 = Label("Label4", "Diff", m_group_box11);
  m_diffshape = MakeSwatch("Diffshape", DesignColour(IconSlot::Diff), m_group_box11);
  m_label5 = Label("Label5", "RTK Fix", m_group_box11);
  m_rtk_fixshape = MakeSwatch("RTKFixshape", DesignColour(IconSlot::RtkFix), m_group_box11);
  m_label6 = Label("Label6", "Invalid", m_group_box11);
  m_invalidshape = MakeSwatch("Invalidshape", DesignColour(IconSlot::Invalid), m_group_box11);
  m_label7 = Label("Label7", "RTK Float", m_group_box11);
  m_rtk_floatshape = MakeSwatch("RTKFloatshape", DesignColour(IconSlot::RtkFloat), m_group_box11);
  m_label8 = Label("Label8", "Estimated", m_group_box11);
  m_estematedshape = MakeSwatch("Estematedshape", DesignColour(IconSlot::Estimated), m_group_box11);
  m_class_swatches = {m_autoshape,      m_diffshape,      m_rtk_fixshape,
                      m_rtk_floatshape, m_estematedshape, m_invalidshape};
  m_label9 = Label("Label9", "Scale", m_group_box11);
  m_edit4 = ReadOnlyField("Edit4", design.icon_scale_text.c_str(), m_group_box11);
  m_up_down2 =
      Named(new UpDown(kUpDown2Position, -kUpDown2Limit, kUpDown2Limit, m_group_box11), "UpDown2");
  m_label10 = Label("Label10", "Interval", m_group_box11);
  m_arrow_interval =
      ReadOnlyField("ArrowInterval", design.arrow_interval_text.c_str(), m_group_box11);
  m_arrow_interval->setToolTip(
      QStringLiteral("One arrow a slot of that many seconds, every change of fix class kept; "
                     "0 keeps every arrow"));
  m_up_down3 =
      Named(new UpDown(kUpDown3Position, -kUpDown3Limit, kUpDown3Limit, m_group_box11), "UpDown3");
  m_label11 = Label("Label11", "s", m_group_box11);
  m_check_box3 =
      Named(new QCheckBox(QStringLiteral("Show value of height"), m_group_box11), "CheckBox3");
  m_check_box3->setChecked(design.show_height);

  auto* waypoints = new QGridLayout(m_group_box11);
  Compact(waypoints);
  waypoints->setHorizontalSpacing(6);
  waypoints->setVerticalSpacing(2);
  const std::array<std::pair<QLabel*, Swatch*>, 3> left_swatches = {
      std::pair{m_label2, m_autoshape}, {m_label4, m_diffshape}, {m_label5, m_rtk_fixshape}};
  const std::array<std::pair<QLabel*, Swatch*>, 3> right_swatches = {
      std::pair{m_label6, m_invalidshape},
      {m_label7, m_rtk_floatshape},
      {m_label8, m_estematedshape}};
  for (int row = 0; row < 3; ++row) {
    waypoints->addWidget(left_swatches[row].first, row, 0);
    waypoints->addWidget(left_swatches[row].second, row, 1);
    waypoints->addWidget(right_swatches[row].first, row, 3);
    waypoints->addWidget(right_swatches[row].second, row, 4);
  }
  waypoints->setColumnMinimumWidth(2, 10);
  waypoints->setColumnStretch(5, 1);
  waypoints->addWidget(m_label9, 3, 0);
  waypoints->addLayout(SpinRow(m_edit4, m_up_down2), 3, 1, 1, 5);
  waypoints->addWidget(m_label10, 4, 0);
  QHBoxLayout* interval_row = SpinRow(m_arrow_interval, m_up_down3);
  interval_row->insertSpacing(2, kSpacing);
  interval_row->insertWidget(3, m_label11);
  waypoints->addLayout(interval_row, 4, 1, 1, 5);
  waypoints->addWidget(m_check_box3, 5, 0, 1, 6);

  m_group_box5 = Group("GroupBox5", " Style Track", m_group_box3);
  m_label3 = Label("Label3", "Color valid track", m_group_box5);
  m_shape_full_track = MakeSwatch("ShapeFullTrack", design.track_colour, m_group_box5);
  m_width = Label("Width", "Track width", m_group_box5);
  m_edit3 = ReadOnlyField("Edit3", design.track_width_text.c_str(), m_group_box5);
  m_up_down1 =
      Named(new UpDown(kUpDown1Position, -kUpDown1Limit, kUpDown1Limit, m_group_box5), "UpDown1");
  // Hidden controls: only the settings file reaches them.
  m_shape_style_track = MakeSwatch("ShapeStyleTrack", design.hidden_colour, m_group_box5);
  m_label1 = Label("Label1", "L1", m_group_box5);
  m_check_box4 = Named(new QCheckBox(QStringLiteral("Start first fix"), m_group_box5), "CheckBox4");
  m_check_box4->setChecked(design.start_at_first_fix);
  m_check_box4->setEnabled(false);
  m_check_box2 =
      Named(new QCheckBox(QStringLiteral("Use all the waypoints"), m_group_box5), "CheckBox2");
  m_check_box2->setChecked(design.use_all_waypoints);
  for (QWidget* hidden :
       std::initializer_list<QWidget*>{m_shape_style_track, m_label1, m_check_box4, m_check_box2}) {
    hidden->hide();
  }

  auto* style_track = new QGridLayout(m_group_box5);
  Compact(style_track);
  style_track->addWidget(m_label3, 0, 0);
  style_track->addWidget(m_shape_full_track, 0, 1);
  style_track->addWidget(m_width, 1, 0);
  style_track->addLayout(SpinRow(m_edit3, m_up_down1), 1, 1);
  style_track->setColumnStretch(1, 1);

  m_group_box4 = Group("GroupBox4", "Date(yyyy-mm-dd)", m_group_box3);
  m_check_box1 = Named(new QCheckBox(m_group_box4), "CheckBox1");
  m_check_box1->setChecked(design.use_fixed_date);
  m_check_box1->setAccessibleName(QStringLiteral("Use the fixed date"));
  m_mask_edit1 = Named(new DateField(m_group_box4), "MaskEdit1");
  m_mask_edit1->SetText(design.fixed_date_text);
  m_mask_edit1->setEnabled(false);  // the start-up load sets it
  m_mask_edit1->setFixedWidth(96);
  auto* date_row = new QHBoxLayout(m_group_box4);
  Compact(date_row);
  date_row->addWidget(m_check_box1);
  date_row->addWidget(m_mask_edit1);
  date_row->addStretch();

  m_group_box12 = Group("GroupBox12", "Time window (UTC)", m_group_box3);
  m_label12 = Label("Label12", "From", m_group_box12);
  m_from_time = Named(new TimeBoundField(m_group_box12), "FromTime");
  m_from_time->SetText(design.from_time_text);
  m_label13 = Label("Label13", "To", m_group_box12);
  m_to_time = Named(new TimeBoundField(m_group_box12), "ToTime");
  m_to_time->SetText(design.to_time_text);
  auto* time_window = new QGridLayout(m_group_box12);
  Compact(time_window);
  time_window->setVerticalSpacing(2);
  time_window->addWidget(m_label12, 0, 0);
  time_window->addWidget(m_from_time, 0, 1);
  time_window->addWidget(m_label13, 1, 0);
  time_window->addWidget(m_to_time, 1, 1);
  time_window->setColumnStretch(1, 1);

  auto* settings = new QVBoxLayout(m_group_box3);
  Compact(settings);
  settings->addWidget(m_group_box11);
  settings->addWidget(m_group_box5);
  settings->addWidget(m_group_box4);
  settings->addWidget(m_group_box12);
  settings->addStretch();

  auto* columns = new QHBoxLayout;
  columns->setSpacing(kSpacing + 2);
  columns->addLayout(left_column);
  columns->addWidget(m_group_box3, 1);

  // Across the whole width: the run, the settings file and the status panels.
  // A group without a caption: only its frame.
  m_group_box9 = Named(new QFrame(this), "GroupBox9");
  m_speed_button3 = Named(new QPushButton(QStringLiteral("Run"), m_group_box9), "SpeedButton3");
  m_speed_button3->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  m_speed_button3->setEnabled(false);
  m_cgauge1 = Named(new QProgressBar(m_group_box9), "CGauge1");
  m_cgauge1->setRange(0, 100);
  m_cgauge1->setValue(0);
  m_cgauge1->setFormat(QStringLiteral("%p%"));
  m_cgauge1->setAlignment(Qt::AlignCenter);
  auto* run_row = new QHBoxLayout(m_group_box9);
  Compact(run_row, kSpacing);
  run_row->addWidget(m_speed_button3);
  run_row->addWidget(m_cgauge1, 1);

  m_group_box2 = Group("GroupBox2", "Configuration", this);
  m_edit2 = Named(new FileField(m_group_box2), "Edit2");
  m_speed_button1 = PictureButton("SpeedButton1", QStyle::SP_DialogOpenButton,
                                  "Open a settings file", m_group_box2);
  m_speed_button2 = PictureButton("SpeedButton2", QStyle::SP_DialogSaveButton,
                                  "Save the settings as", m_group_box2);
  FileRow(m_group_box2, m_edit2, {m_speed_button1, m_speed_button2});

  m_panel2 = StatusPanel("Panel2", this);
  m_panel3 = StatusPanel("Panel3", this);
  auto* panels = new QHBoxLayout;
  panels->setSpacing(kSpacing);
  panels->addWidget(m_panel2, 1);
  panels->addWidget(m_panel3, 1);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(kOuterMargin, kOuterMargin, kOuterMargin, kOuterMargin);
  form->setSpacing(kSpacing);
  form->addLayout(columns, 1);
  form->addWidget(m_group_box9);
  form->addWidget(m_group_box2);
  form->addLayout(panels);

  // The window keeps its design size; should a larger desktop font need more room, it grows
  // rather than clip a caption.
  const QSize needed = form->minimumSize();
  setFixedSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));
}

}  // namespace trackmint
