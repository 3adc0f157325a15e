#include "base/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <vector>

#include "support/scoped_locale.h"

namespace trackmint {
namespace {

TEST(IntegerValue, Cases) {
  struct Case {
    const char* text;
    std::int32_t value;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"12", 12},
      {"12,", 12},
      {"2.5", 2},
      {"  -7x", -7},
      {"+08", 8},
      {"abc", 0},
      {"-", 0},
      {" ", 0},
      {"0300", 300},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999", -2147483647 - 1},
      {"99999999999999999999", 2147483647},
      {"4294967297", 2147483647},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IntegerValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(DecimalValue, Cases) {
  struct Case {
    const char* text;
    double value;
  };
  const std::vector<Case> cases = {
      {"", 0.0},
      {"545.4", 545.4},
      {"022.4", 22.4},
      {"-1.5e2", -150.0},
      {"2.7*", 2.7},
      {".5", 0.5},
      {"5.", 5.0},
      {".", 0.0},
      {"+3", 3.0},
      {"1e", 1.0},
      {"1e+", 1.0},
      {"1.5E-1x", 0.15},
      {"  7.25", 7.25},
      {"nan", 0.0},
      {"inf", 0.0},
      {"0x1A", 0.0},
      {"1,5", 1.0},
      {"1e-999", 0.0},
      {"-0.0001e-400", -0.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecimalValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(DecimalValue, NumbersTooLargeForADoubleAreInfinite) {
  EXPECT_EQ(DecimalValue("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(DecimalValue("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(DecimalValue(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(DecimalValue("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(DecimalValue, IgnoresTheProcessLocale) {
  const testing::ScopedLocale comma(LC_NUMERIC, testing::kCommaLocale);
  if (!comma.Active()) GTEST_SKIP() << testing::kCommaLocaleMissing;
  EXPECT_EQ(DecimalValue("545.4"), 545.4);
  EXPECT_EQ(DecimalValue("545,4"), 545.0);
}

}  // namespace
}  // namespace trackmint
