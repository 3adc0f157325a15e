#pragma once

#include <array>
#include <utility>
#include <vector>

namespace trackmint::testing {

// The arrow's alpha channel, transcribed from the design table row by row: the covered columns
// of each run of rows, and the edge pixels whose alpha is not 255.
struct AlphaRows {
  int first_y;
  int last_y;
  int first_x;
  int last_x;
  std::vector<std::pair<int, int>> edge;  // (x, alpha)
};

inline const std::vector<AlphaRows>& ArrowAlphaRows() {
  static const std::vector<AlphaRows> rows = {
      {1, 1, 22, 26, {{22, 63}, {23, 159}, {24, 191}, {25, 127}, {26, 15}}},
      {2, 2, 21, 27, {{21, 95}, {26, 239}, {27, 47}}},
      {3, 3, 20, 28, {{20, 95}, {27, 239}, {28, 31}}},
      {4, 4, 19, 29, {{19, 63}, {28, 207}, {29, 15}}},
      {5, 5, 18, 29, {{18, 47}, {19, 239}, {29, 175}}},
      {6, 6, 17, 30, {{17, 31}, {18, 239}, {30, 159}}},
      {7, 7, 16, 31, {{16, 15}, {17, 207}, {31, 95}}},
      {8, 8, 16, 32, {{16, 207}, {32, 79}}},
      {9, 9, 15, 33, {{15, 159}, {32, 239}, {33, 47}}},
      {10, 10, 14, 34, {{14, 159}, {33, 239}, {34, 31}}},
      {11, 11, 13, 35, {{13, 95}, {34, 207}, {35, 15}}},
      {12, 12, 12, 35, {{12, 95}, {35, 191}}},
      {13, 13, 11, 36, {{11, 47}, {36, 159}}},
      {14, 14, 10, 37, {{10, 47}, {11, 239}, {37, 127}}},
      {15, 15, 9, 38, {{9, 15}, {10, 239}, {38, 95}}},
      {16, 16, 8, 39, {{8, 15}, {9, 207}, {39, 63}}},
      {17, 17, 8, 40, {{8, 207}, {39, 239}, {40, 47}}},
      {18, 18, 7, 41, {{7, 159}, {40, 239}, {41, 15}}},
      {19, 19, 6, 42, {{6, 159}, {41, 207}, {42, 15}}},
      {20, 20, 5, 42, {{5, 95}, {42, 207}}},
      {21, 21, 5, 43, {{5, 239}, {43, 95}}},
      {22, 22, 5, 43, {{43, 127}}},
      {23, 23, 5, 43, {{5, 159}, {42, 239}, {43, 47}}},
      {24,
       24,
       6,
       41,
       {{6, 31},
        {7, 63},
        {8, 63},
        {9, 63},
        {10, 63},
        {11, 63},
        {12, 63},
        {13, 63},
        {14, 111},
        {33, 159},
        {34, 63},
        {35, 63},
        {36, 63},
        {37, 63},
        {38, 63},
        {39, 63},
        {40, 63},
        {41, 63}}},
      {25, 43, 14, 33, {{14, 63}, {33, 127}}},
      {44, 44, 14, 33, {{14, 47}, {33, 95}}},
      {45, 45, 15, 33, {{15, 223}, {32, 239}, {33, 15}}},
      {46, 46, 15, 32, {{15, 47}, {16, 191}, {31, 223}, {32, 47}}},
  };
  return rows;
}

// alpha[y][x]; rows 0 and 47 and everything outside the runs are 0.
inline std::array<std::array<int, 48>, 48> ArrowAlpha() {
  std::array<std::array<int, 48>, 48> alpha{};
  for (const AlphaRows& rows : ArrowAlphaRows()) {
    for (int y = rows.first_y; y <= rows.last_y; ++y) {
      for (int x = rows.first_x; x <= rows.last_x; ++x) alpha[y][x] = 255;
      for (const auto& [x, value] : rows.edge) alpha[y][x] = value;
    }
  }
  return alpha;
}

// Rows 0 and 47, columns 0 to 4 and 44 to 47.
inline bool InArrowFrame(int x, int y) {
  return y == 0 || y == 47 || x <= 4 || x >= 44;
}

}  // namespace trackmint::testing
