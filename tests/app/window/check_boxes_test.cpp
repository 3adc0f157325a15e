// The check boxes' rules and the colour swatches.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/window/swatch.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

using Kind = DialogCall::Kind;

class CheckBoxAndColourTest : public QObject {
  Q_OBJECT

 private slots:
  void dateFieldFollowsCheckBox1() {
    WindowFixture window;
    auto* date = window.Find<QLineEdit>("MaskEdit1");
    auto* box = window.Find<QCheckBox>("CheckBox1");
    QVERIFY(date->isEnabled());  // the start-up load enabled it
    SetSetting(*window.form, &SettingValues::fixed_date_text, std::string("2021-06-30"));
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QVERIFY(!date->isEnabled());
    QCOMPARE(window.form->Values().fixed_date_text, std::string("2021-06-30"));
    QVERIFY(!window.form->Values().use_fixed_date);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(date->isEnabled());
    QVERIFY(window.form->Values().use_fixed_date);
  }

  void trackColourStaysChoosableWhateverCheckBox2Holds() {
    const TempDirectory directory;
    const std::string off = directory.File("off.ini");
    const std::string on = directory.File("on.ini");
    WriteWholeFile(off, "[Settings]\r\nCheckBox2=0\r\n");
    WriteWholeFile(on, "[Settings]\r\nCheckBox2=1\r\n");
    WindowFixture window;
    auto* label = window.Find<QLabel>("Label3");
    auto* swatch = window.Find<Swatch>("ShapeFullTrack");
    struct Step {
      const char* legend;
      std::string file;  // opened with the settings chooser
      bool check_box2;
      WindowColour chosen;
    };
    const Step steps[] = {
        {"a file with CheckBox2 0", off, false, 0x0000AA},
        {"a file with CheckBox2 1", on, true, 0x00AA00},
        // Unchecking the box fires its click.
        {"then the defaults", directory.File("missing.ini"), false, 0xAA0000},
    };
    for (const Step& step : steps) {
      window.dialogs.file_answers.push_back(step.file);
      QTest::mouseClick(window.Find<QToolButton>("SpeedButton1"), Qt::LeftButton);
      QVERIFY2(window.form->Values().use_all_waypoints == step.check_box2, step.legend);
      QVERIFY2(label->isEnabled(), step.legend);
      QVERIFY2(swatch->isEnabled(), step.legend);
      window.dialogs.colour_answers.push_back(step.chosen);
      QTest::mousePress(swatch, Qt::LeftButton);
      QVERIFY2(window.dialogs.calls.back().kind == Kind::Colour, step.legend);
      QVERIFY2(window.form->Values().track_colour == step.chosen, step.legend);
      QVERIFY2(window.Find<QCheckBox>("CheckBox2")->isHidden(), step.legend);
    }
  }

  void swatchPressChoosesItsColour() {
    WindowFixture window;
    auto* invalid = window.Find<Swatch>("Invalidshape");
    window.dialogs.colour_answers.push_back(WindowColour{0x123456});
    QTest::mousePress(invalid, Qt::RightButton);  // any mouse button
    QCOMPARE(window.dialogs.calls.size(), std::size_t{1});
    QVERIFY(window.dialogs.calls.back().kind == Kind::Colour);
    QCOMPARE(window.dialogs.calls.back().colour, WindowColour{0});
    const std::pair<IconSlot, WindowColour> expected[] = {
        {IconSlot::Auto, 255},           {IconSlot::Diff, 65535},
        {IconSlot::RtkFix, 32768},       {IconSlot::RtkFloat, 16711935},
        {IconSlot::Estimated, 16776960}, {IconSlot::Invalid, 0x123456},
    };
    for (const auto& [slot, colour] : expected) QCOMPARE(window.form->ClassColour(slot), colour);
    // Cancelled: the colour stays.
    QTest::mousePress(invalid, Qt::LeftButton);
    QCOMPARE(window.form->ClassColour(IconSlot::Invalid), WindowColour{0x123456});
    QCOMPARE(window.dialogs.calls.back().colour, WindowColour{0x123456});

    window.dialogs.colour_answers.push_back(WindowColour{0x00AA00});
    QTest::mousePress(window.Find<Swatch>("ShapeFullTrack"), Qt::LeftButton);
    QCOMPARE(window.form->Values().track_colour, WindowColour{0x00AA00});
    QCOMPARE(window.form->Values().track_colour, WindowColour{0x00AA00});
  }

  void lockedTrackColourTakesNoPress() {
    WindowFixture window;
    window.form->SetSettingsLocked(true);
    window.dialogs.colour_answers.push_back(WindowColour{0x00AA00});
    QTest::mousePress(window.Find<Swatch>("ShapeFullTrack"), Qt::LeftButton);
    window.form->SwatchMouseDown(*window.Find<Swatch>("ShapeFullTrack"));
    QVERIFY(window.dialogs.calls.empty());
    QCOMPARE(window.form->Values().track_colour, WindowColour{32768});
    window.form->SetSettingsLocked(false);
    window.form->SwatchMouseDown(*window.Find<Swatch>("ShapeFullTrack"));
    QCOMPARE(window.form->Values().track_colour, WindowColour{0x00AA00});
  }
};

}  // namespace

int RunCheckBoxAndColourTests(int argc, char** argv) {
  CheckBoxAndColourTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "check_boxes_test.moc"
