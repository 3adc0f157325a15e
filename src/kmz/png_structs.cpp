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

PngStructs::PngStructs(Use use) : m_use(use) {
  m_png = m_use == Use::Read ? png_create_read_struct(PNG_LIBPNG_VER_STRING, &m_error,
                                                      KeepErrorAndJump, IgnoreWarning)
                             : png_create_write_struct(PNG_LIBPNG_VER_STRING, &m_error,
                                                       KeepErrorAndJump, IgnoreWarning);
  if (m_png != nullptr) m_info = png_create_info_struct(m_png);
  if (m_info == nullptr) {
    Destroy();
    throw std::bad_alloc();
  }
}

PngStructs::~PngStructs() {
  Destroy();
}

// Either struct may be missing; libpng's destroy functions take null ones.
void PngStructs::Destroy() {
  if (m_use == Use::Read) {
    png_destroy_read_struct(&m_png, &m_info, nullptr);
  } else {
    png_destroy_write_struct(&m_png, &m_info);
  }
}

}  // namespace trackmint
