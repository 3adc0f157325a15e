#include "kml/xml_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kml_test_support.h"

namespace trackmint {
namespace {

struct Case {
  const char* legend;
  std::string text;
  std::string element_content;
  std::string cdata;
};

const std::vector<Case> kCases = {
    {"plain", "123814.20", "123814.20", "123814.20"},
    {"markup characters", "a&b<c>d", "a&amp;b&lt;c&gt;d", "a&b<c>d"},
    {"quotes stay", "\"x\" 'y'", "\"x\" 'y'", "\"x\" 'y'"},
    {"CDATA end", "]]>", "]]&gt;", "]]]]><![CDATA[>"},
    {"CDATA end twice", "a]]>]]>b", "a]]&gt;]]&gt;b", "a]]]]><![CDATA[>]]]]><![CDATA[>b"},
    {"three brackets", "]]]>", "]]]&gt;", "]]]]]><![CDATA[>"},
    {"brackets alone", "]] > ]>", "]] &gt; ]&gt;", "]] > ]>"},
    {"tab, LF, CR stay", "a\tb\nc\rd", "a\tb\nc\rd", "a\tb\nc\rd"},
    {"control characters", std::string("a\0b\x01\x1f", 5) + "\x0b", "a?b???", "a?b???"},
    {"DEL and C1 controls are XML characters", "\x7f\xc2\x85", "\x7f\xc2\x85", "\x7f\xc2\x85"},
    {"two, three and four byte characters", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80",
     "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"},
    {"U+FFFE and U+FFFF", "\xef\xbf\xbe\xef\xbf\xbf|\xef\xbf\xbd", "??|\xef\xbf\xbd",
     "??|\xef\xbf\xbd"},
    {"Latin-1 byte", "Gr\xfc\xdf", "Gr??", "Gr??"},
    {"stray continuation byte", "\x80x", "?x", "?x"},
    {"cut-short sequence", "\xe2\x82", "??", "??"},
    {"cut-short sequence before ASCII", "\xe2\x82<", "??&lt;",
     "?"
     "?<"},
    {"overlong forms", "\xc0\xbc\xe0\x80\xbc", "?????", "?????"},
    {"surrogate", "\xed\xa0\x80", "???", "???"},
    {"beyond U+10FFFF", "\xf4\x90\x80\x80\xf5", "?????", "?????"},
    {"empty", "", "", ""},
};

TEST(XmlText, EscapesForItsPlace) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(EscapeXmlText(c.text, XmlTextPlace::kElementContent), c.element_content);
    EXPECT_EQ(EscapeXmlText(c.text, XmlTextPlace::kCData), c.cdata);
    // The stream writer gives the same, whether the text takes the quick way or not.
    EXPECT_EQ(testing::WrittenText([&](DocumentStream& stream) {
                WriteXmlText(stream, c.text, XmlTextPlace::kElementContent);
              }),
              c.element_content);
    EXPECT_EQ(testing::WrittenText([&](DocumentStream& stream) {
                WriteXmlText(stream, c.text, XmlTextPlace::kCData);
              }),
              c.cdata);
  }
}

// The quick scan may only let through what the escaping would leave as it is, and any text,
// escaped, must read back as well-formed XML in both places.
TEST(XmlText, AnyBytesGiveWellFormedXml) {
  std::mt19937 random(7);
  const std::string alphabet = "ab]]>&<\"'\t\n\r\x01\x7f\xc3\xa9\xe2\x82\xac\xef\xbf\xbf\x80\xff";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 24);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
    for (const XmlTextPlace place : {XmlTextPlace::kElementContent, XmlTextPlace::kCData}) {
      const std::string escaped = EscapeXmlText(text, place);
      if (IsPlainXmlText(text, place)) {
        ASSERT_EQ(escaped, text);
      }
      const std::string document = place == XmlTextPlace::kCData
                                       ? "<d><![CDATA[" + escaped + "]]></d>"
                                       : "<d>" + escaped + "</d>";
      ASSERT_TRUE(testing::IsWellFormedXml(document)) << document;
    }
  }
}

}  // namespace
}  // namespace trackmint
