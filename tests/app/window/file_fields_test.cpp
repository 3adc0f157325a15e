// The file fields: text and Hint kept in step, typed names taken from the current directory, and
// the Run button following the input text.
#include <filesystem>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include "app/window/file_field.h"
#include "base/paths.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

void Retype(QLineEdit* field, const char* text) {
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, QString::fromUtf8(text));
}

class FileFieldTest : public QObject {
  Q_OBJECT

 private slots:
  void inputRuleAndRunButton() {
    const StartDirectory start;
    const std::string here = start.Path();
    WindowFixture window;
    auto* input = window.Find<FileField>("Edit1");
    auto* output = window.Find<FileField>("Edit6");
    auto* run = window.Find<QPushButton>("SpeedButton3");
    QVERIFY(!run->isEnabled());

    // One typed character: a name in the current directory, not in the program's.
    QTest::keyClicks(input, "x");
    QVERIFY(run->isEnabled());
    QCOMPARE(input->Hint(), here + "x");
    QCOMPARE(window.form->InputPath(), here + "x");

    // A chosen file sets both fields.
    window.dialogs.file_answers.push_back("/data/log.nmea");
    QTest::mouseClick(window.Find<QToolButton>("SpeedButtonOpen"), Qt::LeftButton);
    QCOMPARE(Text(input->text()), std::string("log.nmea"));
    QCOMPARE(input->Hint(), std::string("/data/log.nmea"));
    QCOMPARE(Text(output->text()), std::string("log.nmea.kmz"));
    QCOMPARE(output->Hint(), std::string("/data/log.nmea.kmz"));
    QVERIFY(run->isEnabled());

    // A name typed after it is still taken from the current directory, and the output follows
    // it, so that Run never puts this log's data into the KMZ of the one before.
    struct Case {
      const char* typed;
      std::string path;
    };
    const Case cases[] = {
        {"other.nmea", here + "other.nmea"},
        {"logs/day2.nmea", here + "logs/day2.nmea"},
        {"../up.nmea", here + "../up.nmea"},
        {"/x/log.nmea", "/x/log.nmea"},  // an absolute path names its file by itself
        {"rel.nmea", here + "rel.nmea"},
        {"~/log.nmea", here + "~/log.nmea"},  // "~" is the shell's business, not the window's
    };
    for (const Case& c : cases) {
      Retype(input, c.typed);
      QVERIFY2(input->Hint() == c.path, c.typed);
      QVERIFY2(run->isEnabled(), c.typed);
      QVERIFY2(Text(output->text()) == FileNamePart(c.path) + ".kmz", c.typed);
      QVERIFY2(output->Hint() == c.path + ".kmz", c.typed);
    }

    // An output the user typed stays when the input is typed again, until a chosen or dropped
    // input brings the output along once more.
    Retype(output, "mine.kmz");
    Retype(input, "third.nmea");
    QCOMPARE(Text(output->text()), std::string("mine.kmz"));
    QCOMPARE(output->Hint(), here + "mine.kmz");
    window.dialogs.file_answers.push_back("/data/fourth.nmea");
    QTest::mouseClick(window.Find<QToolButton>("SpeedButtonOpen"), Qt::LeftButton);
    QCOMPARE(output->Hint(), std::string("/data/fourth.nmea.kmz"));
    Retype(input, "fifth.nmea");
    QCOMPARE(output->Hint(), here + "fifth.nmea.kmz");

    // Cleared: Run is off and the field names no file.
    input->selectAll();
    QTest::keyClick(input, Qt::Key_Backspace);
    QVERIFY(!run->isEnabled());
    QCOMPARE(input->Hint(), std::string());
  }

  void typedNameWithoutACurrentDirectoryNamesNoFile() {
    WindowFixture window;
    window.dialogs.file_answers.push_back("/data/log.nmea");
    window.form->SpeedButtonOpenClick();
    auto* input = window.Find<FileField>("Edit1");
    {
      const StartDirectory start;
      std::filesystem::remove(start.Directory().path());  // removed while the program runs
      Retype(input, "x.nmea");
      // The previous file is not left to be converted under the new name.
      QCOMPARE(input->Hint(), std::string());
      const std::vector<DialogCall> errors = window.dialogs.CallsOf(DialogCall::Kind::Error);
      QVERIFY(!errors.empty());
      QVERIFY2(errors.back().text.find("Can't find the current directory") != std::string::npos,
               errors.back().text.c_str());
      // The chooser still opens, wherever it likes.
      window.Find<QLineEdit>("Edit1")->clear();
      window.dialogs.file_answers.push_back("/data/other.nmea");
      window.form->SpeedButtonOpenClick();
      QCOMPARE(window.dialogs.calls.back().chooser.directory, std::string());
      QCOMPARE(window.form->InputPath(), std::string("/data/other.nmea"));
      // An absolute path needs no current directory.
      Retype(input, "/data/third.nmea");
      QCOMPARE(input->Hint(), std::string("/data/third.nmea"));
    }
  }

  void settingsFieldTakesItsTextAsPath() {
    WindowFixture window;
    auto* settings = window.Find<FileField>("Edit2");
    QTest::keyClicks(settings, "my.ini");
    QCOMPARE(settings->Hint(), std::string("my.ini"));
    Retype(settings, "/etc/kelvra/my.ini");
    QCOMPARE(settings->Hint(), std::string("/etc/kelvra/my.ini"));
    settings->clear();
    QCOMPARE(settings->Hint(), std::string());
  }

  void outputFieldTakesTypedNamesFromTheCurrentDirectory() {
    const StartDirectory start;
    const std::string here = start.Path();
    WindowFixture window;
    window.dialogs.file_answers.push_back("/data/log.nmea");
    window.form->SpeedButtonOpenClick();
    auto* output = window.Find<FileField>("Edit6");
    // Not beside the input: where the name would go from a shell in the same directory.
    const std::pair<const char*, std::string> cases[] = {
        {"track.kmz", here + "track.kmz"},
        {"out/track.kmz", here + "out/track.kmz"},
        {"/out/track.kmz", "/out/track.kmz"},
        {"", ""},  // an empty field names no file
    };
    for (const auto& [typed, path] : cases) {
      Retype(output, typed);
      QVERIFY2(window.form->OutputText() == typed, typed);
      QVERIFY2(window.form->OutputPath() == path, typed);
      QVERIFY2(window.form->InputPath() == "/data/log.nmea", typed);
    }
  }

  void tooltipShowsThePathAsItIs() {
    WindowFixture window;
    auto* input = window.Find<FileField>("Edit1");
    const std::string path = "/data/<b>odd</b> & name.nmea";
    window.dialogs.file_answers.push_back(path);
    window.form->SpeedButtonOpenClick();
    QTextDocument shown;
    shown.setHtml(input->toolTip());
    QCOMPARE(Text(shown.toPlainText()), path);
    QVERIFY(window.Find<FileField>("Edit6")->toolTip().contains("name.nmea.kmz"));
  }
};

}  // namespace

int RunFileFieldTests(int argc, char** argv) {
  FileFieldTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "file_fields_test.moc"
