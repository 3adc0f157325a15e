#include "app/summary_text.h"

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

TEST(SummaryLines, ARunWithoutPlacemarks) {
  DocumentSummary summary;
  summary.epochs = 4;
  EXPECT_EQ(SummaryLines(summary),
            (std::vector<std::string>{"Span: no placemark", "Epochs: 4 read, 0 waypoint placemarks",
                                      "Fix classes: none",
                                      "Valid track: 0.000 km, highest speed 0.0 km/h"}));
}

// Times that go back (a log that repeats a stretch) give a negative span, said as it is; a time
// the receiver wrote in another form stands as it came, and makes the duration unknown.
TEST(SummaryLines, SpansAsTheLogGaveThem) {
  DocumentSummary summary;
  summary.placemarks = 1;
  summary.placemarks_by_class[static_cast<std::size_t>(IconSlot::Grey)] = 1;
  summary.first = PlacemarkTime{"2024-03-01", "000010"};
  summary.last = PlacemarkTime{"2024-02-29", "235950.5"};
  EXPECT_EQ(SummaryLines(summary)[0],
            "Span: 2024-03-01 00:00:10 to 2024-02-29 23:59:50.5 (-0:00:19.5)");
  EXPECT_EQ(SummaryLines(summary)[2], "Fix classes: other 1 (100.0 %)");
  summary.last = PlacemarkTime{"2024-03-01", "12:00"};
  EXPECT_EQ(SummaryLines(summary)[0],
            "Span: 2024-03-01 00:00:10 to 2024-03-01 12:00 (duration unknown: the log gives no "
            "date for both ends)");
}

TEST(DocumentSummary, DurationAcrossMidnightAndALeapDay) {
  DocumentSummary summary;
  summary.first = PlacemarkTime{"2024-02-28", "233000"};
  summary.last = PlacemarkTime{"2024-03-01", "003000.25"};
  // 2024 is a leap year: 28 February 23:30 to 1 March 00:30 is one day and one hour.
  EXPECT_EQ(summary.DurationSeconds(), 86400.0 + 3600.0 + 0.25);
  summary.last = PlacemarkTime{"", "003000"};
  EXPECT_EQ(summary.DurationSeconds(), std::nullopt);
}

}  // namespace
}  // namespace trackmint
