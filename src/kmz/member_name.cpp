#include "kmz/member_name.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace trackmint {
namespace {

struct LanguageCodePage {
  std::string_view language;
  std::string_view code_page;
};

constexpr std::array<LanguageCodePage, 30> kLanguageCodePages = {{
    {"ru", "CP866"}, {"uk", "CP866"}, {"be", "CP866"}, {"bg", "CP866"}, {"kk", "CP866"},
    {"pl", "CP852"}, {"cs", "CP852"}, {"sk", "CP852"}, {"hu", "CP852"}, {"sl", "CP852"},
    {"hr", "CP852"}, {"ro", "CP852"}, {"bs", "CP852"}, {"de", "CP850"}, {"fr", "CP850"},
    {"es", "CP850"}, {"it", "CP850"}, {"pt", "CP850"}, {"nl", "CP850"}, {"da", "CP850"},
    {"sv", "CP850"}, {"nb", "CP850"}, {"nn", "CP850"}, {"no", "CP850"}, {"fi", "CP850"},
    {"is", "CP850"}, {"ca", "CP850"}, {"eu", "CP850"}, {"gl", "CP850"}, {"ga", "CP850"},
}};

constexpr std::string_view kDefaultCodePage = "CP437";

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : m_handle(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (Valid()) iconv_close(m_handle);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

  // False when some character has no place in the target (or the input is not what it claims).
  bool Convert(std::string_view text, std::string& result) const {
    std::vector<char> input(text.begin(), text.end());
    std::vector<char> output(text.size() * 4 + 8);
    char* in = input.data();
    std::size_t in_left = input.size();
    char* out = output.data();
    std::size_t out_left = output.size();
    if (iconv(m_handle, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1)) {
      return false;
    }
    result.assign(output.data(), output.size() - out_left);
    return true;
  }

 private:
  iconv_t m_handle;
};

}  // namespace

std::string OemCodePageForLocale(std::string_view locale_name) {
  const std::string_view language = locale_name.substr(0, locale_name.find_first_of("_.@"));
  for (const LanguageCodePage& entry : kLanguageCodePages) {
    if (entry.language == language) return std::string(entry.code_page);
  }
  return std::string(kDefaultCodePage);
}

std::string OemCodePageFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return OemCodePageForLocale(value);
  }
  return std::string(kDefaultCodePage);
}

StoredName EncodeMemberName(std::string_view file_name, const std::string& code_page) {
  if (IsAscii(file_name)) return {std::string(file_name), false};
  std::string converted;
  const Converter to_code_page(code_page, "UTF-8");
  if (to_code_page.Valid() && to_code_page.Convert(file_name, converted)) {
    return {converted, false};
  }
  // Only real UTF-8 converts to UTF-32: other bytes are kept as they are, without the flag.
  std::string ignored;
  const Converter check("UTF-32LE", "UTF-8");
  const bool is_utf8 = check.Valid() && check.Convert(file_name, ignored);
  return {std::string(file_name), is_utf8};
}

}  // namespace trackmint
