#include "app/window/spinner_steps.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "support/scoped_locale.h"

namespace trackmint {
namespace {

constexpr SpinDirection kUp = SpinDirection::Up;
constexpr SpinDirection kDown = SpinDirection::Down;

struct StepCase {
  const char* text;
  SpinDirection direction;
  const char* expected;
};

TEST(StepTrackWidth, Cases) {
  const std::vector<StepCase> cases = {
      {"5", kUp, "6"},
      {"5", kDown, "4"},
      {"9", kUp, "10"},
      {"10", kUp, "10"},
      {"2", kDown, "1"},
      {"1", kDown, "1"},
      {"abc", kUp, "1"},
      {"abc", kDown, "1"},
      {"", kUp, "1"},
      {"0", kUp, "1"},
      {" 07x", kUp, "8"},
      {"-5", kUp, "1"},
      {"20", kDown, "10"},
      {"+3", kDown, "2"},
      {"2.9", kUp, "3"},
      {"99999999999", kUp, "10"},
      {"-99999999999", kDown, "1"},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(StepTrackWidth(c.text, c.direction), c.expected)
        << '"' << c.text << '"' << (c.direction == kUp ? " up" : " down");
  }
}

TEST(StepIconScale, Cases) {
  const std::vector<StepCase> cases = {
      {"0.5", kUp, "0.6"},
      {"0.5", kDown, "0.4"},
      {"1.0", kDown, "0.9"},
      {"1.0", kUp, "1.0"},
      {"0.1", kDown, "0.1"},
      {"0.2", kDown, "0.1"},
      {"0.9", kUp, "1.0"},
      {"0.95", kUp, "1.0"},
      {"0.15", kDown, "0.1"},
      {"0.15", kUp, "0.25"},
      {"abc", kUp, "0.1"},
      {"abc", kDown, "0.1"},
      {"  0.3x", kUp, "0.4"},
      {"1e-1", kUp, "0.2"},
      {"2", kDown, "1.0"},
      {"-1", kUp, "0.1"},
      {"1e999", kDown, "1.0"},
      {"0,5", kUp, "0.1"},
      // The binary sums 0.7999999999999999 and 0.24999999999999997 show as typed.
      {"0.7", kUp, "0.8"},
      {"0.35", kDown, "0.25"},
      // A text an earlier version saved, and one with more decimals than the step keeps.
      {"0.600000", kUp, "0.7"},
      {"0.1234567", kUp, "0.223457"},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(StepIconScale(c.text, c.direction), c.expected)
        << '"' << c.text << '"' << (c.direction == kUp ? " up" : " down");
  }
}

// Each step reads the text that the previous one wrote.
std::vector<std::string> Steps(std::string text, SpinDirection direction, int count) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    text = StepIconScale(text, direction);
    texts.push_back(text);
  }
  return texts;
}

TEST(StepIconScale, RunsToItsBoundsInSteps) {
  EXPECT_EQ(Steps("0.5", kUp, 6),
            (std::vector<std::string>{"0.6", "0.7", "0.8", "0.9", "1.0", "1.0"}));
  EXPECT_EQ(Steps("0.5", kDown, 5), (std::vector<std::string>{"0.4", "0.3", "0.2", "0.1", "0.1"}));
  EXPECT_EQ(Steps("0.1", kUp, 9), (std::vector<std::string>{"0.2", "0.3", "0.4", "0.5", "0.6",
                                                            "0.7", "0.8", "0.9", "1.0"}));
  EXPECT_EQ(Steps("1.0", kDown, 9), (std::vector<std::string>{"0.9", "0.8", "0.7", "0.6", "0.5",
                                                              "0.4", "0.3", "0.2", "0.1"}));
}

TEST(StepIconScale, IgnoresTheProcessLocale) {
  const testing::ScopedLocale comma(LC_NUMERIC, testing::kCommaLocale);
  if (!comma.Active()) GTEST_SKIP() << testing::kCommaLocaleMissing;
  EXPECT_EQ(StepIconScale("0.5", kUp), "0.6");
  EXPECT_EQ(StepIconScale("0.7", kDown), "0.6");
}

// The interval steps through round intervals; a value between two goes to the next one up or
// down; the ends stay.
TEST(StepArrowInterval, Cases) {
  const std::vector<StepCase> cases = {
      {"0", kUp, "0.1"},     {"0.1", kUp, "0.2"},    {"0.2", kUp, "0.5"},    {"0.5", kUp, "1"},
      {"1", kUp, "2"},       {"2", kUp, "5"},        {"5", kUp, "10"},       {"10", kUp, "15"},
      {"15", kUp, "30"},     {"30", kUp, "60"},      {"60", kUp, "120"},     {"120", kUp, "300"},
      {"300", kUp, "600"},   {"600", kUp, "900"},    {"900", kUp, "1800"},   {"1800", kUp, "3600"},
      {"3600", kUp, "3600"}, {"86400", kUp, "3600"}, {"10", kDown, "5"},     {"0.1", kDown, "0"},
      {"0", kDown, "0"},     {"0.25", kUp, "0.5"},   {"0.25", kDown, "0.2"}, {"7", kDown, "5"},
      {"10.000", kUp, "15"}, {"often", kUp, "0.1"},  {"often", kDown, "0"},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(StepArrowInterval(c.text, c.direction), c.expected)
        << c.text << (c.direction == kUp ? " up" : " down");
  }
}

}  // namespace
}  // namespace trackmint
