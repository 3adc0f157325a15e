#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kml/icon_style.h"
#include "kml/kml_colour.h"
#include "kml/line_style.h"
#include "kml_test_support.h"

namespace trackmint {
namespace {

using testing::SameText;
using testing::StubHost;
using testing::WrittenText;

// A desktop whose every system colour is 0x336699 (blue 33, green 66, red 99).
class OneSystemColourHost : public StubHost {
 public:
  WindowColour ResolveColour(WindowColour colour) const override {
    return IsSystemColour(colour) ? 0x336699 : colour;
  }
};

TEST(KmlColour, OpaqueBlueGreenRed) {
  const OneSystemColourHost host;
  struct Case {
    WindowColour colour;
    std::string text;
  };
  const std::vector<Case> cases = {
      {0x0000FF, "FF0000FF"},  // red
      {0x008000, "FF008000"},  // green
      {0x000000, "FF000000"},  // black
      {0xFFFFFF, "FFFFFFFF"},  // white
      {0x123456, "FF123456"},  // upper-case digits in the window's byte order
      {0xABCDEF, "FFABCDEF"},
      {0x1000000, "FF1000000"},  // at least six digits, more when the value needs them
      {kSystemGreyText, "FF336699"},
      {kSystemColourFlag | 5, "FF336699"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(KmlColourText(c.colour, host), c.text);
  }
}

TEST(LineStyle, WritesIdColourAndWidthText) {
  const OneSystemColourHost host;
  EXPECT_TRUE(
      SameText("<Style id=\"NormalTrack\">\n"
               "<LineStyle>\n"
               "<color>FF0000FF</color>\n"
               "<width>5</width>\n"
               "</LineStyle>\n"
               "</Style>\n",
               WrittenText([&](DocumentStream& s) {
                 WriteLineStyle(s, "5", 0x0000FF, "NormalTrack", host);
               })));
  // A system colour is written as the desktop's value, never with its flag; the width text is
  // the setting's text, made safe for the element.
  EXPECT_TRUE(
      SameText("<Style id=\"IncorrectTrack\">\n"
               "<LineStyle>\n"
               "<color>FF336699</color>\n"
               "<width>10 &lt;&amp;&gt;?</width>\n"
               "</LineStyle>\n"
               "</Style>\n",
               WrittenText([&](DocumentStream& s) {
                 WriteLineStyle(s, "10 <&>\x01", kSystemWindowText, "IncorrectTrack", host);
               })));
}

TEST(IconStyle, ScaleTextHeadingAndIcon) {
  EXPECT_TRUE(
      SameText("<Style>\n"
               "<IconStyle>\n"
               "<scale>0.600000</scale>\n"
               "<heading>359.950000</heading>\n"
               "<Icon>\n"
               "<href>16711680.png</href>\n"
               "</Icon>\n"
               "</IconStyle>\n"
               "</Style>\n",
               WrittenText([](DocumentStream& s) {
                 WriteIconStyle(s, "0.600000", 359.95, "16711680.png");
               })));
  EXPECT_TRUE(SameText(
      "<Style>\n"
      "<IconStyle>\n"
      "<scale>0.5&amp;&lt;</scale>\n"
      "<heading>-0.000000</heading>\n"
      "<Icon>\n"
      "<href>8421504.png</href>\n"
      "</Icon>\n"
      "</IconStyle>\n"
      "</Style>\n",
      WrittenText([](DocumentStream& s) { WriteIconStyle(s, "0.5&<", -0.0, "8421504.png"); })));
}

}  // namespace
}  // namespace trackmint
