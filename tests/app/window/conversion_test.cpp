// Conversions started with the Run button: the real run over the window as its host.
#include <array>
#include <cstdio>
#include <filesystem>

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "base/clock.h"
#include "base/paths.h"
#include "nmea/nmea.h"
#include "run/conversion_run.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

using Kind = DialogCall::Kind;

// The controls that a run locks, and those it must leave alone.
constexpr std::array kLockedControls = {"GroupBox1",    "GroupBox2", "GroupBox3", "GroupBox10",
                                        "GroupBox11",   "Edit1",     "Edit6",     "Edit3",
                                        "Width",        "CheckBox1", "CheckBox3", "SpeedButtonOpen",
                                        "SpeedButton1", "Autoshape", "UpDown1"};

// What the window looked like each time the run gave it a turn.
struct Turn {
  std::string left_status;
  bool run_enabled = true;
  bool run_in_progress = false;
  std::vector<std::string> enabled_controls;  // of kLockedControls
  bool drag_taken = true;
};

// The window with its turns observed: at each one a file is also dragged over it and dropped.
class ObservedForm : public TForm1 {
 public:
  using TForm1::TForm1;
  std::vector<Turn> turns;
  int advances = 0;

  void ProcessPendingEvents() override {
    Turn turn;
    turn.left_status = Text(findChild<QLabel*>("Panel2")->text());
    turn.run_enabled = findChild<QPushButton*>("SpeedButton3")->isEnabled();
    turn.run_in_progress = RunInProgress();
    for (const char* name : kLockedControls) {
      if (findChild<QWidget*>(name)->isEnabled()) turn.enabled_controls.push_back(name);
    }
    turn.drag_taken = DragAndDrop("/logs/other.nmea");
    turns.push_back(turn);
    TForm1::ProcessPendingEvents();
  }

  void AdvanceProgress() override {
    ++advances;
    TForm1::AdvanceProgress();
  }

 private:
  bool DragAndDrop(const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint at(width() / 2, height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &enter);
    DropFiles({path});
    return enter.isAccepted();
  }
};

struct ConversionWindow {
  ConversionWindow()
      : form(dialogs, kTestExecutable,
             [this](RunHost& host) { SpeedButton3Click(host, assembler, clock); }) {
    form.LoadSettings(std::string(kTestExecutableDirectory) + "trackmint.ini");
    form.FormCreate();
    form.show();
  }

  // Chooses the input and the output as the user does, and presses Run.
  void Run(const std::string& input, const std::string& output) {
    dialogs.file_answers.push_back(input);
    QTest::mouseClick(form.findChild<QToolButton*>("SpeedButtonOpen"), Qt::LeftButton);
    dialogs.file_answers.push_back(output);
    QTest::mouseClick(form.findChild<QToolButton*>("SpeedButtonSave"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QPushButton*>("SpeedButton3"), Qt::LeftButton);
  }

  std::vector<std::string> EnabledControls() const {
    std::vector<std::string> enabled;
    for (const char* name : kLockedControls) {
      if (form.findChild<QWidget*>(name)->isEnabled()) enabled.push_back(name);
    }
    return enabled;
  }

  ScriptedDialogs dialogs;
  NMEA assembler;
  const FixedClock clock{LocalDateTime{2026, 12, 9, 14, 30, 0}};
  ObservedForm form;
};

const std::vector<std::string> kAllControls(kLockedControls.begin(), kLockedControls.end());

// The members of a ZIP file as unzip lists them.
std::vector<std::string> ZipMembers(const std::string& zip) {
  std::vector<std::string> members;
  const std::string command = "/usr/bin/unzip -Z1 '" + zip + "'";
  std::FILE* listing = popen(command.c_str(), "r");
  if (listing == nullptr) return members;
  std::array<char, 512> line{};
  while (std::fgets(line.data(), static_cast<int>(line.size()), listing) != nullptr) {
    std::string member(line.data());
    while (!member.empty() && (member.back() == '\n' || member.back() == '\r')) member.pop_back();
    members.push_back(member);
  }
  pclose(listing);
  return members;
}

void Retype(QLineEdit* field, const char* text) {
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, QString::fromUtf8(text));
}

class ConversionTest : public QObject {
  Q_OBJECT

