// Small hand-written logs through the input phase into the whole document, compared byte for byte
// with documents worked out by hand from their sentences.
#include <gtest/gtest.h>

#include <string>

#include "kml_test_support.h"
#include "support/fixtures.h"
#include "support/read_log.h"

namespace trackmint {
namespace {

std::string GoldenPath(const std::string& name) {
  return testing::SourcePath("tests/kml/golden/" + name);
}

TEST(SkyDocuments, LogsAndTheirDocuments) {
  for (const std::string name : {
           // GPS, SBAS and GLONASS only: the document it had before the other systems had rows.
           "gps_sbas_glonass_sky",
           // All seven systems, two signals, Quectel's sentences.
           "every_system_sky",
       }) {
    SCOPED_TRACE(name);
    EpochList epochs = testing::ReadLogFile(GoldenPath(name + ".nmea"), testing::kConversionDay);
    testing::DocumentSetup setup;
    const std::string document = testing::WholeDocument(epochs, setup);
    EXPECT_TRUE(testing::SameText(testing::ReadWholeFile(GoldenPath(name + ".kml")), document));
    EXPECT_TRUE(testing::IsWellFormedXml(document));
  }
}

}  // namespace
}  // namespace trackmint
