#include "kmz/member_name.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace trackmint {
namespace {

TEST(MemberName, OemCodePageOfTheUsersLanguage) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ru_RU.UTF-8", "CP866"}, {"uk_UA.UTF-8", "CP866"}, {"be_BY", "CP866"},
      {"de_DE.UTF-8", "CP850"}, {"fr_FR@euro", "CP850"},  {"pt_BR.UTF-8", "CP850"},
      {"sv_SE", "CP850"},       {"pl_PL.UTF-8", "CP852"}, {"cs_CZ.UTF-8", "CP852"},
      {"en_US.UTF-8", "CP437"}, {"en_GB", "CP437"},       {"C", "CP437"},
      {"C.UTF-8", "CP437"},     {"POSIX", "CP437"},       {"", "CP437"},
      {"ja_JP.UTF-8", "CP437"}};
  for (const auto& [locale, code_page] : cases) {
    SCOPED_TRACE(locale);
    EXPECT_EQ(OemCodePageForLocale(locale), code_page);
  }
}

// Sets the locale variables for one test and puts them back afterwards.
class LocaleEnvironment {
 public:
  LocaleEnvironment(const char* lc_all, const char* lc_ctype, const char* lang) {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    Set("LC_ALL", lc_all);
    Set("LC_CTYPE", lc_ctype);
    Set("LANG", lang);
  }
  ~LocaleEnvironment() {
    for (std::size_t i = 0; i < 3; ++i) Set(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
  }

 private:
  static void Set(const char* name, const char* value) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_CTYPE", "LANG"};
  std::vector<std::optional<std::string>> m_saved;
};

TEST(MemberName, CodePageFromTheEnvironmentInLocaleOrder) {
  {
    const LocaleEnvironment environment(nullptr, nullptr, "ru_RU.UTF-8");
    EXPECT_EQ(OemCodePageFromEnvironment(), "CP866");
  }
  {
    const LocaleEnvironment environment(nullptr, "de_DE.UTF-8", "ru_RU.UTF-8");
    EXPECT_EQ(OemCodePageFromEnvironment(), "CP850");
  }
  {
    const LocaleEnvironment environment("pl_PL.UTF-8", "de_DE.UTF-8", "ru_RU.UTF-8");
    EXPECT_EQ(OemCodePageFromEnvironment(), "CP852");
  }
  {
    const LocaleEnvironment environment(nullptr, nullptr, nullptr);
    EXPECT_EQ(OemCodePageFromEnvironment(), "CP437");
  }
}

TEST(MemberName, Encoding) {
  struct Case {
    const char* legend;
    std::string name;  // UTF-8
    std::string code_page;
    StoredName stored;
  };
  // Code page bytes from the code page tables: CP866 has р..я at E0..EF and а..п at A0..AF, so
  // "трек" is E2 E0 A5 AA; "ß" is E1 in CP850 and CP437; "é" is 82 in CP437.
  const std::vector<Case> cases = {
      {"ASCII stays", "track.kml", "CP866", {"track.kml", false}},
      {"ASCII stays whatever the code page",
       "8421504.png",
       "NO-SUCH-CODE-PAGE",
       {"8421504.png", false}},
      {"Cyrillic to CP866", "трек.kml", "CP866", {"\xE2\xE0\xA5\xAA.kml", false}},
      {"German to CP850",
       "Straße.kml",
       "CP850",
       {"Stra\xE1"
        "e.kml",
        false}},
      {"French to CP437", "café.kml", "CP437", {"caf\x82.kml", false}},
      {"Cyrillic that CP850 lacks stays UTF-8", "трек.kml", "CP850", {"трек.kml", true}},
      {"Japanese stays UTF-8", "日本.kml", "CP866", {"日本.kml", true}},
      {"a code page iconv lacks keeps UTF-8", "café.kml", "NO-SUCH-CODE-PAGE", {"café.kml", true}},
      {"bytes that are not UTF-8 stay as they are",
       "\xFF\xFE.kml",
       "CP437",
       {"\xFF\xFE.kml", false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.legend);
    const StoredName stored = EncodeMemberName(c.name, c.code_page);
    EXPECT_EQ(stored.bytes, c.stored.bytes);
    EXPECT_EQ(stored.utf8, c.stored.utf8);
  }
}

}  // namespace
}  // namespace trackmint
