// The file fields: text and Hint kept in step, and the Run button following the input text.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include "app/window/file_field.h"
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
    WindowFixture window;
    auto* input = window.Find<FileField>("Edit1");
    auto* output = window.Find<FileField>("Edit6");
    auto* run = window.Find<QPushButton>("SpeedButton3");
    QVERIFY(!run->isEnabled());

    // One typed character: a name in the program's directory.
    QTest::keyClicks(input, "x");
    QVERIFY(run->isEnabled());
    QCOMPARE(input->Hint(), std::string("/opt/kelvra/bin/x"));
    QCOMPARE(window.form->InputPath(), std::string("/opt/kelvra/bin/x"));

    // A chosen file sets both fields.
    window.dialogs.file_answers.push_back("/data/log.nmea");
    QTest::mouseClick(window.Find<QToolButton>("SpeedButtonOpen"), Qt::LeftButton);
    QCOMPARE(Text(input->text()), std::string("log.nmea"));
    QCOMPARE(input->Hint(), std::string("/data/log.nmea"));
    QCOMPARE(Text(output->text()), std::string("log.nmea.kmz"));
    QCOMPARE(output->Hint(), std::string("/data/log.nmea.kmz"));
    QVERIFY(run->isEnabled());

    // Editing the input's name keeps its directory; the output stays.
    Retype(input, "other.nmea");
    QCOMPARE(input->Hint(), std::string("/data/other.nmea"));
    QCOMPARE(Text(output->text()), std::string("log.nmea.kmz"));
    QCOMPARE(output->Hint(), std::string("/data/log.nmea.kmz"));

    // Cleared: Run is off and the directory is kept for the next name.
    input->selectAll();
    QTest::keyClick(input, Qt::Key_Backspace);
    QVERIFY(!run->isEnabled());
    QCOMPARE(input->Hint(), std::string("/data/"));

    // A typed absolute path names its file by itself, and later names go beside it.
    QTest::keyClicks(input, "/x/log.nmea");
    QCOMPARE(input->Hint(), std::string("/x/log.nmea"));
    Retype(input, "rel.nmea");
    QCOMPARE(input->Hint(), std::string("/x/rel.nmea"));
    QVERIFY(run->isEnabled());
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

  void outputFieldHasNoRule() {
    WindowFixture window;
    window.dialogs.file_answers.push_back("/data/log.nmea");
    window.form->SpeedButtonOpenClick();
    auto* output = window.Find<FileField>("Edit6");
    Retype(output, "track.kmz");
    QCOMPARE(window.form->OutputText(), std::string("track.kmz"));
    QCOMPARE(window.form->OutputPath(), std::string("/data/log.nmea.kmz"));
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
