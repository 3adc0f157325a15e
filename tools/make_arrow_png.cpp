// Writes the arrow image that the program carries (resources/arrow.png): a 48 x 48 RGBA arrow
// pointing up, whose alpha channel is the anti-aliased outline below. The icons take only that
// alpha channel and the white frame from it; the green shading is for anyone who looks at the
// file itself.
//
// Usage: make_arrow_png OUTPUT.png

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <png.h>
#include <zlib.h>

namespace {

constexpr int kSize = 48;
constexpr int kChannels = 4;

// One run of rows of the outline: the columns from first_x to last_x are covered, at alpha 255
// except where the edge list ("x:alpha ...") says otherwise; everything else is transparent.
struct OutlineRows {
  int first_y;
  int last_y;
  int first_x;
  int last_x;
  const char* edge;
};

constexpr OutlineRows kOutline[] = {
    {1, 1, 22, 26, "22:63 23:159 24:191 25:127 26:15"},
    {2, 2, 21, 27, "21:95 26:239 27:47"},
    {3, 3, 20, 28, "20:95 27:239 28:31"},
    {4, 4, 19, 29, "19:63 28:207 29:15"},
    {5, 5, 18, 29, "18:47 19:239 29:175"},
    {6, 6, 17, 30, "17:31 18:239 30:159"},
    {7, 7, 16, 31, "16:15 17:207 31:95"},
    {8, 8, 16, 32, "16:207 32:79"},
    {9, 9, 15, 33, "15:159 32:239 33:47"},
    {10, 10, 14, 34, "14:159 33:239 34:31"},
    {11, 11, 13, 35, "13:95 34:207 35:15"},
    {12, 12, 12, 35, "12:95 35:191"},
    {13, 13, 11, 36, "11:47 36:159"},
    {14, 14, 10, 37, "10:47 11:239 37:127"},
    {15, 15, 9, 38, "9:15 10:239 38:95"},
    {16, 16, 8, 39, "8:15 9:207 39:63"},
    {17, 17, 8, 40, "8:207 39:239 40:47"},
    {18, 18, 7, 41, "7:159 40:239 41:15"},
    {19, 19, 6, 42, "6:159 41:207 42:15"},
    {20, 20, 5, 42, "5:95 42:207"},
    {21, 21, 5, 43, "5:239 43:95"},
    {22, 22, 5, 43, "43:127"},
    {23, 23, 5, 43, "5:159 42:239 43:47"},
    {24, 24, 6, 41,
     "6:31 7:63 8:63 9:63 10:63 11:63 12:63 13:63 14:111 33:159 34:63 35:63 36:63 37:63 38:63 "
     "39:63 40:63 41:63"},
    {25, 43, 14, 33, "14:63 33:127"},
    {44, 44, 14, 33, "14:47 33:95"},
    {45, 45, 15, 33, "15:223 32:239 33:15"},
    {46, 46, 15, 32, "15:47 16:191 31:223 32:47"},
};

bool InFrame(int x, int y) {
  return y == 0 || y == kSize - 1 || x <= 4 || x >= kSize - 4;
}

std::vector<unsigned char> AlphaChannel() {
  std::vector<unsigned char> alpha(kSize * kSize, 0);
  for (const OutlineRows& rows : kOutline) {
    for (int y = rows.first_y; y <= rows.last_y; ++y) {
      for (int x = rows.first_x; x <= rows.last_x; ++x) alpha[y * kSize + x] = 255;
      std::istringstream edge(rows.edge);
      int x = 0;
      char colon = 0;
      int value = 0;
      while (edge >> x >> colon >> value) alpha[y * kSize + x] = static_cast<unsigned char>(value);
    }
  }
  return alpha;
}

// Green, lighter toward the tip (row 1) than at the foot (row 46).
void Shade(int y, unsigned char* pixel) {
  constexpr int kTip[3] = {180, 215, 140};
  constexpr int kFoot[3] = {85, 125, 15};
  for (int c = 0; c < 3; ++c) {
    pixel[c] = static_cast<unsigned char>(kTip[c] + (kFoot[c] - kTip[c]) * (y - 1) / 45);
  }
}

std::vector<unsigned char> Pixels() {
  const std::vector<unsigned char> alpha = AlphaChannel();
  std::vector<unsigned char> pixels(kSize * kSize * kChannels, 0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      unsigned char* pixel = &pixels[(y * kSize + x) * kChannels];
      const unsigned char a = alpha[y * kSize + x];
      if (InFrame(x, y)) {
        pixel[0] = pixel[1] = pixel[2] = 255;
      } else if (a != 0) {
        Shade(y, pixel);
      }
      pixel[3] = a;
    }
  }
  return pixels;
}

