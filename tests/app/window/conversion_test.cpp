// Conversions started with the Run button: the real run, reporting to the window.
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>

#include <QCheckBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "app/window/file_field.h"
#include "app/window/up_down.h"
#include "app/window/window_pictures.h"
#include "base/clock.h"
#include "base/paths.h"
#include "nmea/nmea.h"
#include "run/conversion_run.h"
#include "run/run_observer.h"
#include "support/fixtures.h"
#include "support/png_reader.h"
#include "support/sentences.h"
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

// The window's observer of a run, watched: at each of the run's turns it writes down how the
// window looks, and a file is dragged over the window and dropped, before the window has the turn.
class WatchedObserver final : public RunObserver {
 public:
  WatchedObserver(RunObserver& window_observer, TForm1& form, std::vector<Turn>& turns,
                  std::vector<int>& progress, std::function<void()> at_first_turn)
      : m_window_observer(window_observer),
        m_form(form),
        m_turns(turns),
        m_progress(progress),
        m_at_first_turn(std::move(at_first_turn)) {}

  void ReportPhase(RunPhase phase) override { m_window_observer.ReportPhase(phase); }
  void ReportProgress(int position) override {
    m_progress.push_back(position);
    m_window_observer.ReportProgress(position);
  }
  void ReportBytesRead(std::uint64_t bytes) override { m_window_observer.ReportBytesRead(bytes); }
  void ReportPlacemarks(std::int32_t placemarks) override {
    m_window_observer.ReportPlacemarks(placemarks);
  }
  void TakeTurn() override {
    if (m_turns.empty() && m_at_first_turn) m_at_first_turn();
    Turn turn;
    turn.left_status = Text(m_form.findChild<QLabel*>("Panel2")->text());
    turn.run_enabled = m_form.findChild<QPushButton*>("SpeedButton3")->isEnabled();
    turn.run_in_progress = m_form.RunInProgress();
    for (const char* name : kLockedControls) {
      if (m_form.findChild<QWidget*>(name)->isEnabled()) turn.enabled_controls.push_back(name);
    }
    turn.drag_taken = DragAndDrop("/logs/other.nmea");
    m_turns.push_back(turn);
    m_window_observer.TakeTurn();
  }

 private:
  bool DragAndDrop(const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint at(m_form.width() / 2, m_form.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_form, &enter);
    m_form.DropFiles({path});
    return enter.isAccepted();
  }

  RunObserver& m_window_observer;
  TForm1& m_form;
  std::vector<Turn>& m_turns;
  std::vector<int>& m_progress;
  std::function<void()> m_at_first_turn;
};

