#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "app/trackmint_version.h"

namespace trackmint {

inline constexpr const char* kApplicationTitle = "Kelvra Trackmint";

namespace detail {

// The caption's characters with the closing '\0', joined when the program is compiled.
inline constexpr auto kWindowCaptionText = [] {
  constexpr std::string_view kBefore = "Kelvra Trackmint  v ";
  std::array<char, kBefore.size() + kVersion.size() + 1> text{};
  std::size_t end = 0;
  for (const char c : kBefore) text[end++] = c;
  for (const char c : kVersion) text[end++] = c;
  return text;
}();

}  // namespace detail

// "Kelvra Trackmint  v 1.4" for version 1.4: the window's caption and what --version prints.
inline constexpr const char* kWindowCaption = detail::kWindowCaptionText.data();

// The text the error display shows for an error's message: a message whose last character sorts
// after "." (a letter or a digit does) gets a closing ".".
std::string ErrorDisplayText(std::string message);

}  // namespace trackmint
