// The window's tests: one application for all groups, each group run by Qt Test.
#include <QApplication>

#include "window_tests.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Closing a window under test must not end the application the tests run in.
  QApplication::setQuitOnLastWindowClosed(false);
  using namespace trackmint::testing;
  int failures = 0;
  for (const auto run : {RunDesignTests, RunPlacementTests, RunFileFieldTests, RunChooserTests,
                         RunDropTests, RunSpinnerTests, RunCheckBoxAndColourTests, RunCloseTests,
                         RunHostTests, RunConversionTests}) {
    failures += run(argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
