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

// A libpng read or write struct with its info struct, destroyed with the object.
class PngStructs {
 public:
  enum class Use { Read, Write };

  explicit PngStructs(Use use);
  ~PngStructs();
  PngStructs(const PngStructs&) = delete;
  PngStructs& operator=(const PngStructs&) = delete;

  png_structp Png() const { return m_png; }
  png_infop Info() const { return m_info; }
  std::string ErrorText() const { return m_error.text.data(); }

 private:
  void Destroy();

  Use m_use;
  PngErrorText m_error;
  png_structp m_png = nullptr;
  png_infop m_info = nullptr;
};

}  // namespace trackmint
