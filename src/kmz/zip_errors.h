#pragma once

#include <string>

#include "base/trackmint_error.h"

namespace trackmint {

// The archive writer's own error texts: "<component>: <text> - Native error: <five digits>".
inline constexpr const char* kZipComponentName = "TrackmintZip";

inline constexpr int kNativeBlankFileName = 10;
inline constexpr int kNativeCannotOpenFile = 33;
inline constexpr int kNativeMemberTooLarge = 41;
inline constexpr int kNativeArchiveTooLarge = 43;
inline constexpr int kNativeDiskFull = 65;

std::string ZipErrorText(const std::string& text, int native_error);
// The disk-full text stands without the component name.
std::string DiskFullText();
std::string BlankFileNameText();
std::string CannotOpenFileText(const std::string& path);
std::string Zip64Text(const std::string& path, int native_error);

// The question put to the user about a member that cannot be packed.
std::string MemberErrorQuestion(const std::string& error_text);

// A member that could not be packed, but that the user may retry or leave out: its file cannot
// be opened, or the disk filled up while its data were written. Outside the packing of a member
// it is an error like any other.
class MemberError : public TrackmintError {
 public:
  using TrackmintError::TrackmintError;
};

}  // namespace trackmint
