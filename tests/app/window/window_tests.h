#pragma once

namespace trackmint::testing {

// Each runs one group of the window's tests and returns the number of failed test functions.
int RunDesignTests(int argc, char** argv);
int RunPlacementTests(int argc, char** argv);
int RunFileFieldTests(int argc, char** argv);
int RunChooserTests(int argc, char** argv);
int RunDropTests(int argc, char** argv);
int RunSpinnerTests(int argc, char** argv);
int RunCheckBoxAndColourTests(int argc, char** argv);
int RunCloseTests(int argc, char** argv);
int RunHostTests(int argc, char** argv);
int RunConversionTests(int argc, char** argv);

}  // namespace trackmint::testing
