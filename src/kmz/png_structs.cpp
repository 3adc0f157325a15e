#include "kmz/png_structs.h"

#include <cstring>
#include <new>

namespace trackmint {
namespace {

[[noreturn]] void KeepErrorAndJump(png_structp png, png_const_charp message) {
  auto* error = static_cast<PngErrorText*>(png_get_error_ptr(png));
  if (error != nullptr) {
    std::strncpy(error->text.data(), message, error->text.size() - 1);
    error->text.back() = '\0';
  }
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

PngReadStructs::PngReadStructs() {
  m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &m_error, KeepErrorAndJump, IgnoreWarning);
  if (m_png != nullptr) m_info = png_create_info_struct(m_png);
  if (m_info == nullptr) {
    png_destroy_read_struct(&m_png, nullptr, nullptr);
    throw std::bad_alloc();
  }
}

PngReadStructs::~PngReadStructs() {
  png_destroy_read_struct(&m_png, &m_info, nullptr);
}

PngWriteStructs::PngWriteStructs() {
  m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &m_error, KeepErrorAndJump, IgnoreWarning);
  if (m_png != nullptr) m_info = png_create_info_struct(m_png);
  if (m_info == nullptr) {
    png_destroy_write_struct(&m_png, nullptr);
    throw std::bad_alloc();
  }
}

PngWriteStructs::~PngWriteStructs() {
  png_destroy_write_struct(&m_png, &m_info);
}

}  // namespace trackmint
