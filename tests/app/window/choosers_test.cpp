// The four file choosers: what each is opened with, and what its answer changes.
#include <filesystem>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/window/file_field.h"
#include "app/window/swatch.h"
#include "support/fixtures.h"
#include "support/scoped_process_state.h"
#include "support/temp_directory.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

using Kind = DialogCall::Kind;

const std::vector<FileFilter> kSettingsFilters = {{"Configuration (*.ini)", "*.ini"},
                                                  {"All files ", "*.*"}};

class ChooserTest : public QObject {
  Q_OBJECT

 private slots:
  void inputChooser() {
    const StartDirectory start;
    WindowFixture window;
    auto* button = window.Find<QToolButton>("SpeedButtonOpen");
    // Cancelled: nothing changes.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window.dialogs.calls.size(), std::size_t{1});
    const DialogCall first = window.dialogs.calls.back();
    QVERIFY(first.kind == Kind::OpenFile);
    QCOMPARE(first.chooser.title, std::string("Open"));
    QVERIFY(first.chooser.filters.empty());
    // With no input yet it starts in the current directory, where typed names are taken from.
    QCOMPARE(first.chooser.directory, start.Path());
    QVERIFY(window.form->InputText().empty() && window.form->InputPath().empty());
    QVERIFY(window.form->OutputText().empty() && window.form->OutputPath().empty());
    QVERIFY(!window.Find<QPushButton>("SpeedButton3")->isEnabled());

    window.dialogs.file_answers.push_back("/data/logs/day1.nmea");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window.form->InputText(), std::string("day1.nmea"));
    QCOMPARE(window.form->InputPath(), std::string("/data/logs/day1.nmea"));
    // The next time it starts where the input is.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window.dialogs.calls.back().chooser.directory, std::string("/data/logs/"));
    QCOMPARE(window.form->InputPath(), std::string("/data/logs/day1.nmea"));
  }

  void outputChooser() {
    WindowFixture window;
    auto* button = window.Find<QToolButton>("SpeedButtonSave");
    // With nothing chosen yet it starts wherever it likes and proposes nothing.
    window.dialogs.file_answers.push_back("/out/track");
    QTest::mouseClick(button, Qt::LeftButton);
    DialogCall call = window.dialogs.calls.back();
    QVERIFY(call.kind == Kind::SaveFile);
    QCOMPARE(call.chooser.title, std::string("Save as "));
    QVERIFY(call.chooser.filters.empty());
    QCOMPARE(call.chooser.directory, std::string());
    QCOMPARE(call.chooser.file_name, std::string());
    // No extension is added: the KMZ takes exactly the chosen name.
    QCOMPARE(window.form->OutputText(), std::string("track"));
    QCOMPARE(window.form->OutputPath(), std::string("/out/track"));

    // After the input chooser it starts at the proposed KMZ beside the input.
    window.dialogs.file_answers.push_back("/data/log.nmea");
    window.form->SpeedButtonOpenClick();
    QTest::mouseClick(button, Qt::LeftButton);  // cancelled
    call = window.dialogs.calls.back();
    QCOMPARE(call.chooser.directory, std::string("/data/"));
    QCOMPARE(call.chooser.file_name, std::string("/data/log.nmea.kmz"));
    QCOMPARE(window.form->OutputText(), std::string("log.nmea.kmz"));
    QCOMPARE(window.form->OutputPath(), std::string("/data/log.nmea.kmz"));

    // With the output text emptied, the proposal stays what the chooser last held.
    window.Find<QLineEdit>("Edit6")->clear();
    QTest::mouseClick(button, Qt::LeftButton);
    call = window.dialogs.calls.back();
    QCOMPARE(call.chooser.directory, std::string("/data/"));
    QCOMPARE(call.chooser.file_name, std::string("/data/log.nmea.kmz"));
  }

  void openSettingsChooser() {
    const TempDirectory directory;
    const std::string file = directory.File("field.ini");
    WriteWholeFile(file, "[Settings]\r\nEdit3=8\r\nShapeFullTrack=$FF0000\r\nCheckBox3=1\r\n");
    WindowFixture window;
    auto* button = window.Find<QToolButton>("SpeedButton1");

    window.dialogs.file_answers.push_back(file);
    QTest::mouseClick(button, Qt::LeftButton);
    const DialogCall call = window.dialogs.calls.back();
    QVERIFY(call.kind == Kind::OpenFile);
    QCOMPARE(call.chooser.title, std::string("Open "));
    QCOMPARE(call.chooser.filters, kSettingsFilters);
    QCOMPARE(call.chooser.directory, std::string());
    QCOMPARE(Text(window.Find<QLineEdit>("Edit2")->text()), std::string("field.ini"));
    QCOMPARE(window.Find<FileField>("Edit2")->Hint(), file);
    QCOMPARE(window.form->Values().track_width_text, std::string("8"));
    QCOMPARE(window.form->Values().track_colour, WindowColour{0xFF0000});
    QVERIFY(window.form->Values().show_height);
    QCOMPARE(window.form->Values().icon_scale_text, std::string("0.5"));  // not in the file: kept

    // A name of a file that does not exist gives the defaults.
    window.dialogs.file_answers.push_back(directory.File("none.ini"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(Text(window.Find<QLineEdit>("Edit2")->text()), std::string("none.ini"));
    QCOMPARE(window.Find<FileField>("Edit2")->Hint(), directory.File("none.ini"));
    QCOMPARE(window.form->Values().track_width_text, std::string("5"));
    QCOMPARE(window.form->Values().track_colour, WindowColour{32768});
    QVERIFY(!window.form->Values().show_height);

    // Cancelled: nothing changes.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window.Find<FileField>("Edit2")->Hint(), directory.File("none.ini"));

    // Each load renews what the close compares with: nothing to ask.
    window.form->close();
    QVERIFY(window.dialogs.CallsOf(Kind::YesNo).empty());
  }

  // A settings file whose interval or bound cannot stand loads the rest, leaves that setting at
  // its default, and the window says so in one warning box.
  void openedSettingsThatCannotStandAreSaid() {
    const TempDirectory directory;
    const std::string file = directory.File("bad.ini");
    WriteWholeFile(file,
                   "[Settings]\r\nArrowInterval=abc\r\nFromTime=25:00\r\nToTime=01:30\r\n"
                   "Edit3=8\r\n");
    WindowFixture window;
    SetSetting(*window.form, &SettingValues::arrow_interval_text, std::string("10"));
    window.dialogs.file_answers.push_back(file);
    QTest::mouseClick(window.Find<QToolButton>("SpeedButton1"), Qt::LeftButton);
    const std::vector<DialogCall> warnings = window.dialogs.CallsOf(Kind::Warning);
    QCOMPARE(warnings.size(), std::size_t{1});
    QCOMPARE(warnings.front().text,
             "the settings file " + file +
                 ": ArrowInterval=abc is not a number of seconds from 0 to 86400 with at most "
                 "three decimals; it is left at 0\nthe settings file " +
                 file +
                 ": FromTime=25:00 is not a time hh:mm[:ss[.fff]] or a date-time "
                 "yyyy-mm-ddThh:mm[:ss[.fff]]; it is left empty");
    QCOMPARE(window.form->Values().arrow_interval_text, std::string("0"));
    QCOMPARE(window.form->Values().from_time_text, std::string());
    QCOMPARE(window.form->Values().to_time_text, std::string("01:30"));
    QCOMPARE(window.form->Values().track_width_text, std::string("8"));
  }

  void saveSettingsChooser() {
    const TempDirectory directory;
    // The user's settings folder, so that the proposal below is known (no file is written there).
    const ScopedEnvironment config_home("XDG_CONFIG_HOME", "/xdg/config");
    WindowFixture window;
    auto* button = window.Find<QToolButton>("SpeedButton2");
    const std::string field_file = directory.File("field.ini");
    QTest::keyClicks(window.Find<QLineEdit>("Edit2"), QString::fromStdString(field_file));
    window.form->UpDown1Click(SpinDirection::Up);  // width 6

    // A name with a directory and without an extension is written exactly there.
    const std::string chosen = directory.File("my");
    window.dialogs.file_answers.push_back(chosen);
    QTest::mouseClick(button, Qt::LeftButton);
    const DialogCall call = window.dialogs.calls.back();
    QVERIFY(call.kind == Kind::SaveFile);
    QCOMPARE(call.chooser.title, std::string("Save as"));
    QCOMPARE(call.chooser.filters, kSettingsFilters);
    // It proposes the default settings file: the user's, for none is beside the program.
    QCOMPARE(call.chooser.directory, std::string("/xdg/config/kelvra-trackmint/"));
    QCOMPARE(call.chooser.file_name, std::string("trackmint.ini"));
    QVERIFY(!call.chooser.directory.empty() && !call.chooser.file_name.empty());
    QVERIFY(ReadWholeFile(chosen).find("Edit3=6\r\n") != std::string::npos);
    QVERIFY(!std::filesystem::exists(chosen + ".ini"));
    // The settings field and the comparison at close stay as they were.
    QCOMPARE(window.Find<FileField>("Edit2")->Hint(), field_file);

    // So the close still asks, and Yes writes to the settings field's file.
    window.dialogs.yes_no_answers.push_back(true);
    QVERIFY(window.form->close());
    QCOMPARE(window.dialogs.CallsOf(Kind::YesNo).size(), std::size_t{1});
    QVERIFY(ReadWholeFile(field_file).find("Edit3=6\r\n") != std::string::npos);
  }

  void failingSaveIsShownAndTheWindowGoesOn() {
    WindowFixture window;
    window.dialogs.file_answers.push_back("/proc/trackmint-no/my.ini");
    QTest::mouseClick(window.Find<QToolButton>("SpeedButton2"), Qt::LeftButton);
    const std::vector<DialogCall> errors = window.dialogs.CallsOf(Kind::Error);
    QCOMPARE(errors.size(), std::size_t{1});
    QCOMPARE(
        errors.front().text,
        std::string(
            "Can't write the settings file /proc/trackmint-no/my.ini: No such file or directory."));
    // The next event is handled as usual.
    QTest::keyClicks(window.Find<QLineEdit>("Edit1"), "a");
    QVERIFY(window.Find<QPushButton>("SpeedButton3")->isEnabled());
  }
};

}  // namespace

int RunChooserTests(int argc, char** argv) {
  ChooserTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "choosers_test.moc"
