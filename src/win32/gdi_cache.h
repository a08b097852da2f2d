// The fonts, brushes and button pictures the renderer draws with, made once and kept.
#pragma once

#include <map>
#include <tuple>

#include "forms/types.h"
#include "win32/ui_api.h"

namespace orlimo::win32 {

// A colour of a form or control as Windows draws it (system colours looked up now).
COLORREF ColorRefOf(forms::Color color);

class GdiCache {
 public:
  explicit GdiCache(HINSTANCE instance) : instance_(instance) {}
  ~GdiCache();
  GdiCache(const GdiCache&) = delete;
  GdiCache& operator=(const GdiCache&) = delete;

  // The font of the face, size and weight at a DPI: its height is the size in points scaled by
  // the DPI (a character height, as points are measured).
  HFONT Font(const forms::Font& font, UINT dpi);
  // A solid brush; system colours give the system's own brush.
  HBRUSH Brush(forms::Color color);
  // The bitmap of a button picture, nullptr for none.
  HBITMAP Picture(forms::Picture picture);

 private:
  HINSTANCE instance_;
  std::map<std::tuple<Text, double, bool, UINT>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<forms::Picture, HBITMAP> pictures_;
};

}  // namespace orlimo::win32
