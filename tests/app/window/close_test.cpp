// Closing the window: the change test, the question, and a save that fails.
#include <filesystem>

#include <QLineEdit>
#include <QTest>

#include "app/window/swatch.h"
#include "app/window/up_down.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

using Kind = DialogCall::Kind;

constexpr const char* kQuestion = "The settings were changed. Save them?";

void SetSettingsField(WindowFixture& window, const std::string& path) {
  QTest::keyClicks(window.Find<QLineEdit>("Edit2"), QString::fromStdString(path));
}

class CloseTest : public QObject {
  Q_OBJECT

 private slots:
  void whatMakesTheCloseAsk() {
    struct Case {
      const char* legend;
      std::function<void(WindowFixture&)> change;
      bool asks;
    };
    const Case cases[] = {
        {"nothing changed", [](WindowFixture&) {}, false},
        {"only a fix-class colour and the position",
         [](WindowFixture& window) {
           window.dialogs.colour_answers.push_back(WindowColour{0x123456});
           QTest::mousePress(window.Find<Swatch>("Autoshape"), Qt::LeftButton);
           window.form->move(10, 20);
         },
         false},
        {"width up and down again",
         [](WindowFixture& window) {
           window.form->UpDown1Click(SpinDirection::Up);
           window.form->UpDown1Click(SpinDirection::Down);
         },
         false},
        {"scale up and down again gives 0.5",
         [](WindowFixture& window) {
           window.form->UpDown2Click(SpinDirection::Up);
           window.form->UpDown2Click(SpinDirection::Down);
         },
         false},
        {"scale up", [](WindowFixture& window) { window.form->UpDown2Click(SpinDirection::Up); },
         true},
        {"show heights",
         [](WindowFixture& window) { SetSetting(*window.form, &SettingValues::show_height, true); },
         true},
        {"track colour",
         [](WindowFixture& window) {
           window.dialogs.colour_answers.push_back(WindowColour{0x00AA00});
           window.form->SwatchMouseDown(*window.Find<Swatch>("ShapeFullTrack"));
         },
         true},
    };
    for (const Case& c : cases) {
      WindowFixture window;
      c.change(window);
      QVERIFY2(window.form->close(), c.legend);  // No is the scripted answer
      QVERIFY2(!window.form->isVisible(), c.legend);
      QVERIFY2(window.dialogs.CallsOf(Kind::YesNo).size() == (c.asks ? 1u : 0u), c.legend);
      if (c.asks) QVERIFY2(window.dialogs.CallsOf(Kind::YesNo).front().text == kQuestion, c.legend);
    }
  }

  void yesSavesToTheSettingsField() {
    const TempDirectory directory;
    const std::string file = directory.File("field.ini");
    WindowFixture window;
    SetSettingsField(window, file);
    window.form->UpDown1Click(SpinDirection::Up);
    SetSetting(*window.form, &SettingValues::show_height, true);
    window.form->move(1004, 109);
    window.dialogs.yes_no_answers.push_back(true);
    QVERIFY(window.form->close());
    QCOMPARE(ReadWholeFile(file), std::string("[Settings]\r\n"
                                              "CheckBox1=1\r\n"
                                              "MaskEdit1=2000-01-01\r\n"
                                              "ShapeStyleTrack=255\r\n"
                                              "ShapeFullTrack=32768\r\n"
                                              "Edit3=6\r\n"
                                              "CheckBox2=0\r\n"
                                              "CheckBox4=0\r\n"
                                              "CheckBox3=1\r\n"
                                              "Edit4=0.5\r\n"
                                              "Left=1004\r\n"
                                              "Top=109\r\n"
                                              "ArrowInterval=0\r\n"
                                              "FromTime=\r\n"
                                              "ToTime=\r\n"));
  }

  void noSavesNothing() {
    const TempDirectory directory;
    const std::string file = directory.File("field.ini");
    WindowFixture window;
    SetSettingsField(window, file);
    window.form->UpDown1Click(SpinDirection::Up);
    window.dialogs.yes_no_answers.push_back(false);
    QVERIFY(window.form->close());
    QCOMPARE(window.dialogs.CallsOf(Kind::YesNo).size(), std::size_t{1});
    QVERIFY(!std::filesystem::exists(file));
  }

  void failingSaveKeepsTheWindowOpen() {
    WindowFixture window;
    SetSettingsField(window, "/proc/trackmint-no/x.ini");
    window.form->UpDown1Click(SpinDirection::Up);
    window.dialogs.yes_no_answers.push_back(true);
    QVERIFY(!window.form->close());
    QVERIFY(window.form->isVisible());
    const std::vector<DialogCall> errors = window.dialogs.CallsOf(Kind::Error);
    QCOMPARE(errors.size(), std::size_t{1});
    QCOMPARE(
        errors.front().text,
        std::string(
            "Can't write the settings file /proc/trackmint-no/x.ini: No such file or directory."));
    // The next close asks again.
    window.dialogs.yes_no_answers.push_back(false);
    QVERIFY(window.form->close());
    QCOMPARE(window.dialogs.CallsOf(Kind::YesNo).size(), std::size_t{2});
  }
};

}  // namespace

int RunCloseTests(int argc, char** argv) {
  CloseTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "close_test.moc"