 private slots:
  void runButtonWritesTheKmz() {
    const TempDirectory directory;
    const std::string kmz = directory.File("out.kmz");
    ConversionWindow window;
    window.Run(FixturePath("gpsd/garmin25lp.log"), kmz);

    // The KMZ holds the document and the seven icons in the designed colours.
    QCOMPARE(ZipMembers(kmz),
             (std::vector<std::string>{"out.kml", "255.png", "65535.png", "32768.png",
                                       "16711935.png", "16776960.png", "0.png", "8421504.png"}));
    QCOMPARE(window.form.findChild<QLabel*>("Panel2")->text(),
             QStringLiteral("The progress finished"));
    // garmin25lp.log: nine void epochs and a void RMC alone, then ten fixes.
    const std::string right = Text(window.form.findChild<QLabel*>("Panel3")->text());
    QVERIFY(right.rfind("Waypoints ", 0) == 0 && right.size() > 10);
    QCOMPARE(right, std::string("Waypoints 10"));
    const std::vector<DialogCall> messages = window.dialogs.CallsOf(Kind::Information);
    QCOMPARE(messages.size(), std::size_t{1});
    // The usual text, then the summary: the log's 20 epochs, its ten fixes of quality 1.
    const std::string& message = messages.front().text;
    QVERIFY2(message.starts_with("The progress finished!\n\rInput file garmin25lp.log\n\r"
                                 "Waypoints 10\n\rSpan: "),
             message.c_str());
    QVERIFY2(message.find("\n\rEpochs: 20 read, 10 waypoint placemarks\n\r"
                          "Fix classes: Auto 10 (100.0 %)\n\rValid track: ") != std::string::npos,
             message.c_str());
    QVERIFY(window.dialogs.CallsOf(Kind::Error).empty());
    QVERIFY(window.form.advances > 0);
    // 6474 bytes, step 64: a step every 65th byte (99) and one at the end of the short last block.
    QCOMPARE(window.form.advances, 100);
    QCOMPARE(window.form.findChild<QProgressBar*>("CGauge1")->value(),
             std::min(window.form.advances, 100));

    // While the run read the log and packed the archive, the window had its turns with the Run
    // button off, the settings locked, and drops refused.
    bool reading = false;
    bool packing = false;
    for (const Turn& turn : window.form.turns) {
      reading = reading || turn.left_status == "The progress started";
      packing = packing || turn.left_status == "Packing of KMZ-file";
      QVERIFY2(!turn.run_enabled, turn.left_status.c_str());
      QVERIFY2(turn.run_in_progress, turn.left_status.c_str());
      QVERIFY2(turn.enabled_controls.empty(), turn.left_status.c_str());
      QVERIFY2(!turn.drag_taken, turn.left_status.c_str());
    }
    QVERIFY(reading);
    QVERIFY(packing);
    QCOMPARE(window.form.InputText(), std::string("garmin25lp.log"));
    QCOMPARE(window.form.OutputPath(), kmz);

    // Back to idle.
    QVERIFY(!window.form.RunInProgress());
    QVERIFY(window.form.findChild<QPushButton*>("SpeedButton3")->isEnabled());
    QCOMPARE(window.EnabledControls(), kAllControls);
  }

  void errorInsideAPhaseIsShownAndUnlocks() {
    const TempDirectory directory;
    // A folder opens like a file but cannot be read: the input phase fails.
    const std::string input = directory.File("log.nmea");
    std::filesystem::create_directory(input);
    ConversionWindow window;
    window.Run(input, directory.File("out.kmz"));

    const std::vector<DialogCall> errors = window.dialogs.CallsOf(Kind::Error);
    QCOMPARE(errors.size(), std::size_t{1});
    QVERIFY2(errors.front().text.rfind("Can't read the input file " + input, 0) == 0,
             errors.front().text.c_str());
    QVERIFY(window.dialogs.CallsOf(Kind::Information).empty());
    QVERIFY(!std::filesystem::exists(directory.File("out.kmz")));
    QVERIFY(window.form.findChild<QLabel*>("Panel2")->text() != "The progress finished");
    QVERIFY(!window.form.RunInProgress());
    QVERIFY(window.form.findChild<QPushButton*>("SpeedButton3")->isEnabled());
    QCOMPARE(window.EnabledControls(), kAllControls);

    // The window goes on: the next run works.
    std::filesystem::remove(input);
    std::filesystem::copy_file(FixturePath("gpsd/garmin25lp.log"), input);
    QTest::mouseClick(window.form.findChild<QPushButton*>("SpeedButton3"), Qt::LeftButton);
    QCOMPARE(ZipMembers(directory.File("out.kmz")).size(), std::size_t{8});
  }

