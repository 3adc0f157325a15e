// The window as built: caption, size, position, every control with its design state, and a
// layout in which nothing is clipped or overlaps.
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/window/swatch.h"
#include "app/window/up_down.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

class DesignTest : public QObject {
  Q_OBJECT

 private slots:
  void captionSizeAndPosition() {
    const WindowFixture window({}, false);
    TForm1& form = *window.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Kelvra Trackmint  v 1.4"));
    QCOMPARE(form.size(), QSize(399, 466));
    QCOMPARE(form.minimumSize(), form.maximumSize());  // the border cannot be dragged
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(form.windowFlags() & Qt::WindowSystemMenuHint);
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.pos(), QPoint(1004, 109));
    QCOMPARE(form.Values().window_left, 1004);
    QCOMPARE(form.Values().window_top, 109);
    SetSetting(form, &SettingValues::window_left, 20);
    SetSetting(form, &SettingValues::window_top, 30);
    QCOMPARE(form.pos(), QPoint(20, 30));
  }

  void controlsAsDesigned() {
    // Before the start-up load: the design values.
    const WindowFixture window({}, false);
    struct Expected {
      const char* name;
      const char* caption;
      bool visible;
      bool enabled;
    };
    const Expected groups[] = {
        {"GroupBox1", ">>>Input", true, true},      {"GroupBox10", ">>>Output(.kmz)", true, true},
        {"GroupBox3", ">>> Settings", true, true},  {"GroupBox11", " Waypoints", true, true},
        {"GroupBox5", " Style Track", true, true},  {"GroupBox4", "Date(yyyy-mm-dd)", true, true},
        {"GroupBox2", "Configuration", true, true},
    };
    for (const Expected& e : groups) {
      const auto* group = window.Find<QGroupBox>(e.name);
      QVERIFY2(group->title() == QString::fromUtf8(e.caption), e.name);
      QVERIFY2(group->isVisible() == e.visible, e.name);
    }
    QVERIFY(window.Find<QWidget>("GroupBox9")->isVisible());  // a frame without a caption
    const Expected labels[] = {
        {"Label2", "Auto", true, true},       {"Label4", "Diff", true, true},
        {"Label5", "RTK Fix", true, true},    {"Label6", "Invalid", true, true},
        {"Label7", "RTK Float", true, true},  {"Label8", "Estimated", true, true},
        {"Label9", "Scale", true, true},      {"Label3", "Color valid track", true, true},
        {"Width", "Track width", true, true}, {"Label1", "L1", false, true},
        {"Panel2", "", true, true},           {"Panel3", "", true, true},
    };
    for (const Expected& e : labels) {
      const auto* label = window.Find<QLabel>(e.name);
      QVERIFY2(label->text() == QString::fromUtf8(e.caption), e.name);
      QVERIFY2(label->isVisible() == e.visible, e.name);
      QVERIFY2(label->isEnabled() == e.enabled, e.name);
    }
    struct ExpectedBox {
      const char* name;
      const char* caption;
      bool checked;
      bool visible;
      bool enabled;
    };
    const ExpectedBox boxes[] = {
        {"CheckBox3", "Show value of height", false, true, true},
        {"CheckBox4", "Start first fix", false, false, false},
        {"CheckBox2", "Use all the waypoints", false, false, true},
        {"CheckBox1", "", true, true, true},
    };
    for (const ExpectedBox& e : boxes) {
      const auto* box = window.Find<QCheckBox>(e.name);
      QVERIFY2(box->text() == QString::fromUtf8(e.caption), e.name);
      QVERIFY2(box->isChecked() == e.checked, e.name);
      QVERIFY2(box->isVisible() == e.visible, e.name);
      QVERIFY2(box->isEnabled() == e.enabled, e.name);
    }
    struct ExpectedSwatch {
      const char* name;
      WindowColour colour;
      bool visible;
    };
    const ExpectedSwatch swatches[] = {
        {"Autoshape", 255, true},          {"Diffshape", 65535, true},
        {"RTKFixshape", 32768, true},      {"Invalidshape", 0, true},
        {"RTKFloatshape", 16711935, true}, {"Estematedshape", 16776960, true},
        {"ShapeFullTrack", 255, true},     {"ShapeStyleTrack", 16777215, false},
    };
    for (const ExpectedSwatch& e : swatches) {
      const auto* swatch = window.Find<Swatch>(e.name);
      QVERIFY2(swatch->Colour() == e.colour, e.name);
      QVERIFY2(swatch->isVisible() == e.visible, e.name);
      QVERIFY2(swatch->isEnabled(), e.name);
    }
    for (const char* name : {"Edit1", "Edit6", "Edit2"}) {
      const auto* field = window.Find<QLineEdit>(name);
      QVERIFY2(field->text().isEmpty() && field->toolTip().isEmpty(), name);
      QVERIFY2(!field->isReadOnly(), name);
    }
    QCOMPARE(window.Find<QLineEdit>("Edit3")->text(), QStringLiteral("5"));
    QVERIFY(window.Find<QLineEdit>("Edit3")->isReadOnly());
    QCOMPARE(window.Find<QLineEdit>("Edit4")->text(), QStringLiteral("0.5"));
    QVERIFY(window.Find<QLineEdit>("Edit4")->isReadOnly());
    QCOMPARE(window.Find<QLineEdit>("MaskEdit1")->text(), QStringLiteral("2000-01-01"));
    QVERIFY(!window.Find<QLineEdit>("MaskEdit1")->isEnabled());
    QCOMPARE(window.Find<UpDown>("UpDown1")->Position(), 5);
    QCOMPARE(window.Find<UpDown>("UpDown2")->Position(), 1);

    const auto* run = window.Find<QPushButton>("SpeedButton3");
    QCOMPARE(run->text(), QStringLiteral("Run"));
    QVERIFY(!run->isEnabled());
    const auto* gauge = window.Find<QProgressBar>("CGauge1");
    QCOMPARE(gauge->minimum(), 0);
    QCOMPARE(gauge->maximum(), 100);
    QCOMPARE(gauge->value(), 0);
    QCOMPARE(gauge->text(), QStringLiteral("0%"));
    for (const char* name :
         {"SpeedButtonOpen", "SpeedButtonSave", "SpeedButton1", "SpeedButton2"}) {
      const auto* button = window.Find<QToolButton>(name);
      QVERIFY2(button->text().isEmpty() && !button->icon().isNull(), name);
    }
    QVERIFY(window.Find<QWidget>("Image1")->isVisible());
  }

  void dateFieldTakesDigitsOnly() {
    const WindowFixture window;
    auto* date = window.Find<QLineEdit>("MaskEdit1");
    QVERIFY(date->isEnabled());
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, "19a99/12x31-");
    QCOMPARE(date->text(), QStringLiteral("1999-12-31"));
    QCOMPARE(window.form->Values().fixed_date_text, std::string("1999-12-31"));
    SetSetting(*window.form, &SettingValues::fixed_date_text, std::string("2024-02-29"));
    QCOMPARE(window.form->Values().fixed_date_text, std::string("2024-02-29"));

    // A date left half typed goes back to the last whole one when the field is left.
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClicks(date, "2025");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(date, &leave);
    QCOMPARE(window.form->Values().fixed_date_text, std::string("2024-02-29"));
  }

  void dateFieldKeepsCalendarDatesOnly() {
    enum class Leave { FocusOut, Enter };
    struct Case {
      const char* legend;
      const char* typed;
      Leave leave;
      const char* kept;
    };
    const Case cases[] = {
        {"no month 13, no day 45", "20241345", Leave::FocusOut, "2021-06-30"},
        {"no 29 February in 2023", "20230229", Leave::Enter, "2021-06-30"},
        {"no 31 April", "20240431", Leave::FocusOut, "2021-06-30"},
        {"no year 0", "00000101", Leave::Enter, "2021-06-30"},
        {"half typed", "2025", Leave::Enter, "2021-06-30"},
        {"29 February 2024", "20240229", Leave::FocusOut, "2024-02-29"},
        {"a valid date taken with Enter", "19991231", Leave::Enter, "1999-12-31"},
    };
    for (const Case& c : cases) {
      const WindowFixture window;
      auto* date = window.Find<QLineEdit>("MaskEdit1");
      SetSetting(*window.form, &SettingValues::fixed_date_text, std::string("2021-06-30"));
      date->setFocus();
      date->selectAll();
      QTest::keyClick(date, Qt::Key_Backspace);
      QTest::keyClicks(date, QString::fromLatin1(c.typed));
      // Until the field is left it shows what was typed, while the run and the save read the
      // last valid date.
      QVERIFY2(date->text().remove(QLatin1Char('-')) == QString::fromLatin1(c.typed), c.legend);
      QVERIFY2(window.form->Values().fixed_date_text == c.kept, c.legend);
      if (c.leave == Leave::Enter) {
        QTest::keyClick(date, Qt::Key_Return);
      } else {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(date, &leave);
      }
      QVERIFY2(date->text() == QString::fromLatin1(c.kept), c.legend);
      QVERIFY2(window.form->Values().fixed_date_text == c.kept, c.legend);
      QVERIFY2(window.form->Values().fixed_date_text == c.kept, c.legend);
    }
  }

  void dateFromOutsideIsTakenOnlyWhenValid() {
    const WindowFixture window;
    SetSetting(*window.form, &SettingValues::fixed_date_text, std::string("2024-02-29"));
    QCOMPARE(window.form->Values().fixed_date_text, std::string("2024-02-29"));
    for (const char* bad : {"2024-13-45", "2023-02-29", "2024-1-1", "", "yesterday"}) {
      SetSetting(*window.form, &SettingValues::fixed_date_text, std::string(bad));
      QVERIFY2(window.form->Values().fixed_date_text == "2024-02-29", bad);
      QVERIFY2(window.Find<QLineEdit>("MaskEdit1")->text() == QStringLiteral("2024-02-29"), bad);
    }
  }

  // The bounds of the time window: empty for none, a time of day or a date-time. While one is
  // typed the run and the save read the last bound the field held; leaving the field with no
  // bound in it brings that one back.
  void timeWindowFieldsKeepBoundsOnly() {
    const WindowFixture window;
    auto* from = window.Find<QLineEdit>("FromTime");
    auto* to = window.Find<QLineEdit>("ToTime");
    QCOMPARE(window.form->Values().from_time_text, std::string());
    QCOMPARE(window.form->Values().to_time_text, std::string());
    from->setFocus();
    QTest::keyClicks(from, QStringLiteral("23:0"));
    QCOMPARE(window.form->Values().from_time_text, std::string());  // not yet a time
    QTest::keyClicks(from, QStringLiteral("0"));
    QCOMPARE(window.form->Values().from_time_text, std::string("23:00"));
    QTest::keyClicks(from, QStringLiteral("x"));
    QCOMPARE(window.form->Values().from_time_text, std::string("23:00"));
    QTest::keyClick(from, Qt::Key_Return);
    QCOMPARE(from->text(), QStringLiteral("23:00"));
    // Emptied, it holds no bound.
    from->selectAll();
    QTest::keyClick(from, Qt::Key_Backspace);
    QCOMPARE(window.form->Values().from_time_text, std::string());
    // From outside: a load takes a bound, never a text that is none.
    SetSetting(*window.form, &SettingValues::to_time_text, std::string("2024-03-01T01:00Z"));
    QCOMPARE(to->text(), QStringLiteral("2024-03-01T01:00Z"));
    SetSetting(*window.form, &SettingValues::to_time_text, std::string("midnight"));
    QCOMPARE(window.form->Values().to_time_text, std::string("2024-03-01T01:00Z"));
  }

  void layoutIsTidy() {
    const WindowFixture window;
    TForm1& form = *window.form;
    const QRect client(QPoint(0, 0), form.size());
    // Every shown control lies inside its parent, and no two shown neighbours overlap.
    for (QWidget* widget : form.findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(&form) || widget->objectName().isEmpty()) continue;
      const QString name = widget->objectName();
      const QRect inside(QPoint(0, 0), widget->parentWidget()->size());
      QVERIFY2(inside.contains(widget->geometry()), qPrintable(name + " sticks out"));
      for (QObject* other_object : widget->parentWidget()->children()) {
        auto* other = qobject_cast<QWidget*>(other_object);
        if (other == nullptr || other == widget || !other->isVisibleTo(&form) ||
            other->objectName().isEmpty())
          continue;
        QVERIFY2(!widget->geometry().intersects(other->geometry()),
                 qPrintable(name + " overlaps " + other->objectName()));
      }
    }
    // Captions are shown whole.
    for (const QLabel* label : form.findChildren<QLabel*>()) {
      if (!label->isVisibleTo(&form) || label->text().isEmpty()) continue;
      QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    }
    for (const QCheckBox* box : form.findChildren<QCheckBox*>()) {
      if (!box->isVisibleTo(&form)) continue;
      QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->objectName()));
    }
    for (const QGroupBox* group : form.findChildren<QGroupBox*>()) {
      const int title = group->fontMetrics().horizontalAdvance(group->title());
      QVERIFY2(group->width() >= title + 12, qPrintable(group->objectName()));
      QVERIFY2(group->height() >= group->minimumSizeHint().height(),
               qPrintable(group->objectName()));
    }
    // The scale is measured as an earlier version saved it, with six decimals.
    for (const char* name : {"Edit3", "Edit4", "MaskEdit1"}) {
      const auto* field = window.Find<QLineEdit>(name);
      QVERIFY2(field->width() >= field->fontMetrics().horizontalAdvance(
                                     name == std::string("Edit4") ? "0.600000" : field->text()) +
                                     8,
               name);
    }
    // The arrangement: picture, input and output on the left of the settings; below them the run
    // row, the configuration row and the two panels side by side across the width.
    const auto at = [&](const char* name) {
      QWidget* widget = window.Find<QWidget>(name);
      return QRect(widget->mapTo(&form, QPoint(0, 0)), widget->size());
    };
    QVERIFY(at("Image1").bottom() < at("GroupBox1").top());
    QVERIFY(at("GroupBox1").bottom() < at("GroupBox10").top());
    QVERIFY(at("GroupBox10").right() < at("GroupBox3").left());
    QVERIFY(at("GroupBox11").bottom() < at("GroupBox5").top());
    QVERIFY(at("GroupBox5").bottom() < at("GroupBox4").top());
    QVERIFY(std::max(at("GroupBox3").bottom(), at("GroupBox10").bottom()) < at("GroupBox9").top());
    QVERIFY(at("GroupBox9").bottom() < at("GroupBox2").top());
    QVERIFY(at("GroupBox2").bottom() < at("Panel2").top());
    QCOMPARE(at("Panel2").top(), at("Panel3").top());
    QVERIFY(at("Panel2").right() < at("Panel3").left());
    QVERIFY(at("GroupBox9").width() > client.width() * 9 / 10);
    QVERIFY(at("Panel3").right() > client.width() * 9 / 10);
    // In the waypoints group the swatches stand in two columns, each label to its swatch's left.
    QCOMPARE(at("Autoshape").left(), at("RTKFixshape").left());
    QCOMPARE(at("Invalidshape").left(), at("Estematedshape").left());
    QVERIFY(at("Autoshape").right() < at("Label6").left());
    QVERIFY(at("Label2").right() < at("Autoshape").left());
    QVERIFY(at("Label8").right() < at("Estematedshape").left());
    QVERIFY(at("Autoshape").top() < at("Diffshape").top());
    QVERIFY(at("Diffshape").top() < at("RTKFixshape").top());
    // Each spinner sits at the right edge of its field.
    QCOMPARE(at("UpDown1").left(), at("Edit3").right() + 1);
    QCOMPARE(at("UpDown2").left(), at("Edit4").right() + 1);
  }
};

}  // namespace

int RunDesignTests(int argc, char** argv) {
  DesignTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "design_test.moc"
