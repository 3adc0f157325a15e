#include "app/window/run_window.h"

#include <cstdlib>
#include <exception>
#include <iostream>

#include <QApplication>

#include "app/display_check.h"
#include "app/error_text.h"
#include "app/window/qt_window_dialogs.h"
#include "app/window/tform1.h"
#include "base/clock.h"
#include "base/paths.h"
#include "run/conversion_run.h"
#include "settings/settings_file.h"

namespace trackmint {
int RunWindow(int argc, char** argv, NMEA& assembler, const std::string& log) {
  if (!DisplayAvailable([](const char* name) { return std::getenv(name); })) {
    std::cerr << NoDisplayText();
    return 1;
  }
  // The application switches the process locale to the user's; the core formats its numbers
  // without regard to it.
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QGuiApplication::setDesktopFileName(QStringLiteral("io.kelvra.Trackmint"));

  QtWindowDialogs dialogs;
  const SystemClock clock;
  try {
    const std::string executable_path = ExecutablePath();
    TForm1 form1(dialogs, executable_path,
                 [&assembler, &clock](const ConversionRequest& request, RunObserver& observer) {
                   return RunConversion(request, observer, assembler, clock);
                 });
    dialogs.SetParentWindow(&form1);
    form1.LoadSettings(DefaultSettingsPath(executable_path));
    form1.FormCreate();
    if (!log.empty()) form1.OpenLog(FullPath(log));
    form1.ShowOnScreen();
    return QApplication::exec();
  } catch (const std::exception& error) {
    // Start-up failed: shown like any error, then the program ends.
    dialogs.SetParentWindow(nullptr);
    dialogs.ShowError(ErrorDisplayText(error.what()));
    return 1;
  }
}

}  // namespace trackmint