  void emptyOutputTakesTheInputsName() {
    const StartDirectory start;
    const std::string here = start.Path();
    for (const char* name : {"day1.nmea", "day2.nmea"})
      std::filesystem::copy_file(FixturePath("gpsd/garmin25lp.log"), here + name);
    ConversionWindow window;
    auto* input = window.form.findChild<QLineEdit*>("Edit1");
    auto* output = window.form.findChild<QLineEdit*>("Edit6");
    auto* run = window.form.findChild<QPushButton*>("SpeedButton3");
    struct Step {
      const char* legend;
      const char* input;  // typed: a name in the current directory
      bool clear_output;  // by the keyboard
      const char* output_text;
    };
    const Step steps[] = {
        {"never filled", "day1.nmea", false, "day1.nmea.kmz"},
        {"emptied after a run", "day2.nmea", true, "day2.nmea.kmz"},
    };
    for (const Step& step : steps) {
      Retype(input, step.input);
      if (step.clear_output) Retype(output, "");
      QVERIFY2(output->text().isEmpty(), step.legend);
      QTest::mouseClick(run, Qt::LeftButton);
      const std::string kmz = here + step.output_text;
      QVERIFY2(window.dialogs.CallsOf(Kind::Error).empty(), step.legend);
      const std::vector<std::string> members = ZipMembers(kmz);
      QVERIFY2(members.size() == 8, step.legend);
      QVERIFY2(members.front() == ChangeExtension(step.output_text, ".kml"), step.legend);
      QVERIFY2(window.form.OutputText() == step.output_text, step.legend);
      QVERIFY2(window.form.OutputPath() == kmz, step.legend);
      QVERIFY2(window.form.findChild<QLabel*>("Panel2")->text() == "The progress finished",
               step.legend);
    }
    QCOMPARE(window.dialogs.CallsOf(Kind::Information).size(), std::size_t{2});
  }

  void typedOutputNameIsTakenFromTheCurrentDirectory() {
    const TempDirectory logs;
    const std::string log = logs.File("log.nmea");
    std::filesystem::copy_file(FixturePath("gpsd/garmin25lp.log"), log);
    const StartDirectory start;
    const std::string here = start.Path();
    std::filesystem::create_directory(here + "out");
    ConversionWindow window;
    window.dialogs.file_answers.push_back(log);
    QTest::mouseClick(window.form.findChild<QToolButton*>("SpeedButtonOpen"), Qt::LeftButton);
    auto* output = window.form.findChild<QLineEdit*>("Edit6");
    auto* run = window.form.findChild<QPushButton*>("SpeedButton3");
    struct Case {
      const char* typed;
      std::string kmz;
      const char* shown;  // after the run: the file name, as a chooser leaves it
    };
    const Case cases[] = {
        {"near.kmz", here + "near.kmz", "near.kmz"},
        {"out/track.kmz", here + "out/track.kmz", "track.kmz"},
    };
    for (const Case& c : cases) {
      Retype(output, c.typed);
      // Run twice: the second run reads what the first left in the field.
      for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(run, Qt::LeftButton);
        QVERIFY2(window.dialogs.CallsOf(Kind::Error).empty(), c.typed);
        QVERIFY2(window.form.OutputPath() == c.kmz, c.typed);
        QVERIFY2(window.form.OutputText() == c.shown, c.typed);
      }
      QVERIFY2(ZipMembers(c.kmz).size() == 8, c.typed);
      QVERIFY2(!std::filesystem::exists(logs.File(FileNamePart(c.kmz))),
               c.typed);  // not beside the input
    }
    QVERIFY(!std::filesystem::exists(here + "out/out"));
  }
};

}  // namespace

int RunConversionTests(int argc, char** argv) {
  ConversionTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "conversion_test.moc"
