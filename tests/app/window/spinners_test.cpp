// The spinners: the steps of the width, the scale and the interval, and the ends of their counters.
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/window/up_down.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

void Press(UpDown* spinner, SpinDirection direction) {
  QTest::mouseClick(direction == SpinDirection::Up ? spinner->UpButton() : spinner->DownButton(),
                    Qt::LeftButton);
}

class SpinnerTest : public QObject {
  Q_OBJECT

 private slots:
  void intervalSteps() {
    WindowFixture window;
    auto* spinner = window.Find<UpDown>("UpDown3");
    auto* field = window.Find<QLineEdit>("ArrowInterval");
    QVERIFY(field->isReadOnly());
    QCOMPARE(window.form->Values().arrow_interval_text, std::string("0"));
    for (const char* expected : {"0.1", "0.2", "0.5", "1", "2", "5"}) {
      Press(spinner, SpinDirection::Up);
      QCOMPARE(window.form->Values().arrow_interval_text, std::string(expected));
    }
    Press(spinner, SpinDirection::Down);
    QCOMPARE(field->text(), QStringLiteral("2"));
    // A value the settings file gave steps on from where it is.
    SetSetting(*window.form, &SettingValues::arrow_interval_text, std::string("0.25"));
    Press(spinner, SpinDirection::Up);
    QCOMPARE(field->text(), QStringLiteral("0.5"));
  }

  void scaleSteps() {
    struct Case {
      const char* legend;
      const char* start;
      SpinDirection direction;
      std::vector<std::string> texts;  // after each press
    };
    const Case cases[] = {
        {"up from 0.5",
         "0.5",
         SpinDirection::Up,
         {"0.6", "0.7", "0.8", "0.9", "1.0", "1.0", "1.0"}},
        {"down from 0.5", "0.5", SpinDirection::Down, {"0.4", "0.3", "0.2", "0.1", "0.1", "0.1"}},
        {"down from 1.0", "1.0", SpinDirection::Down, {"0.9"}},
        {"a text without a number", "abc", SpinDirection::Up, {"0.1", "0.2"}},
        {"a text without a number, down", "abc", SpinDirection::Down, {"0.1"}},
        {"a text an earlier version saved", "0.700000", SpinDirection::Up, {"0.8"}},
    };
    for (const Case& c : cases) {
      WindowFixture window;
      SetSetting(*window.form, &SettingValues::icon_scale_text, std::string(c.start));
      auto* spinner = window.Find<UpDown>("UpDown2");
      for (const std::string& expected : c.texts) {
        Press(spinner, c.direction);
        QVERIFY2(window.form->Values().icon_scale_text == expected, c.legend);
        QVERIFY2(window.form->Values().icon_scale_text == expected, c.legend);
      }
    }
  }

  void widthSteps() {
    struct Case {
      const char* legend;
      const char* start;
      SpinDirection direction;
      const char* expected;
    };
    const Case cases[] = {
        {"up", "5", SpinDirection::Up, "6"},
        {"down", "5", SpinDirection::Down, "4"},
        {"top end", "10", SpinDirection::Up, "10"},
        {"bottom end", "1", SpinDirection::Down, "1"},
        {"no number, up", "abc", SpinDirection::Up, "1"},
        {"no number, down", "abc", SpinDirection::Down, "1"},
        {"out of range", "20", SpinDirection::Down, "10"},
    };
    for (const Case& c : cases) {
      WindowFixture window;
      SetSetting(*window.form, &SettingValues::track_width_text, std::string(c.start));
      Press(window.Find<UpDown>("UpDown1"), c.direction);
      QVERIFY2(window.form->Values().track_width_text == c.expected, c.legend);
      QVERIFY2(window.form->Values().track_width_text == c.expected, c.legend);
    }
  }

  void pressAtTheEndOfTheCounterDoesNothing() {
    WindowFixture window;
    // The width's counter starts at 5 and stops at -1000.
    auto* width = window.Find<UpDown>("UpDown1");
    for (int i = 0; i < 1005; ++i) width->DownButton()->click();
    QCOMPARE(width->Position(), -1000);
    SetSetting(*window.form, &SettingValues::track_width_text, std::string("abc"));
    width->DownButton()->click();
    QCOMPARE(width->Position(), -1000);
    QCOMPARE(window.form->Values().track_width_text, std::string("abc"));  // no event ran
    width->UpButton()->click();
    QCOMPARE(width->Position(), -999);
    QCOMPARE(window.form->Values().track_width_text, std::string("1"));

    // The scale's counter starts at 1 and stops at 100.
    auto* scale = window.Find<UpDown>("UpDown2");
    for (int i = 0; i < 99; ++i) scale->UpButton()->click();
    QCOMPARE(scale->Position(), 100);
    SetSetting(*window.form, &SettingValues::icon_scale_text, std::string("abc"));
    scale->UpButton()->click();
    QCOMPARE(scale->Position(), 100);
    QCOMPARE(window.form->Values().icon_scale_text, std::string("abc"));
    scale->DownButton()->click();
    QCOMPARE(scale->Position(), 99);
    QCOMPARE(window.form->Values().icon_scale_text, std::string("0.1"));
  }
};

}  // namespace

int RunSpinnerTests(int argc, char** argv) {
  SpinnerTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "spinners_test.moc"
