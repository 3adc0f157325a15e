#pragma once

#include <clocale>
#include <string>

namespace trackmint::testing {

// The locale whose decimal separator is ",", under which the number writers and readers must
// still use ".". scripts/install-deps.sh generates it; where it cannot (no root and no sudo) the
// tests that need it are skipped with kCommaLocaleMissing.
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
inline constexpr const char* kCommaLocaleMissing =
    "the comma locale de_DE.UTF-8 is not installed here, so this test cannot run; "
    "scripts/install-deps.sh generates it when it runs as root or through sudo";

// Switches one locale category (LC_ALL, LC_NUMERIC) for the length of a test and puts the old
// locale back when the object goes. Active() says whether the new one was there to switch to.
class ScopedLocale {
 public:
  ScopedLocale(int category, const char* name) : m_category(category) {
    const char* previous = std::setlocale(category, nullptr);
    m_previous = previous != nullptr ? previous : "C";
    m_active = std::setlocale(category, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(m_category, m_previous.c_str()); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

  bool Active() const { return m_active; }

 private:
  int m_category;
  std::string m_previous;
  bool m_active = false;
};

}  // namespace trackmint::testing
