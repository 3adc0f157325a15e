#include "app/summary_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trackmint {
namespace {

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

DocumentSummary Placemarks(std::int32_t count, PlacemarkTime first, PlacemarkTime last) {
  DocumentSummary summary;
  summary.epochs = static_cast<std::uint64_t>(count);
  summary.placemarks = count;
  summary.first = std::move(first);
  summary.last = std::move(last);
  return summary;
}

// Past 20,000 placemarks: about a millisecond each for a globe, and the smallest round interval
// that keeps fewer than 5,000 over the span (the span's seconds over the interval, and the first).
TEST(ViewingHint, TheSmallestRoundIntervalUnder5000) {
  struct Case {
    const char* legend;
    DocumentSummary summary;
    std::optional<std::string> hint;
  };
  const std::vector<Case> cases = {
      {"20,000 are not too many",
       Placemarks(20'000, {"2024-03-01", "000000"}, {"2024-03-01", "053319"}), std::nullopt},
      {"16 hours at 1 Hz: 57,600 s, 15 s keeps 3,841",
       Placemarks(57'601, {"2024-03-01", "060000"}, {"2024-03-01", "220000"}),
       "57,601 placemarks take a globe about a minute to load; --interval 15 keeps about 3,800"},
      {"an hour at 10 Hz without dates: by the times of day, 1 s keeps 3,601",
       Placemarks(36'000, {"", "100000.00"}, {"", "105959.90"}),
       "36,000 placemarks take a globe about 40 seconds to load; --interval 1 keeps about 3,600"},
      {"across midnight without dates: 23:00 to 01:00 is two hours",
       Placemarks(72'000, {"", "230000.0"}, {"", "010000.0"}),
       "72,000 placemarks take a globe about a minute to load; --interval 2 keeps about 3,600"},
      {"a day and a half at 10 Hz by the dates",
       Placemarks(1'296'000, {"2024-03-01", "000000"}, {"2024-03-02", "120000"}),
       "1,296,000 placemarks take a globe about 22 minutes to load; --interval 30 keeps about "
       "4,300"},
      {"no span to go by", Placemarks(30'000, {"", "x"}, {"", "y"}),
       "30,000 placemarks take a globe about 30 seconds to load; --interval SECONDS keeps one "
       "arrow a slot of that many seconds"},
  };
  for (const Case& c : cases) EXPECT_EQ(ViewingHint(c.summary), c.hint) << c.legend;
}

TEST(FixedDateNote, SaysWhichReceiverDatesItReplaced) {
  DocumentSummary summary;
  EXPECT_EQ(FixedDateNote(summary, "2000-01-01"), std::nullopt);
  summary.receiver_dates_replaced = 150;
  summary.first_replaced_date = summary.last_replaced_date = "2026-08-05";
  EXPECT_EQ(FixedDateNote(summary, "2000-01-01"),
            "the fixed date 2000-01-01 replaced the receiver's date 2026-08-05 in 150 placemarks; "
            "untick the date in the window, or CheckBox1=0 in the settings file, to keep the "
            "receiver's dates");
  summary.receiver_dates_replaced = 1;
  summary.last_replaced_date = "2026-08-06";
  EXPECT_EQ(FixedDateNote(summary, "1999-12-31"),
            "the fixed date 1999-12-31 replaced the receiver's dates 2026-08-05 to 2026-08-06 in 1 "
            "placemark; untick the date in the window, or CheckBox1=0 in the settings file, to "
            "keep the receiver's dates");
}

// The epochs line says what the window and the interval left out, when they were asked for.
TEST(SummaryLines, WhatTheWindowAndTheIntervalLeftOut) {
  DocumentSummary summary = Placemarks(3, {"", "100000"}, {"", "100002"});
  summary.epochs = 30;
  summary.epochs_outside_window = 20;
  summary.placemarks_thinned = 7;
  EXPECT_EQ(SummaryLines(summary)[1], "Epochs: 30 read, 3 waypoint placemarks");
  summary.time_window = true;
  EXPECT_EQ(SummaryLines(summary)[1],
            "Epochs: 30 read, 3 waypoint placemarks, 20 outside the time window");
  summary.arrow_interval = true;
  EXPECT_EQ(SummaryLines(summary)[1],
            "Epochs: 30 read, 3 waypoint placemarks, 20 outside the time window, 7 left out by "
            "the arrow interval");
}

}  // namespace
}  // namespace trackmint
