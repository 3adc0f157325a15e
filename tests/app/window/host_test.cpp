// The window's side of a run: gauge, panels, lock, colours, and the closing message box.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/display_check.h"
#include "app/window/qt_text.h"
#include "app/window/swatch.h"
#include "app/window/system_palette.h"
#include "base/classic_system_colours.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

class HostTest : public QObject {
  Q_OBJECT

 private slots:
  void gaugeShowsAtMost100() {
    WindowFixture window;
    auto* gauge = window.Find<QProgressBar>("CGauge1");
    window.form->ShowProgress(99);
    QCOMPARE(gauge->value(), 99);
    QCOMPARE(gauge->text(), QStringLiteral("99%"));
    window.form->ShowProgress(104);
    QCOMPARE(gauge->value(), 100);
    QCOMPARE(gauge->text(), QStringLiteral("100%"));
    window.form->ShowProgress(0);
    QCOMPARE(gauge->value(), 0);
  }

  void statusPanelsAndRunButton() {
    WindowFixture window;
    auto* left = window.Find<QLabel>("Panel2");
    auto* right = window.Find<QLabel>("Panel3");
    right->setText(QStringLiteral("Waypoints 3"));
    window.form->ShowPhase(RunPhase::Started);
    QCOMPARE(left->text(), QStringLiteral(" "));
    QCOMPARE(right->text(), QStringLiteral(" "));
    window.form->ShowPhase(RunPhase::Reading);
    window.form->ShowPlacemarks(12);
    QCOMPARE(left->text(), QStringLiteral("The progress started"));
    QCOMPARE(right->text(), QStringLiteral("Waypoints 12"));
    window.form->ShowPhase(RunPhase::Failed);
    QCOMPARE(left->text(), QStringLiteral("The conversion failed"));
    QCOMPARE(right->text(), QString());
    window.form->SetRunEnabled(false);
    QVERIFY(!window.Find<QPushButton>("SpeedButton3")->isEnabled());
    window.form->SetRunEnabled(true);
    QVERIFY(window.Find<QPushButton>("SpeedButton3")->isEnabled());
  }

  void lockAndUnlock() {
    WindowFixture window;
    TForm1& form = *window.form;
    SetSetting(form, &SettingValues::use_fixed_date, false);  // the date field is off by its rule
    SetSetting(form, &SettingValues::use_all_waypoints, true);
    SetSetting(form, &SettingValues::use_all_waypoints, false);  // the track colour stays on
    const char* const locked[] = {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox10", "GroupBox11",
                                  "Edit1", "Edit6", "Edit3", "Width", "Label1", "Label3",
                                  "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                  // inside the disabled groups
                                  "SpeedButtonOpen", "SpeedButtonSave", "SpeedButton1",
                                  "SpeedButton2", "Edit2", "Autoshape", "UpDown1", "UpDown2"};
    const char* const greyed[] = {"GroupBox1", "GroupBox2",  "GroupBox3",
                                  "GroupBox5", "GroupBox10", "GroupBox11"};
    const QColor window_text = form.palette().color(QPalette::WindowText);
    // The desktop's grey text is the palette's text colour of disabled widgets.
    const QColor grey = form.palette().color(QPalette::Disabled, QPalette::WindowText);
    QVERIFY(grey != window_text);

    form.SetRunEnabled(false);
    form.SetSettingsLocked(true);
    for (const char* name : locked) QVERIFY2(!window.Find<QWidget>(name)->isEnabled(), name);
    for (const char* name : greyed) {
      QVERIFY2(window.Find<QGroupBox>(name)->palette().color(QPalette::WindowText) == grey, name);
    }
    QVERIFY(window.Find<QWidget>("GroupBox9")->isEnabled());
    QVERIFY(window.Find<QWidget>("CGauge1")->isEnabled());

    form.SetSettingsLocked(false);
    form.SetRunEnabled(true);
    for (const char* name : locked) QVERIFY2(window.Find<QWidget>(name)->isEnabled(), name);
    for (const char* name : greyed) {
      QVERIFY2(window.Find<QGroupBox>(name)->palette().color(QPalette::WindowText) == window_text,
               name);
    }
    // What the settings' own rules disabled stays disabled; the track colour has no such rule.
    QVERIFY(!window.Find<QWidget>("MaskEdit1")->isEnabled());
    QVERIFY(window.Find<QWidget>("ShapeFullTrack")->isEnabled());
    // Hidden controls stay hidden.
    for (const char* name : {"ShapeStyleTrack", "Label1", "CheckBox4", "CheckBox2"})
      QVERIFY2(window.Find<QWidget>(name)->isHidden(), name);
  }

  void systemColoursComeFromThePalette() {
    WindowFixture window;
    QPalette palette = window.form->palette();
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(7, 8, 9));
    palette.setColor(QPalette::Text, QColor(10, 11, 12));
    window.form->setPalette(palette);
    const std::pair<WindowColour, WindowColour> cases[] = {
        {kSystemColourFlag | 5, MakeWindowColour(1, 2, 3)},  // window
        {kSystemButtonFace, MakeWindowColour(4, 5, 6)},      // button face
        {kSystemGreyText, MakeWindowColour(7, 8, 9)},        // grey text
        {kSystemWindowText, MakeWindowColour(10, 11, 12)},
        {kSystemColourFlag | 1, ClassicSystemColour(kSystemColourFlag | 1)},  // desktop
        {0xFF00000Fu, MakeWindowColour(4, 5, 6)},  // button face with the whole top byte set
        {kSystemColourFlag | 0x100 | 5, MakeWindowColour(1, 2, 3)},  // window: the low byte counts
        {kSystemColourFlag | 200, 0},                                // unknown
        {0x123456, 0x123456},                                        // plain
    };
    for (const auto& [colour, expected] : cases)
      QCOMPARE(window.form->ResolveColour(colour), expected);
  }

  void finalMessageBox() {
    // In the box the "\n\r" line ends show as plain line breaks.
    QCOMPARE(MessageBoxText("The progress finished!\n\rInput file a\n\rWaypoints 3"),
             QStringLiteral("The progress finished!\nInput file a\nWaypoints 3"));
  }

  void windowNeedsADisplay() {
    struct Case {
      const char* display;
      const char* wayland;
      const char* platform;
      bool available;
    };
    const Case cases[] = {
        {":0", nullptr, nullptr, true},
        {nullptr, "wayland-0", nullptr, true},
        {nullptr, nullptr, "offscreen", true},
        {nullptr, nullptr, nullptr, false},
        {"", "", "", false},
    };
    for (const Case& c : cases) {
      const bool available = DisplayAvailable([&c](const char* name) -> const char* {
        const std::string key(name);
        if (key == "DISPLAY") return c.display;
        if (key == "WAYLAND_DISPLAY") return c.wayland;
        if (key == "QT_QPA_PLATFORM") return c.platform;
        return nullptr;
      });
      QCOMPARE(available, c.available);
    }
    QVERIFY(NoDisplayText().find("trackmint IN OUT [SETTINGS]") != std::string::npos);
  }
};

}  // namespace

int RunHostTests(int argc, char** argv) {
  HostTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "host_test.moc"
