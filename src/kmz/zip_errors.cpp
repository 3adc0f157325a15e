#include "kmz/zip_errors.h"

#include <cstdio>

namespace trackmint {
namespace {

std::string NativeErrorSuffix(int native_error) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%05d", native_error);
  return std::string(" - Native error: ") + digits;
}

}  // namespace

std::string ZipErrorText(const std::string& text, int native_error) {
  return std::string(kZipComponentName) + ": " + text + NativeErrorSuffix(native_error);
}

std::string DiskFullText() {
  return "Disk is full. There is not enough free space on disk." +
         NativeErrorSuffix(kNativeDiskFull);
}

std::string BlankFileNameText() {
  return ZipErrorText("File name is blank. Specify appropriate file name", kNativeBlankFileName);
}

std::string CannotOpenFileText(const std::string& path) {
  return ZipErrorText("Cannot open file \"" + path + "\"", kNativeCannotOpenFile);
}

std::string Zip64Text(const std::string& path, int native_error) {
  return ZipErrorText("Cannot compress file '" + path + "'. Zip64 mode is not enabled",
                      native_error);
}

std::string MemberErrorQuestion(const std::string& error_text) {
  return error_text + ". File processing error, possibly disk is full";
}

}  // namespace trackmint
