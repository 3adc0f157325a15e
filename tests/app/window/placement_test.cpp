// Where the window opens: kept at its position when it is whole on its screen, otherwise moved
// just enough to be.
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "app/window/screen_fit.h"
#include "support/fixtures.h"
#include "support/temp_directory.h"
#include "window_fixture.h"
#include "window_tests.h"

namespace trackmint::testing {
namespace {

// A frame on a desktop: a 399x377 window with 5-pixel borders and a 30-pixel title bar.
constexpr QSize kFrame(409, 412);

// Available areas of virtual screens.
constexpr QRect kWide(0, 0, 1920, 1080);
constexpr QRect kLaptop(0, 30, 1280, 770);       // 1280x800, a 30-pixel panel at the top
constexpr QRect kSmall(0, 0, 800, 600);          // 800x600, no panel
constexpr QRect kSecond(1920, 0, 1920, 1080);    // a second screen right of a 1920-wide one
constexpr QRect kLeftDock(64, 0, 1216, 800);     // 1280x800, a 64-pixel dock at the left
constexpr QRect kTiny(0, 0, 400, 300);           // smaller than the window
constexpr QRect kTinySecond(1920, 0, 400, 300);  // the same, as a second screen

// The offscreen platform's screen is 800 pixels wide: the designed position leaves most of the
// window off it.
constexpr int kOffscreenWidth = 800;

class PlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void fitOnScreen() {
    struct Case {
      const char* legend;
      QPoint at;
      QRect available;
      QPoint expected;
    };
    const Case cases[] = {
        {"the designed position on a wide screen stays", {1004, 109}, kWide, {1004, 109}},
        // 1004 + 409 = 1413 > 1280: moved left by 133 to 1280 - 409 = 871.
        {"the designed position on 1280x800", {1004, 109}, kLaptop, {871, 109}},
        {"the designed position on 800x600", {1004, 109}, kSmall, {391, 109}},  // 800 - 409
        {"under the top panel", {10, 0}, kLaptop, {10, 30}},
        {"off the top left", {-50, -20}, kLaptop, {0, 30}},
        // 700 + 412 > 800: up to 800 - 412 = 388.
        {"below the bottom", {100, 700}, kLaptop, {100, 388}},
        {"flush with the bottom right corner stays", {871, 388}, kLaptop, {871, 388}},
        {"beside a dock on the left", {0, 109}, kLeftDock, {64, 109}},
        {"whole on the second screen stays", {2924, 109}, kSecond, {2924, 109}},
        // 3840 - 409 = 3431, 1080 - 412 = 668.
        {"past the second screen's far corner", {3700, 900}, kSecond, {3431, 668}},
        {"left of the second screen", {1800, 100}, kSecond, {1920, 100}},
        {"larger than the screen: its top left", {50, 50}, kTiny, {0, 0}},
        {"larger than the second screen", {2000, 50}, kTinySecond, {1920, 0}},
        {"only taller than the screen", {500, 50}, QRect(0, 0, 1280, 400), {500, 0}},
        {"only wider than the screen", {900, 100}, QRect(0, 0, 400, 800), {0, 100}},
    };
    for (const Case& c : cases) {
      const QPoint placed = FitOnScreen(QRect(c.at, kFrame), c.available);
      QVERIFY2(placed == c.expected, c.legend);
    }
  }

  void opensWholeOnTheOffscreenScreen() {
    const TempDirectory directory;
    const std::string fits = directory.File("fits.ini");
    const std::string far = directory.File("far.ini");
    WriteWholeFile(fits, "[Settings]\r\nLeft=20\r\nTop=30\r\n");
    WriteWholeFile(far, "[Settings]\r\nLeft=5000\r\nTop=-5000\r\n");
    struct Case {
      const char* legend;
      std::string settings;  // none: as designed, (1004, 109)
      bool moved_left;       // to the screen's right edge
      bool to_top;           // to the screen's top edge
    };
    const Case cases[] = {
        {"the designed position", "", true, false},
        {"a saved position that fits", fits, false, false},
        {"a saved position off every screen", far, true, true},
    };
    for (const Case& c : cases) {
      ScriptedDialogs dialogs;
      TForm1 form(dialogs, kTestExecutable,
                  [](const ConversionRequest&, RunObserver&) { return RunResult{}; });
      if (!c.settings.empty()) form.LoadSettings(c.settings);
      const QPoint before = form.pos();
      form.ShowOnScreen();
      const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
      QCOMPARE(available.width(), kOffscreenWidth);
      const QRect frame = form.frameGeometry();
      QVERIFY2(frame.size() != form.size(), c.legend);  // the platform's frame counts
      QVERIFY2(available.contains(frame), c.legend);
      const int left = c.moved_left ? kOffscreenWidth - frame.width() : before.x();
      QVERIFY2(form.x() == left, c.legend);
      QVERIFY2(form.y() == (c.to_top ? 0 : before.y()), c.legend);
      // What a save at close writes: the position it was moved to.
      QCOMPARE(form.Values().window_left, form.x());
      QCOMPARE(form.Values().window_left, left);
      QCOMPARE(form.Values().window_top, c.to_top ? 0 : before.y());
    }
  }

  void placedAgainAtTheFirstActivationOnly() {
    // Where the window manager frames a window only once it is mapped, the frame may stick out
    // until the window is first activated.
    ScriptedDialogs dialogs;
    TForm1 form(dialogs, kTestExecutable,
                [](const ConversionRequest&, RunObserver&) { return RunResult{}; });
    form.ShowOnScreen();
    form.move(kOffscreenWidth - 100, 50);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCoreApplication::processEvents();
    QCOMPARE(form.pos(), QPoint(kOffscreenWidth - form.frameGeometry().width(), 50));
    // Later the user may put it where they like.
    form.move(kOffscreenWidth - 100, 50);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &activate);
    QCOMPARE(form.pos(), QPoint(kOffscreenWidth - 100, 50));
  }
};

}  // namespace

int RunPlacementTests(int argc, char** argv) {
  PlacementTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace trackmint::testing

#include "placement_test.moc"
