#include "kml/document_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trackmint {
namespace {

TEST(DurationText, HoursMinutesSeconds) {
  struct Case {
    double seconds;
    int decimals;
    std::string text;
  };
  const std::vector<Case> cases = {
      {0, 0, "0:00:00"},         {5, 0, "0:00:05"},      {641.9, 2, "0:10:41.90"},
      {3600.5, 1, "1:00:00.5"},  {86399, 0, "23:59:59"}, {90061.25, 2, "25:01:01.25"},
      {59.996, 2, "0:01:00.00"}, {-65, 0, "-0:01:05"},   {0.5, 3, "0:00:00.500"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DurationText(c.seconds, c.decimals), c.text) << c.seconds;
  }
}

}  // namespace
}  // namespace trackmint
