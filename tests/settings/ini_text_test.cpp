#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace trackmint {
namespace {

TEST(FindIniValue, Cases) {
  struct Case {
    const char* legend;
    std::string content;
    std::optional<std::string> value;  // of Edit3 in Settings
  };
  const std::vector<Case> cases = {
      {"plain", "[Settings]\r\nEdit3=5\r\n", "5"},
      {"names in another case", "[settings]\r\nedit3=7\r\n", "7"},
      {"blanks around names and value", " [ Settings ] \r\n  Edit3 \t=  7 \t\r\n", "7"},
      {"LF line ends", "[Other]\nEdit3=1\n[Settings]\nEdit3=7\nTop=2\n", "7"},
      {"last line without a break", "[Settings]\r\nEdit3=7", "7"},
      {"empty value", "[Settings]\r\nEdit3=\r\n", ""},
      {"blanks only", "[Settings]\r\nEdit3=   \r\n", ""},
      {"value holding =", "[Settings]\r\nEdit3=a=b\r\n", "a=b"},
      {"first of two lines", "[Settings]\r\nEdit3=1\r\nEdit3=2\r\n", "1"},
      {"second section of the name", "[Settings]\r\nTop=1\r\n[X]\r\n[SETTINGS]\r\nEdit3=9\r\n",
       "9"},
      {"key in another section", "[Other]\r\nEdit3=7\r\n[Settings]\r\nTop=1\r\n", std::nullopt},
      {"key before any section", "Edit3=7\r\n[Settings]\r\nTop=1\r\n", std::nullopt},
      {"longer key", "[Settings]\r\nEdit34=7\r\n", std::nullopt},
      {"comment line", "[Settings]\r\n;Edit3=7\r\n# Edit3=8\r\n", std::nullopt},
      {"line without =", "[Settings]\r\nEdit3\r\n", std::nullopt},
      {"no section", "", std::nullopt},
      {"byte order mark", "\xEF\xBB\xBF[Settings]\r\nEdit3=7\r\n", "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(FindIniValue(c.content, "Settings", "Edit3"), c.value);
  }
}

TEST(FindIniValue, ALongValueIsCutTo2047Characters) {
  std::string value;
  for (int i = 0; i < 3000; ++i) value += static_cast<char>('a' + i % 26);
  const std::string content = "[Settings]\r\nMaskEdit1=" + value + "\r\nEdit3=7\r\n";
  EXPECT_EQ(FindIniValue(content, "Settings", "MaskEdit1"), value.substr(0, 2047));
  EXPECT_EQ(FindIniValue(content, "Settings", "Edit3"), "7");
}

TEST(SetIniValue, Cases) {
  struct Case {
    const char* legend;
    std::string content;
    std::string expected;  // after Edit3 in Settings is set to 5
  };
  const std::vector<Case> cases = {
      {"new file", "", "[Settings]\r\nEdit3=5\r\n"},
      {"replaced where it stands, spelling and blanks of the line kept",
       "[settings]\r\nA=1\r\n  edit3 =  7  \r\nB=2\r\n",
       "[settings]\r\nA=1\r\n  edit3 =  5\r\nB=2\r\n"},
      {"empty value replaced", "[Settings]\r\nEdit3=\r\n", "[Settings]\r\nEdit3=5\r\n"},
      {"missing key after the section's last key line",
       "[Settings]\r\nA=1\r\n; note\r\n\r\n[Other]\r\nEdit3=9\r\n",
       "[Settings]\r\nA=1\r\nEdit3=5\r\n; note\r\n\r\n[Other]\r\nEdit3=9\r\n"},
      {"section without keys", "[Settings]\r\n\r\n[Other]\r\n",
       "[Settings]\r\nEdit3=5\r\n\r\n[Other]\r\n"},
      {"first of two sections of the name", "[Settings]\r\nA=1\r\n[Settings]\r\nB=2\r\n",
       "[Settings]\r\nA=1\r\nEdit3=5\r\n[Settings]\r\nB=2\r\n"},
      {"missing section at the end", "; top\r\n[Other]\r\nB=2\r\n",
       "; top\r\n[Other]\r\nB=2\r\n[Settings]\r\nEdit3=5\r\n"},
      {"missing section after a last line without a break", "[Other]\r\nB=2",
       "[Other]\r\nB=2\r\n[Settings]\r\nEdit3=5\r\n"},
      {"missing key after a last line without a break", "[Settings]\r\nA=1",
       "[Settings]\r\nA=1\r\nEdit3=5\r\n"},
      {"replaced last line without a break", "[Settings]\r\nEdit3=7", "[Settings]\r\nEdit3=5\r\n"},
      {"byte order mark kept", "\xEF\xBB\xBF[Settings]\r\nA=1\r\n",
       "\xEF\xBB\xBF[Settings]\r\nA=1\r\nEdit3=5\r\n"},
      {"LF lines of the file kept as they are", "[Settings]\nEdit3=7\nA=1\n",
       "[Settings]\nEdit3=5\r\nA=1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    EXPECT_EQ(SetIniValue(c.content, "Settings", "Edit3", "5"), c.expected);
  }
}

TEST(IniIntegerValue, Cases) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const std::vector<Case> cases = {
      {"0", 0},
      {"2", 2},
      {"08", 8},
      {"+7", 7},
      {"-20", -20},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$FF", 255},
      {"0xFF", 255},
      {"0XfF", 255},
      {"$00000000000FF", 255},
      {"$8000000F", -2147483633},
      {"0xFFFFFFFF", -1},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"$100000000", std::nullopt},
      {"yes", std::nullopt},
      {"12abc", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"-$5", std::nullopt},
      {"0x-1", std::nullopt},
      {"$FG", std::nullopt},
      {"1 2", std::nullopt},
      {"1.0", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IniIntegerValue(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(IniIntegerText, Decimal) {
  EXPECT_EQ(IniIntegerText(0), "0");
  EXPECT_EQ(IniIntegerText(1004), "1004");
  EXPECT_EQ(IniIntegerText(-2147483633), "-2147483633");
}

}  // namespace
}  // namespace trackmint
