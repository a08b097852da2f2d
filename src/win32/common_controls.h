// The common controls 6 (comctl32 from the side-by-side store): the look of edit boxes, check
// boxes, tooltips, message boxes and input boxes, and the subclassing of edit boxes. They are
// loaded when first needed rather than at start: the main window's buttons draw themselves and
// its labels are plain windows, so it shows without them.
#pragma once

#include "win32/ui_api.h"

namespace orlimo::win32 {

// While one lives, the windows made on this thread are those of the common controls 6. The
// first one loads comctl32 through the program's common controls manifest; should that fail,
// windows are made as they would be without it.
class CommonControlsScope {
 public:
  CommonControlsScope();
  ~CommonControlsScope();
  CommonControlsScope(const CommonControlsScope&) = delete;
  CommonControlsScope& operator=(const CommonControlsScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// comctl32's subclassing of a window (loading comctl32 when no scope has yet); false when
// comctl32 cannot be had.
bool SetSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
void RemoveSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
// The next procedure of a subclassed window.
LRESULT DefSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orlimo::win32
