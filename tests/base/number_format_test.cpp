// The one number formatter against printf's texts: a table worked out by hand (exact binary
// values from their decimal expansions), then snprintf itself as the oracle over many values.
#include "base/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/scoped_locale.h"

namespace trackmint {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// 1e300 as a double is exactly this integer.
const std::string k1e300 =
    "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080"
    "4478640437044438328838781769425232353604305756447921847867069828483872009265758037378302337947"
    "8809005936895323497079994508111903896764088007465274278014249457925878882005684283811566947219"
    "6386865459400540160";

TEST(NumberFormat, FixedAsPrintfWritesIt) {
  struct Case {
    double value;
    int decimals;
    std::string text;
  };
  const std::vector<Case> cases = {
      {0.0, 6, "0.000000"},
      {-0.0, 6, "-0.000000"},
      {-0.0000004, 6, "-0.000000"},  // rounds to zero and keeps its sign
      {-0.0, 0, "-0"},
      {0.5, 0, "0"},  // exact halves go to the even neighbour
      {1.5, 0, "2"},
      {2.5, 0, "2"},
      {-2.5, 0, "-2"},
      {0.125, 2, "0.12"},
      {0.375, 2, "0.38"},
      {1.25, 1, "1.2"},
      {2.675, 2, "2.67"},  // 2.67499999999999982236...
      {1.005, 2, "1.00"},  // 1.00499999999999989341...
      {0.15, 1, "0.1"},    // 0.14999999999999999444...
      {0.05, 1, "0.1"},    // 0.05000000000000000277...
      {359.95, 1, "359.9"},
      {123.456, 1, "123.5"},
      {999999.9999996, 6, "1000000.000000"},
      {-93.750572, 6, "-93.750572"},
      {278.161, 3, "278.161"},
      {5e-324, 6, "0.000000"},
      {1e300, 0, k1e300},
      {1e300, 6, k1e300 + ".000000"},
      {-1e300, 2, "-" + k1e300 + ".00"},
      {kInf, 6, "inf"},
      {-kInf, 1, "-inf"},
      {kNan, 3, "nan"},
      {-kNan, 2, "-nan"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text);
    std::string appended = "x=";
    AppendFixed(appended, c.value, c.decimals);
    EXPECT_EQ(appended, "x=" + c.text);
  }
}

TEST(NumberFormat, DecimalAndZeroPadded) {
  EXPECT_EQ(FormatDecimal(0), "0");
  EXPECT_EQ(FormatDecimal(-1), "-1");
  EXPECT_EQ(FormatDecimal(4469), "4469");
  EXPECT_EQ(FormatDecimal(std::numeric_limits<long long>::max()), "9223372036854775807");
  EXPECT_EQ(FormatDecimal(std::numeric_limits<long long>::min()), "-9223372036854775808");

  struct Case {
    long long value;
    int width;
    std::string text;
  };
  // As "%04d" and "%02d" write them: the sign counts towards the width.
  const std::vector<Case> cases = {{2026, 4, "2026"}, {5, 2, "05"},    {12, 2, "12"},
                                   {0, 4, "0000"},    {-5, 4, "-005"}, {12345, 4, "12345"},
                                   {-12, 2, "-12"},   {7, 0, "7"},     {-7, 1, "-7"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text;
    AppendZeroPadded(text, c.value, c.width);
    EXPECT_EQ(text, c.text);
  }
}

std::string Printf(double value, int decimals) {
  char text[kMaxFixedChars + 1];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

TEST(NumberFormat, AgreesWithSnprintfOverManyValues) {
  ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> degrees(-180.0, 180.0);
  std::uniform_real_distribution<double> wide(-1e7, 1e7);
  std::uniform_int_distribution<int> decimals(0, 9);
  std::uniform_int_distribution<std::int64_t> whole(-100000, 100000);
  std::uniform_int_distribution<int> power(1, 12);
  for (int i = 0; i < 200000; ++i) {
    std::vector<double> values = {
        degrees(random), wide(random),
        // Any bit pattern: huge, tiny, subnormal, infinite and NaN values with either sign.
        std::bit_cast<double>(random()),
        // Exact binary halves at the rounding digit of many decimal counts.
        static_cast<double>(whole(random)) / static_cast<double>(std::int64_t{1} << power(random))};
    for (const double value : values) {
      const int count = decimals(random);
      ASSERT_EQ(FormatFixed(value, count), Printf(value, count))
          << "value bits " << std::bit_cast<std::uint64_t>(value) << " decimals " << count;
    }
  }
}

TEST(NumberFormat, IgnoresTheProcessLocale) {
  const testing::ScopedLocale comma(LC_ALL, testing::kCommaLocale);
  if (!comma.Active()) GTEST_SKIP() << testing::kCommaLocaleMissing;
  ASSERT_EQ(Printf(1.5, 1), "1,5");  // the locale is really in force
  EXPECT_EQ(FormatFixed(1.5, 1), "1.5");
  EXPECT_EQ(FormatFixed(-93.750572, 6), "-93.750572");
  EXPECT_EQ(FormatDecimal(1234567), "1234567");
}

}  // namespace
}  // namespace trackmint
