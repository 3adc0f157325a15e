// Files dropped on the window: one sets both file fields, several are refused with a warning,
// and nothing dropped during a run reaches the fields the run is using.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "app/window/file_field.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

using Kind = DialogCall::Kind;

QMimeData* Files(const std::vector<std::string>& paths) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
  data->setUrls(urls);
  return data;
}

// The desktop's drag of the files over the window; returns whether the window takes it.
bool DragOver(TForm1& form, const QMimeData& data) {
  QDragEnterEvent enter(QPoint(form.width() / 2, form.height() / 2), Qt::CopyAction, &data,
                        Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &enter);
  return enter.isAccepted();
}

void DropOn(TForm1& form, const QMimeData& data) {
  QDropEvent drop(QPointF(form.width() / 2, form.height() / 2), Qt::CopyAction, &data,
                  Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &drop);
}

// Drags the files over the window and drops them; returns whether the window took the drag.
bool Drop(TForm1& form, const std::vector<std::string>& paths) {
  const std::unique_ptr<QMimeData> data(Files(paths));
  const bool taken = DragOver(form, *data);
  DropOn(form, *data);
  return taken;
}

class DropTest : public QObject {
  Q_OBJECT

 private slots:
  void oneFileSetsBothFields() {
    WindowFixture window;
    QVERIFY(Drop(*window.form, {"/logs/day1.nmea"}));
    QCOMPARE(window.form->InputText(), std::string("day1.nmea"));
    QCOMPARE(window.form->InputPath(), std::string("/logs/day1.nmea"));
    QCOMPARE(window.form->OutputText(), std::string("day1.nmea.kmz"));
    QCOMPARE(window.form->OutputPath(), std::string("/logs/day1.nmea.kmz"));
    QVERIFY(window.Find<QPushButton>("SpeedButton3")->isEnabled());
    QVERIFY(window.dialogs.calls.empty());

    // A folder is taken like a file.
    QVERIFY(Drop(*window.form, {"/logs/session/"}));
    QCOMPARE(window.form->InputText(), std::string("session"));
    QCOMPARE(window.form->InputPath(), std::string("/logs/session"));
    QCOMPARE(window.form->OutputPath(), std::string("/logs/session.kmz"));
  }

  void severalFilesAreRefused() {
    WindowFixture window;
    Drop(*window.form, {"/logs/day1.nmea"});
    QVERIFY(Drop(*window.form, {"/logs/day2.nmea", "/logs/day3.nmea"}));
    const std::vector<DialogCall> warnings = window.dialogs.CallsOf(Kind::Warning);
    QCOMPARE(warnings.size(), std::size_t{1});
    QCOMPARE(warnings.front().text, std::string("Работа с несколькими файлами не поддерживается!"));
    QCOMPARE(window.form->InputText(), std::string("day1.nmea"));
    QCOMPARE(window.form->InputPath(), std::string("/logs/day1.nmea"));
    QCOMPARE(window.form->OutputText(), std::string("day1.nmea.kmz"));
    QCOMPARE(window.form->OutputPath(), std::string("/logs/day1.nmea.kmz"));
  }

  void nothingIsDroppedDuringARun() {
    // The user drags files over the window and lets go while the run hands the window its
    // turn, as it does after each block it reads; a new drag meanwhile is refused.
    const std::unique_ptr<QMimeData> one(Files({"/logs/other.nmea"}));
    const std::unique_ptr<QMimeData> several(Files({"/logs/a.nmea", "/logs/b.nmea"}));
    std::vector<bool> drag_taken;
    TForm1* form = nullptr;
    WindowFixture window([&](const ConversionRequest&, RunObserver& observer) {
      DropOn(*form, *several);
      drag_taken.push_back(DragOver(*form, *one));
      form->DropFiles({"/logs/third.nmea"});
      observer.TakeTurn();
      // A run that could not open its log: no closing message.
      return RunResult{RunOutcome::InputNotOpened, {}, {}, 0, 0, {}, {}};
    });
    form = window.form.get();
    Drop(*form, {"/logs/day1.nmea"});
    QVERIFY(DragOver(*form, *several));
    QTest::mouseClick(window.Find<QPushButton>("SpeedButton3"), Qt::LeftButton);
    QCOMPARE(drag_taken, std::vector<bool>{false});
    QVERIFY(window.dialogs.calls.empty());
    QCOMPARE(form->InputText(), std::string("day1.nmea"));
    QCOMPARE(form->InputPath(), std::string("/logs/day1.nmea"));
    QCOMPARE(form->OutputPath(), std::string("/logs/day1.nmea.kmz"));
    QVERIFY(!form->RunInProgress());
    // After the run drops are taken again.
    QVERIFY(Drop(*form, {"/logs/other.nmea"}));
    QCOMPARE(form->InputPath(), std::string("/logs/other.nmea"));
  }

  // A log named when the program starts, as a file manager's "Open with" passes it, lands in the
  // fields as a drop does, ready to run.
  void openedLogFillsInputAndOutput() {
    WindowFixture window;
    window.form->OpenLog("/logs/day1.nmea");
    QCOMPARE(window.form->InputText(), std::string("day1.nmea"));
    QCOMPARE(window.form->InputPath(), std::string("/logs/day1.nmea"));
    QCOMPARE(window.form->OutputText(), std::string("day1.nmea.kmz"));
    QCOMPARE(window.form->OutputPath(), std::string("/logs/day1.nmea.kmz"));
    QVERIFY(window.Find<QPushButton>("SpeedButton3")->isEnabled());
  }

  void runIsNeverEnteredTwice() {
    int entered = 0;
    TForm1* form = nullptr;
    WindowFixture window([&](const ConversionRequest&, RunObserver&) {
      ++entered;
      form->SpeedButton3Click();  // e.g. a click that waited in the queue
      return RunResult{};
    });
    form = window.form.get();
    Drop(*form, {"/logs/day1.nmea"});
    form->SpeedButton3Click();
    QCOMPARE(entered, 1);
  }
};

}  // namespace

int RunDropTests(int argc, char** argv) {
  DropTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "drop_test.moc"