void PutBig32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<unsigned char>(value >> 24);
  out[at + 1] = static_cast<unsigned char>(value >> 16);
  out[at + 2] = static_cast<unsigned char>(value >> 8);
  out[at + 3] = static_cast<unsigned char>(value);
}

void AppendBig32(std::vector<unsigned char>& out, std::uint32_t value) {
  out.resize(out.size() + 4);
  PutBig32(out, out.size() - 4, value);
}

void AppendText(std::vector<unsigned char>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

void PadToFour(std::vector<unsigned char>& out) {
  while (out.size() % 4 != 0) out.push_back(0);
}

std::uint32_t S15Fixed16(double value) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value * 65536.0 + 0.5));
}

// A small version 2 display profile with the sRGB primaries (adapted to D50) and gamma 2.2
// curves: enough for a viewer to know what the green means.
std::vector<unsigned char> IccProfile() {
  struct Tag {
    const char* signature;
    std::vector<unsigned char> data;
  };
  auto xyz = [](double x, double y, double z) {
    std::vector<unsigned char> data;
    AppendText(data, "XYZ ");
    AppendBig32(data, 0);
    AppendBig32(data, S15Fixed16(x));
    AppendBig32(data, S15Fixed16(y));
    AppendBig32(data, S15Fixed16(z));
    return data;
  };
  std::vector<unsigned char> description;
  const std::string name = "Trackmint arrow";
  AppendText(description, "desc");
  AppendBig32(description, 0);
  AppendBig32(description, static_cast<std::uint32_t>(name.size() + 1));
  AppendText(description, name);
  description.push_back(0);
  AppendBig32(description, 0);                       // Unicode language
  AppendBig32(description, 0);                       // Unicode count
  description.insert(description.end(), 3 + 67, 0);  // ScriptCode code, count, text
  std::vector<unsigned char> copyright;
  AppendText(copyright, "text");
  AppendBig32(copyright, 0);
  AppendText(copyright, "No copyright, use freely");
  copyright.push_back(0);
  std::vector<unsigned char> curve;
  AppendText(curve, "curv");
  AppendBig32(curve, 0);
  AppendBig32(curve, 1);
  curve.push_back(0x02);  // gamma 2.2 as u8Fixed8: 0x0233
  curve.push_back(0x33);

  const std::vector<Tag> tags = {
      {"desc", description},
      {"cprt", copyright},
      {"wtpt", xyz(0.9642, 1.0, 0.8249)},
      {"rXYZ", xyz(0.4361, 0.2225, 0.0139)},
      {"gXYZ", xyz(0.3851, 0.7169, 0.0971)},
      {"bXYZ", xyz(0.1431, 0.0606, 0.7141)},
      {"rTRC", curve},
      {"gTRC", curve},
      {"bTRC", curve},
  };

  std::vector<unsigned char> profile(128, 0);
  PutBig32(profile, 8, 0x02100000);  // version 2.1
  std::copy_n("mntrRGB XYZ ", 12, profile.begin() + 12);
  const unsigned date[6] = {2024, 1, 1, 0, 0, 0};
  for (int i = 0; i < 6; ++i) {
    profile[24 + 2 * i] = static_cast<unsigned char>(date[i] >> 8);
    profile[24 + 2 * i + 1] = static_cast<unsigned char>(date[i]);
  }
  std::copy_n("acsp", 4, profile.begin() + 36);
  PutBig32(profile, 68, 0x0000F6D6);  // D50, the profile connection space's illuminant
  PutBig32(profile, 72, 0x00010000);
  PutBig32(profile, 76, 0x0000D32D);

  AppendBig32(profile, static_cast<std::uint32_t>(tags.size()));
  const std::size_t table = profile.size();
  profile.resize(table + 12 * tags.size());
  std::size_t shared_curve_at = 0;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const bool is_curve = tags[i].data == curve;
    std::size_t at = profile.size();
    if (is_curve && shared_curve_at != 0) {
      at = shared_curve_at;
    } else {
      profile.insert(profile.end(), tags[i].data.begin(), tags[i].data.end());
      PadToFour(profile);
      if (is_curve) shared_curve_at = at;
    }
    std::copy_n(tags[i].signature, 4, profile.begin() + table + 12 * i);
    PutBig32(profile, table + 12 * i + 4, static_cast<std::uint32_t>(at));
    PutBig32(profile, table + 12 * i + 8, static_cast<std::uint32_t>(tags[i].data.size()));
  }
  PutBig32(profile, 0, static_cast<std::uint32_t>(profile.size()));
  return profile;
}