struct ConversionWindow {
  ConversionWindow()
      : form(dialogs, kTestExecutable,
             [this](const ConversionRequest& request, RunObserver& window_observer) {
               WatchedObserver observer(window_observer, form, turns, progress, at_first_turn);
               return RunConversion(request, observer, assembler, clock);
             }) {
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
  std::vector<Turn> turns;
  std::vector<int> progress;  // every gauge position the run reported
  std::function<void()> at_first_turn;
  TForm1 form;
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

// A member of a ZIP file as unzip reads it.
std::string Member(const std::string& zip, const std::string& name) {
  std::string content;
  const std::string command = "/usr/bin/unzip -p '" + zip + "' '" + name + "'";
  std::FILE* member = popen(command.c_str(), "r");
  if (member == nullptr) return content;
  std::array<char, 4096> buffer{};
  for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), member)) > 0;) {
    content.append(buffer.data(), got);
  }
  pclose(member);
  return content;
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
    QVERIFY2(message.starts_with("The progress finished!\n\rInput file garmin25lp.log\n\rOutput "
                                 "file " +
                                 kmz + "\n\rWaypoints 10\n\rSpan: "),
             message.c_str());
    QVERIFY2(message.find("\n\rEpochs: 20 read, 10 waypoint placemarks\n\r"
                          "Fix classes: Auto 10 (100.0 %)\n\rValid track: ") != std::string::npos,
             message.c_str());
    QVERIFY(window.dialogs.CallsOf(Kind::Error).empty());
    // 6474 bytes, step 64: a step every 65th byte (99) and one at the end of the short last block,
    // after the 0 of the start.
    QCOMPARE(window.progress.size(), std::size_t{101});
    QCOMPARE(window.progress.front(), 0);
    QCOMPARE(window.progress.back(), 100);
    QCOMPARE(window.form.findChild<QProgressBar*>("CGauge1")->value(), 100);

    // While the run read the log and packed the archive, the window had its turns with the Run
    // button off, the settings locked, and drops refused.
    bool reading = false;
    bool packing = false;
    for (const Turn& turn : window.turns) {
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

  // The run takes the settings as they are when Run is pressed: a control that changes while the
  // run works (it cannot by the user, as the controls are locked) changes nothing in the KMZ.
  void settingsAreTakenWhenTheRunStarts() {
    const TempDirectory directory;
    const std::string kmz = directory.File("out.kmz");
    ConversionWindow window;
    auto* scale = window.form.findChild<QLineEdit*>("Edit4");
    window.at_first_turn = [scale] { scale->setText(QStringLiteral("0.9")); };
    window.Run(FixturePath("gpsd/garmin25lp.log"), kmz);
    QVERIFY(window.dialogs.CallsOf(Kind::Error).empty());
    QCOMPARE(scale->text(), QStringLiteral("0.9"));
    const std::string document = Member(kmz, "out.kml");
    std::size_t scales = 0;
    for (std::size_t at = document.find("<scale>"); at != std::string::npos;
         at = document.find("<scale>", at + 1)) {
      QCOMPARE(document.substr(at, 19), std::string("<scale>0.5</scale>\n"));
      ++scales;
    }
    QCOMPARE(scales, std::size_t{10});  // one a placemark
  }

  // The interval's spinner and the bounds typed into the window reach the run: garmin25lp.log's
  // fixes run from 12:03:26 to 12:03:35; from 12:03:28 with an arrow each 5 s leaves 12:03:28,
  // then 12:03:30 and 12:03:35, which start slots of 5 s. The closing message says how many
  // fell outside and how many the interval left out, and that the fixed date replaced the
  // receiver's date.
  void intervalAndTimeWindowReachTheRun() {
    const TempDirectory directory;
    const std::string kmz = directory.File("out.kmz");
    ConversionWindow window;
    auto* up = window.form.findChild<UpDown*>("UpDown3")->UpButton();
    for (int i = 0; i < 6; ++i) QTest::mouseClick(up, Qt::LeftButton);  // 0.1 ... 5
    QCOMPARE(window.form.Values().arrow_interval_text, std::string("5"));
    auto* from = window.form.findChild<QLineEdit*>("FromTime");
    from->setFocus();
    QTest::keyClicks(from, QStringLiteral("12:03:28"));
    QTest::keyClick(from, Qt::Key_Return);
    window.Run(FixturePath("gpsd/garmin25lp.log"), kmz);
    QVERIFY(window.dialogs.CallsOf(Kind::Error).empty());
    QCOMPARE(window.form.findChild<QLabel*>("Panel3")->text(), QStringLiteral("Waypoints 3"));
    const std::string document = Member(kmz, "out.kml");
    std::vector<std::string> when;
    for (std::size_t at = document.find("<when>"); at != std::string::npos;
         at = document.find("<when>", at + 1)) {
      when.push_back(document.substr(at + 6, document.find("</when>", at) - at - 6));
    }
    QCOMPARE(when, (std::vector<std::string>{"2000-01-01T12:03:28Z", "2000-01-01T12:03:30Z",
                                             "2000-01-01T12:03:35Z"}));
    const std::string message = window.dialogs.CallsOf(Kind::Information).back().text;
    QVERIFY2(message.find("\n\rEpochs: 20 read, 3 waypoint placemarks, 12 outside the time "
                          "window, 5 left out by the arrow interval\n\r") != std::string::npos,
             message.c_str());
    QVERIFY2(message.ends_with("\n\rthe fixed date 2000-01-01 replaced the receiver's date "
                               "2005-03-15 in 3 placemarks; untick the date in the window, or "
                               "CheckBox1=0 in the settings file, to keep the receiver's dates"),
             message.c_str());
  }

  // After a run the picture box shows the run's picture; a click on it opens the whole picture,
  // which its Save button writes as a PNG; the next run starts with the design picture again.
  void pictureOfTheRun() {
    const TempDirectory directory;
    ConversionWindow window;
    auto* box = window.form.findChild<PictureBox*>("Image1");
    QVERIFY(!box->ShowsRunPicture());
    window.Run(FixturePath("gpsd/garmin25lp.log"), directory.File("out.kmz"));
    QVERIFY(box->ShowsRunPicture());
    const QImage shown = box->grab().toImage();
    const QImage design = TrackPicture(box->size()).toImage().convertToFormat(shown.format());
    QVERIFY(shown != design);

    QTest::mouseClick(box, Qt::LeftButton);
    auto* dialog = window.form.findChild<QDialog*>("PictureDialog");
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QCOMPARE(dialog->findChild<QLabel*>("RunPicture")->pixmap().size(), QSize(1200, 800));
    const std::string saved = directory.File("picture.png");
    window.dialogs.file_answers.push_back(saved);
    QTest::mouseClick(dialog->findChild<QPushButton*>("SavePicture"), Qt::LeftButton);
    const DialogCall chooser = window.dialogs.calls.back();
    QVERIFY(chooser.kind == Kind::SaveFile);
    QCOMPARE(chooser.chooser.file_name, std::string("out.png"));  // beside the KMZ, by its name
    const DecodedPng png = DecodePng(ReadWholeFile(saved));
    QCOMPARE(png.problem, std::string());
    QCOMPARE(png.width, 1200u);
    QCOMPARE(png.height, 800u);

    // Run again: the earlier picture goes the moment the run starts.
    bool design_at_first_turn = false;
    window.turns.clear();
    window.at_first_turn = [&] { design_at_first_turn = !box->ShowsRunPicture(); };
    QTest::mouseClick(window.form.findChild<QPushButton*>("SpeedButton3"), Qt::LeftButton);
    QVERIFY(design_at_first_turn);
    QVERIFY(box->ShowsRunPicture());
    QVERIFY(window.form.findChild<QDialog*>("PictureDialog") == nullptr ||
            !window.form.findChild<QDialog*>("PictureDialog")->isVisible());
  }

  // An output that cannot be made leaves the fields as they were and says so in the left panel.
  void outputThatCannotBeCreatedKeepsTheFields() {
    const TempDirectory directory;
    ConversionWindow window;
    auto* output = window.form.findChild<FileField*>("Edit6");
    window.dialogs.file_answers.push_back(FixturePath("gpsd/garmin25lp.log"));
    QTest::mouseClick(window.form.findChild<QToolButton*>("SpeedButtonOpen"), Qt::LeftButton);
    output->SetText("log.kmz");
    output->SetHint(directory.File("missing/x.kmz"));
    QTest::mouseClick(window.form.findChild<QPushButton*>("SpeedButton3"), Qt::LeftButton);
    QCOMPARE(window.form.findChild<QLabel*>("Panel2")->text(),
             QStringLiteral("Can't create the output file"));
    QCOMPARE(window.form.OutputText(), std::string("log.kmz"));
    QCOMPARE(window.form.OutputPath(), directory.File("missing/x.kmz"));
    QVERIFY(window.dialogs.calls.size() == 1);  // the input chooser, and no box
    QVERIFY(window.progress.empty());
    QVERIFY(window.form.findChild<QPushButton*>("SpeedButton3")->isEnabled());
    QCOMPARE(window.EnabledControls(), kAllControls);
  }

  // The KMZ is the output field's name in the directory of its Hint, and the document inside it
  // takes that name with ".kml"; the Hint names the KMZ written.
  void outputNameRules() {
    const TempDirectory directory;
    struct Case {
      const char* legend;
      std::string text;
      std::string hint;
      std::string kmz;
      std::string document;
    };
    const Case cases[] = {
        {"a name without extension in the directory of the full path", "track",
         directory.File("x.kmz"), directory.File("track"), "track.kml"},
        {"a name ending in .kml is the KMZ's own name", "same.kml", directory.File("x.kmz"),
         directory.File("same.kml"), "same.kml"},
        {"the chooser's file", "chosen.kmz", directory.File("chosen.kmz"),
         directory.File("chosen.kmz"), "chosen.kml"},
    };
    for (const Case& c : cases) {
      ConversionWindow window;
      window.dialogs.file_answers.push_back(FixturePath("gpsd/garmin25lp.log"));
      QTest::mouseClick(window.form.findChild<QToolButton*>("SpeedButtonOpen"), Qt::LeftButton);
      auto* output = window.form.findChild<FileField*>("Edit6");
      output->SetText(c.text);
      output->SetHint(c.hint);
      QTest::mouseClick(window.form.findChild<QPushButton*>("SpeedButton3"), Qt::LeftButton);
      QVERIFY2(window.dialogs.CallsOf(Kind::Error).empty(), c.legend);
      QVERIFY2(window.form.OutputPath() == c.kmz, c.legend);
      QVERIFY2(ZipMembers(c.kmz).front() == c.document, c.legend);
    }
  }

  void finalMessageNamesTheInputAndSumsUpTheRun() {
    const TempDirectory directory;
    std::string log;
    for (int second = 0; second < 30; ++second) {
      log += Line("GPGGA,1200" + std::to_string(10 + second) +
                  ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,");
    }
    WriteWholeFile(directory.File("log.nmea"), log);
    ConversionWindow window;
    window.Run(directory.File("log.nmea"), directory.File("log.nmea.kmz"));
    const std::vector<DialogCall> messages = window.dialogs.CallsOf(Kind::Information);
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages.front().text,
             "The progress finished!\n\rInput file log.nmea\n\rOutput file " +
                 directory.File("log.nmea.kmz") +
                 "\n\rWaypoints 30"
                 // Thirty GGA fixes of quality 1 at one place, 12:00:10 to 12:00:39,
                 // without a date.
                 "\n\rSpan: 12:00:10 to 12:00:39 (duration unknown: the log gives no "
                 "date for both ends)"
                 "\n\rEpochs: 30 read, 30 waypoint placemarks"
                 "\n\rFix classes: Auto 30 (100.0 %)"
                 "\n\rValid track: 0.000 km, highest speed 0.0 km/h");
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
    // Typed, the input brings its KMZ into the output; emptied by the user, the output takes the
    // input's name again when Run is pressed.
    struct Step {
      const char* legend;
      const char* input;  // typed: a name in the current directory
      const char* output_text;
    };
    const Step steps[] = {
        {"emptied before the first run", "day1.nmea", "day1.nmea.kmz"},
        {"emptied after a run", "day2.nmea", "day2.nmea.kmz"},
    };
    for (const Step& step : steps) {
      Retype(input, step.input);
      QVERIFY2(Text(output->text()) == step.output_text, step.legend);
      Retype(output, "");
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

  // Run asks before it replaces a KMZ that this window did not write in this session (another
  // log's, perhaps); one it wrote it replaces without a word.
  void replacingAKmzThisWindowDidNotWriteIsAsked() {
    const TempDirectory directory;
    const std::string kmz = directory.File("out.kmz");
    WriteWholeFile(kmz, "another log's KMZ");
    ConversionWindow window;
    window.Run(FixturePath("gpsd/garmin25lp.log"), kmz);  // No is the scripted answer
    std::vector<DialogCall> questions = window.dialogs.CallsOf(Kind::YesNo);
    QCOMPARE(questions.size(), std::size_t{1});
    QCOMPARE(questions.front().text, "Replace " + kmz + "?");
    QCOMPARE(ReadWholeFile(kmz), std::string("another log's KMZ"));
    QVERIFY(window.dialogs.CallsOf(Kind::Information).empty());
    QVERIFY(window.turns.empty());  // no run at all

    window.dialogs.yes_no_answers.push_back(true);
    auto* run = window.form.findChild<QPushButton*>("SpeedButton3");
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(window.dialogs.CallsOf(Kind::YesNo).size(), std::size_t{2});
    QCOMPARE(ZipMembers(kmz).size(), std::size_t{8});
    // Written by this window now: the next run does not ask.
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(window.dialogs.CallsOf(Kind::YesNo).size(), std::size_t{2});
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
