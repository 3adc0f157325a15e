// The time window, the arrow interval and dates past midnight, on small logs worked out by hand.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kml_test_support.h"

namespace trackmint {
namespace {

using testing::CountInDocument;
using testing::DocumentSetup;

// A GGA fix of the quality at the time.
waypoints Gga(const std::string& time, int quality = 4) {
  waypoints record;
  record.time_text = time;
  record.gga_flag = 1;
  record.gga_fix_quality = quality;
  record.latitude = 48.0;
  record.longitude = 11.0;
  return record;
}

// Tenths of a second from hhmmss "from_whole" on: "100000.00", "100000.10", ...
std::vector<std::string> TenHertz(int whole_seconds_from, int count) {
  std::vector<std::string> times;
  for (int i = 0; i < count; ++i) {
    const int seconds = whole_seconds_from + i / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%02d%02d%02d.%d0", seconds / 3600, seconds / 60 % 60,
                  seconds % 60, i % 10);
    times.push_back(text);
  }
  return times;
}

constexpr int k10h = 10 * 3600;

struct Written {
  std::string document;
  DocumentSummary summary;
};

Written Write(EpochList& epochs, const ConversionSettings& settings) {
  Written written;
  DocumentSetup setup;
  setup.settings = settings;
  written.document = testing::WrittenText([&](DocumentStream& stream) {
    KmlDocument document(stream, setup.settings, setup.icon_file_names, testing::kConversionDay);
    document.WriteOpening();
    document.BeginWaypoints();
    for (waypoints& record : epochs) document.AddEpoch(record);
    document.EndWaypoints();
    document.WriteTracksAndClosing();
    written.summary = document.Summary();
  });
  return written;
}

ConversionSettings WithInterval(std::int32_t milliseconds) {
  ConversionSettings settings = DocumentSetup().settings;
  settings.arrow_interval_ms = milliseconds;
  return settings;
}

ConversionSettings WithWindow(const char* from, const char* to) {
  ConversionSettings settings = DocumentSetup().settings;
  if (*from != '\0') settings.time_window.from = ParseTimeBound(from);
  if (*to != '\0') settings.time_window.to = ParseTimeBound(to);
  return settings;
}

// Three seconds at 10 Hz, RTK fixed but for 10:00:01.3 to 10:00:01.5 in RTK float, one arrow a
// second: the first, the first of each second, and each change of class in the middle of a
// second (to float at 01.3, back to fixed at 01.6). The tracks keep all thirty epochs.
TEST(ArrowInterval, OneASecondAndEveryChangeOfClass) {
  EpochList epochs;
  for (const std::string& time : TenHertz(k10h, 30)) {
    const bool floating = time >= "100001.30" && time <= "100001.50";
    epochs.push_back(Gga(time, floating ? 5 : 4));
  }
  const Written written = Write(epochs, WithInterval(1000));
  const testing::DocumentCensus census = CountInDocument(written.document);
  EXPECT_EQ(census.waypoint_when_texts,
            (std::vector<std::string>{"2000-01-01T10:00:00.00Z", "2000-01-01T10:00:01.00Z",
                                      "2000-01-01T10:00:01.30Z", "2000-01-01T10:00:01.60Z",
                                      "2000-01-01T10:00:02.00Z"}));
  EXPECT_EQ(census.normal_track_vertices, 30);
  EXPECT_EQ(written.summary.placemarks, 5);
  EXPECT_EQ(written.summary.placemarks_thinned, 25);
  EXPECT_EQ(written.summary.epochs, 30u);
  // The description's number counts the placemarks written.
  EXPECT_NE(written.document.find("<th>NN</th><td>4</td>"), std::string::npos);
  EXPECT_EQ(written.document.find("<th>NN</th><td>5</td>"), std::string::npos);
  // The classes count the placemarks written: four fixed, one float.
  EXPECT_EQ(written.summary.placemarks_by_class[static_cast<std::size_t>(IconSlot::RtkFix)], 4);
  EXPECT_EQ(written.summary.placemarks_by_class[static_cast<std::size_t>(IconSlot::RtkFloat)], 1);
}

// 0.25 s slots over a second at 10 Hz: the slot of 10:00:00.k is (36,000,000 + 100 k) / 250
// rounded down, 144000 for k = 0, 1, 2, 144001 for 3, 4, 144002 for 5, 6, 7, 144003 for 8, 9.
TEST(ArrowInterval, AQuarterOfASecond) {
  EpochList epochs;
  for (const std::string& time : TenHertz(k10h, 10)) epochs.push_back(Gga(time, 1));
  const Written written = Write(epochs, WithInterval(250));
  EXPECT_EQ(CountInDocument(written.document).waypoint_when_texts,
            (std::vector<std::string>{"2000-01-01T10:00:00.00Z", "2000-01-01T10:00:00.30Z",
                                      "2000-01-01T10:00:00.50Z", "2000-01-01T10:00:00.80Z"}));
}

// An epoch without a valid time always gets its arrow, and has no slot, so the next one with a
// time gets one too; an interval of 0 keeps every arrow.
TEST(ArrowInterval, EpochsWithoutATimeAndNoInterval) {
  EpochList epochs;
  for (const char* time : {"100000", "100001", "1", "100002", "100003", "100004"}) {
    epochs.push_back(Gga(time, 1));
  }
  const Written thinned = Write(epochs, WithInterval(60'000));
  // 10:00:00 first, then "1" without a time, then 10:00:02 after it; the rest share its slot.
  EXPECT_EQ(thinned.summary.placemarks, 3);
  EXPECT_EQ(CountInDocument(thinned.document).waypoint_when_texts,
            (std::vector<std::string>{"2000-01-01T10:00:00Z", "2000-01-01T10:00:02Z"}));
  EXPECT_EQ(Write(epochs, WithInterval(0)).summary.placemarks, 6);
}

// The window's bounds are included; what lies outside is not in the document at all, not even
// in the tracks.
TEST(TimeWindow, BoundsOnEpochsExactly) {
  EpochList epochs;
  for (const std::string& time : TenHertz(k10h, 10)) epochs.push_back(Gga(time, 1));
  ConversionSettings settings = WithWindow("10:00:00.1", "10:00:00.300");
  settings.use_all_waypoints = true;
  const Written written = Write(epochs, settings);
  const testing::DocumentCensus census = CountInDocument(written.document);
  EXPECT_EQ(census.waypoint_when_texts,
            (std::vector<std::string>{"2000-01-01T10:00:00.10Z", "2000-01-01T10:00:00.20Z",
                                      "2000-01-01T10:00:00.30Z"}));
  EXPECT_EQ(census.normal_track_vertices, 3);
  EXPECT_EQ(census.incorrect_track_vertices, 3);
  EXPECT_EQ(written.summary.epochs, 10u);
  EXPECT_EQ(written.summary.epochs_outside_window, 7u);
}

// 23:00 to 01:00 runs across midnight; an epoch without a valid time is outside.
TEST(TimeWindow, AcrossMidnight) {
  EpochList epochs;
  for (const char* time : {"225959", "230000", "235959", "000000", "010000", "010001", "x"}) {
    epochs.push_back(Gga(time, 1));
  }
  const Written written = Write(epochs, WithWindow("23:00", "01:00"));
  // The fixed date goes on by a day at midnight.
  EXPECT_EQ(CountInDocument(written.document).waypoint_when_texts,
            (std::vector<std::string>{"2000-01-01T23:00:00Z", "2000-01-01T23:59:59Z",
                                      "2000-01-02T00:00:00Z", "2000-01-02T01:00:00Z"}));
  EXPECT_EQ(written.summary.epochs_outside_window, 3u);
}

// A date-time bound needs the receiver's date: a log of GGA sentences alone has none, so nothing
// is inside, and the document is as for a log without epochs: no track at all.
TEST(TimeWindow, ADateTimeBoundOnALogWithoutDates) {
  EpochList epochs;
  for (const std::string& time : TenHertz(k10h, 5)) epochs.push_back(Gga(time, 1));
  const Written written = Write(epochs, WithWindow("2024-03-01T00:00", ""));
  EXPECT_TRUE(
      testing::SameText("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n<Folder>\n"
                        "<name>WayPoints</name>\n</Folder>\n</Document>\n</kml>",
                        written.document));
  EXPECT_EQ(written.summary.epochs_outside_window, 5u);

  // With the receiver's date, the same bound lets them in.
  for (waypoints& record : epochs) {
    record.rmc_flag = 1;
    record.rmc_status = 'A';
    record.date_text = "2024-03-01";
  }
  EXPECT_EQ(Write(epochs, WithWindow("2024-03-01T00:00", "")).summary.placemarks, 5);
}

// A date put in place of the receiver's goes on by a day each time the time of day falls back by
// more than half a day, in the description and the time stamp alike; receiver dates stay.
TEST(DatesPastMidnight, TheFixedAndTheClockDateGoOn) {
  const auto log = [] {
    EpochList epochs;
    for (const char* time : {"235958", "235959.50", "000000.50", "000001"}) {
      epochs.push_back(Gga(time, 1));
    }
    return epochs;
  };
  EpochList fixed = log();
  const Written with_fixed_date = Write(fixed, DocumentSetup().settings);
  EXPECT_EQ(CountInDocument(with_fixed_date.document).waypoint_when_texts,
            (std::vector<std::string>{"2000-01-01T23:59:58Z", "2000-01-01T23:59:59.50Z",
                                      "2000-01-02T00:00:00.50Z", "2000-01-02T00:00:01Z"}));
  EXPECT_NE(with_fixed_date.document.find("<td>2000-01-02^T000000.50Z</td>"), std::string::npos);

  ConversionSettings clock_date = DocumentSetup().settings;
  clock_date.use_fixed_date = false;  // GGA alone: the clock's date, 2026-12-09
  EpochList clocked = log();
  const Written with_clock_date = Write(clocked, clock_date);
  EXPECT_EQ(CountInDocument(with_clock_date.document).waypoint_when_texts,
            (std::vector<std::string>{"2026-12-09T23:59:58Z", "2026-12-09T23:59:59.50Z",
                                      "2026-12-10T00:00:00.50Z", "2026-12-10T00:00:01Z"}));
  EXPECT_NE(with_clock_date.document.find("<td>2026-12-10*T000001Z</td>"), std::string::npos);

  // Receiver dates are the receiver's: an RMC-only log keeps them past midnight.
  EpochList dated;
  for (const char* time : {"235959", "000000"}) {
    waypoints record;
    record.time_text = time;
    record.rmc_flag = 1;
    record.rmc_status = 'A';
    record.mode_indicator = 'A';
    record.date_text = "2020-03-18";
    dated.push_back(record);
  }
  EXPECT_EQ(CountInDocument(Write(dated, clock_date).document).waypoint_when_texts,
            (std::vector<std::string>{"2020-03-18T23:59:59Z", "2020-03-18T00:00:00Z"}));
}

// A fixed date that is no calendar date stands as it is, whatever the hour.
TEST(DatesPastMidnight, AFixedDateThatIsNoDateStands) {
  EpochList epochs;
  for (const char* time : {"235959", "000000"}) epochs.push_back(Gga(time, 1));
  ConversionSettings settings = DocumentSetup().settings;
  settings.fixed_date_text = "someday";
  const std::string document = Write(epochs, settings).document;
  EXPECT_NE(document.find("<td>someday^T000000Z</td>"), std::string::npos);
}

// When the fixed date replaces receiver dates that differ from it, the summary counts them and
// keeps the earliest and the latest.
TEST(FixedDate, CountsTheReceiverDatesItReplaced) {
  EpochList epochs;
  const char* dates[] = {"2026-08-05", "2000-01-01", "2026-08-04", ""};
  for (const char* date : dates) {
    waypoints record = Gga(std::string("1200") + std::to_string(10 + epochs.size()), 1);
    record.rmc_flag = 1;
    record.rmc_status = 'A';
    record.date_text = date;
    epochs.push_back(record);
  }
  const Written written = Write(epochs, DocumentSetup().settings);
  EXPECT_EQ(written.summary.receiver_dates_replaced, 2);  // not the same date, nor an empty one
  EXPECT_EQ(written.summary.first_replaced_date, "2026-08-04");
  EXPECT_EQ(written.summary.last_replaced_date, "2026-08-05");
}

}  // namespace
}  // namespace trackmint
