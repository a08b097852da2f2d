// Value types of window and control properties.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace orlimo::forms {

// A colour as 0x00BBGGRR, or a system colour with the top bit set and its index below.
using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
         (static_cast<Color>(blue) << 16);
}
constexpr Color SystemColor(int index) {
  return 0x80000000u | static_cast<Color>(index);
}
constexpr bool IsSystemColor(Color color) {
  return (color & 0x80000000u) != 0;
}
constexpr int SystemColorIndex(Color color) {
  return static_cast<int>(color & 0xFFu);
}

inline constexpr Color kButtonFace = SystemColor(15);  // COLOR_BTNFACE
inline constexpr Color kButtonText = SystemColor(18);  // COLOR_BTNTEXT
inline constexpr Color kWindowBackground = SystemColor(5);
inline constexpr Color kWindowText = SystemColor(8);
inline constexpr Color kRed = Rgb(255, 0, 0);
inline constexpr Color kGreen = Rgb(0, 255, 0);
inline constexpr Color kWhite = Rgb(255, 255, 255);

struct Font {
  Text face = u"굴림";
  double points = 9;
  bool bold = false;
  bool operator==(const Font&) const = default;
};

// Position and size in twips (1/1440 inch).
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

// Pictures drawn on buttons; the renderer maps them to its own images.
enum class Picture { None, Key, User, Hide };

}  // namespace orlimo::forms
