#pragma once

#include <array>
#include <string>

#include <png.h>

namespace trackmint {

// libpng reports an error by calling an error function that must not return. Ours keeps the
// text here and longjmps to the setjmp of the function that made the libpng calls. Such a
// function holds nothing with a destructor, so the jump skips none; its caller owns the libpng
// structs (below) and turns the failure into a TrackmintError. Warnings are dropped: the core
// never prints.
struct PngErrorText {
  std::array<char, 256> text{};
};

// A libpng read struct with its info struct, destroyed with the object.
class PngReadStructs {
 public:
  PngReadStructs();
  ~PngReadStructs();
  PngReadStructs(const PngReadStructs&) = delete;
  PngReadStructs& operator=(const PngReadStructs&) = delete;

  png_structp Png() const { return m_png; }
  png_infop Info() const { return m_info; }
  std::string ErrorText() const { return m_error.text.data(); }

 private:
  PngErrorText m_error;
  png_structp m_png = nullptr;
  png_infop m_info = nullptr;
};

// The same for writing.
class PngWriteStructs {
 public:
  PngWriteStructs();
  ~PngWriteStructs();
  PngWriteStructs(const PngWriteStructs&) = delete;
  PngWriteStructs& operator=(const PngWriteStructs&) = delete;

  png_structp Png() const { return m_png; }
  png_infop Info() const { return m_info; }
  std::string ErrorText() const { return m_error.text.data(); }

 private:
  PngErrorText m_error;
  png_structp m_png = nullptr;
  png_infop m_info = nullptr;
};

}  // namespace trackmint