std::vector<unsigned char> PhysChunk() {
  std::vector<unsigned char> data;
  AppendBig32(data, 2835);  // 72 dots per inch
  AppendBig32(data, 2835);
  data.push_back(1);  // unit: metre
  return data;
}

std::vector<unsigned char> IccpChunk() {
  const std::vector<unsigned char> profile = IccProfile();
  uLongf size = compressBound(profile.size());
  std::vector<unsigned char> compressed(size);
  if (compress2(compressed.data(), &size, profile.data(), profile.size(), 9) != Z_OK) {
    std::fprintf(stderr, "make_arrow_png: cannot compress the colour profile\n");
    std::exit(1);
  }
  std::vector<unsigned char> data;
  AppendText(data, "Trackmint arrow");
  data.push_back(0);  // end of the name
  data.push_back(0);  // compression method: zlib
  data.insert(data.end(), compressed.begin(), compressed.begin() + static_cast<long>(size));
  return data;
}

std::vector<unsigned char> ChrmChunk() {
  std::vector<unsigned char> data;
  // White point and the red, green and blue primaries of sRGB, times 100000.
  for (std::uint32_t value : {31270u, 32900u, 64000u, 33000u, 30000u, 60000u, 15000u, 6000u}) {
    AppendBig32(data, value);
  }
  return data;
}

struct Chunk {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

void ReportError(png_structp png, png_const_charp message) {
  std::fprintf(stderr, "make_arrow_png: %s\n", message);
  png_longjmp(png, 1);
}

// libpng leaves by longjmp on an error, so this frame holds nothing that needs a destructor.
bool WritePng(png_structp png, png_infop info, std::FILE* file, png_bytepp rows,
              const Chunk* chunks, int chunk_count) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, kSize, kSize, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  // Written by hand after IHDR so that they stand in this order.
  for (int i = 0; i < chunk_count; ++i) {
    png_write_chunk(png, reinterpret_cast<png_const_bytep>(chunks[i].name), chunks[i].data,
                    chunks[i].size);
  }
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_arrow_png OUTPUT.png\n");
    return 2;
  }
  std::vector<unsigned char> pixels = Pixels();
  std::vector<png_bytep> rows(kSize);
  for (int y = 0; y < kSize; ++y) rows[y] = &pixels[y * kSize * kChannels];
  const std::vector<unsigned char> phys = PhysChunk();
  const std::vector<unsigned char> iccp = IccpChunk();
  const std::vector<unsigned char> chrm = ChrmChunk();
  const Chunk chunks[] = {{"pHYs", phys.data(), phys.size()},
                          {"iCCP", iccp.data(), iccp.size()},
                          {"cHRM", chrm.data(), chrm.size()}};

  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "make_arrow_png: cannot create %s\n", argv[1]);
    return 1;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ReportError, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const bool written = info != nullptr && WritePng(png, info, file, rows.data(), chunks, 3);
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "make_arrow_png: cannot write %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
