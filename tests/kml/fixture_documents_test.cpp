// The documents of the real receiver logs, read through the input phase and checked by libxml2.
// The expected numbers were counted from the logs themselves, apart from this program: sentences
// with a right checksum (digits of either case) picked out of the bytes, GGA and RMC grouped by
// their time into epochs, then the epochs with a usable fix (status A, or a GGA fix quality other
// than 0) and the valid ones (both sentences with status A, GGA alone with a fix, RMC alone with
// status A). Every GGA and RMC time field of these logs with a right checksum is "hhmmss" or
// "hhmmss.f..." within a day, and every RMC date field is empty or a real ddmmyy date, so each
// waypoint placemark carries a TimeStamp.
#include <gtest/gtest.h>

#include <regex.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "kml_test_support.h"
#include "run/input_phase.h"
#include "support/fixtures.h"
#include "support/read_log.h"

namespace trackmint {
namespace {

struct Log {
  std::string name;
  int epochs;
  int usable;
  int valid;
};

// The XML Schema dateTime in UTC as the document writes it: a calendar date, a time of day with
// seconds up to 60 (a leap second) and an optional fraction of at least one digit, then "Z". The
// C library's regular expressions do the matching (GCC 12's std::regex trips its own
// maybe-uninitialized warning).
class UtcDateTimePattern {
 public:
  UtcDateTimePattern() {
    m_compiled = regcomp(&m_pattern,
                         "^([0-9]{4})-([0-9]{2})-([0-9]{2})"
                         "T([0-9]{2}):([0-9]{2}):([0-9]{2})(\\.[0-9]+)?Z$",
                         REG_EXTENDED) == 0;
  }
  ~UtcDateTimePattern() {
    if (m_compiled) regfree(&m_pattern);
  }
  UtcDateTimePattern(const UtcDateTimePattern&) = delete;
  UtcDateTimePattern& operator=(const UtcDateTimePattern&) = delete;

  ::testing::AssertionResult Matches(const std::string& text) const {
    if (!m_compiled) return ::testing::AssertionFailure() << "the pattern does not compile";
    regmatch_t parts[8];
    if (regexec(&m_pattern, text.c_str(), 8, parts, 0) != 0) {
      return ::testing::AssertionFailure() << '"' << text << "\" is not a dateTime";
    }
    const auto number = [&](int index) {
      return std::stoi(
          text.substr(static_cast<std::size_t>(parts[index].rm_so),
                      static_cast<std::size_t>(parts[index].rm_eo - parts[index].rm_so)));
    };
    const std::chrono::year_month_day date{std::chrono::year(number(1)),
                                           std::chrono::month(static_cast<unsigned>(number(2))),
                                           std::chrono::day(static_cast<unsigned>(number(3)))};
    if (number(1) < 1 || !date.ok()) {
      return ::testing::AssertionFailure() << '"' << text << "\" has no calendar date";
    }
    if (number(4) > 23 || number(5) > 59 || number(6) > 60) {
      return ::testing::AssertionFailure() << '"' << text << "\" has no time of day";
    }
    return ::testing::AssertionSuccess();
  }

 private:
  regex_t m_pattern{};
  bool m_compiled = false;
};

void ExpectWellFormedDocument(const Log& log, const std::string& path) {
  const UtcDateTimePattern date_time;
  for (const bool fixed_date : {true, false}) {
    SCOPED_TRACE(log.name + (fixed_date ? ", fixed date" : ", dates of the log"));
    EpochList epochs = testing::ReadLogFile(path, testing::kConversionDay);
    testing::DocumentSetup setup;
    setup.settings.use_fixed_date = fixed_date;
    setup.settings.show_height = !fixed_date;
    setup.settings.use_all_waypoints = true;
    std::int32_t placemarks = -1;
    const std::string document =
        testing::WholeDocument(epochs, setup, testing::kConversionDay, &placemarks);
    ASSERT_TRUE(testing::IsWellFormedXml(document));
    const testing::DocumentCensus census = testing::CountInDocument(document);
    EXPECT_EQ(census.root_namespace, "http://www.opengis.net/kml/2.2");
    EXPECT_EQ(census.waypoint_placemarks, log.usable);
    EXPECT_EQ(census.waypoint_when_texts.size(), static_cast<std::size_t>(log.usable));
    for (const std::string& when : census.waypoint_when_texts) EXPECT_TRUE(date_time.Matches(when));
    EXPECT_EQ(census.normal_track_vertices, log.valid);
    EXPECT_EQ(census.incorrect_track_vertices, log.epochs);
    EXPECT_EQ(placemarks, log.usable);
    EXPECT_EQ(document.find("invalid.png"), std::string::npos);
  }
}

TEST(FixtureDocuments, WellFormedWithOnePlacemarkPerUsableEpoch) {
  const std::vector<Log> logs = {
      {"gpsd/beidou-gb.log", 5, 2, 2},
      {"gpsd/garmin25lp.log", 20, 10, 10},
      {"gpsd/gp-320fw-2019-04-07-coldboot.log", 19, 2, 2},
      {"gpsd/magellan-ec10.log", 38, 21, 21},  // 38 RMC sentences, 21 with status A
      {"gpsd/nmea-rtk.log", 122, 122, 122},
      {"gpsd/quectel-l76k-nmea.log", 151, 151, 151},
      {"gpsd/ublox-zed-f9r.log", 30, 30, 30},
      {"nmeaparser/NmeaSampleData.txt", 4469, 4469, 4469},
  };
  for (const Log& log : logs) ExpectWellFormedDocument(log, testing::FixturePath(log.name));
}

TEST(FixtureDocuments, WellFormedForTheMillisecondLog) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(path, "gpsbabel/nmea+ms.txt");
  ExpectWellFormedDocument({"gpsbabel/nmea+ms.txt", 37, 37, 37}, path);
}

TEST(FixtureDocuments, WellFormedForTheImuReceiverLog) {
  TRACKMINT_SHARED_FIXTURE_OR_SKIP(path, "qfield/happyWithIMU.txt");
  ExpectWellFormedDocument({"qfield/happyWithIMU.txt", 16, 16, 16}, path);
}

}  // namespace
}  // namespace trackmint
