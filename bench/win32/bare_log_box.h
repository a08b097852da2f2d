// The baseline of the log viewer: a multi-line edit box of the probe's own, styled like the
// console's log box, filled from the file with the bare calls (read, decode, one WM_SETTEXT)
// and written back with the bare calls (WM_GETTEXT, encode, durable replace).
#pragma once

#include <string>

#include "win32/windows_api.h"

namespace orlimo::winbench {

class BareLogBox {
 public:
  BareLogBox();
  ~BareLogBox();
  BareLogBox(BareLogBox&&) = delete;  // one window: neither copied nor moved

  struct Showing {
    double readDecode = 0;  // seconds reading the file and decoding it
    double setText = 0;     // ... putting the text into the empty box (one WM_SETTEXT)
    double paint = 0;       // ... painting the box
    double Total() const { return readDecode + setText + paint; }
  };
  Showing Show(const std::wstring& path);
  // The seconds it took.
  double WriteBack(const std::wstring& path);

 private:
  HWND window_ = nullptr;
  HWND box_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace orlimo::winbench
