// Dots per inch and twips: 1440 twips are one inch, scaled with the DPI of the window's monitor.
// The per-monitor calls are looked up at run time, so the program still starts where they are
// missing (it then uses the DPI of the whole system).
#pragma once

#include "win32/ui_api.h"

namespace orlimo::win32 {

inline int TwipsToPixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}
inline int PixelsToTwips(int pixels, UINT dpi) {
  return MulDiv(pixels, 1440, static_cast<int>(dpi));
}

// Declares the process aware of the DPI of each monitor (version 2) where Windows offers it.
void DeclarePerMonitorDpiAwareness();
UINT SystemDpi();
UINT WindowDpi(HWND window);
// The outer rectangle of a window whose client area is the given one.
void AdjustForFrame(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace orlimo::win32
