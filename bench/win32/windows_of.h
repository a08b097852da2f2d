// The log box of another process: finding its longest edit field and reading its length, and
// waiting for a window to show (the finding by text is the drivers' own, driver_support.h).
#pragma once

#include <functional>
#include <string>

#include "win32/windows_api.h"

namespace orlimo::winbench {

// The length of the window's text, asked of the window itself (GetWindowTextLength gives 0 for
// another process's edit field under Wine).
std::size_t TextLength(HWND hwnd);

// The visible edit field of the process holding the longest text, or null.
HWND LongestVisibleEdit(DWORD process);

// Asks <find> every 10 ms until it finds a window or <timeout> seconds have passed.
HWND WaitFor(double timeout, const std::function<HWND()>& find);

}  // namespace orlimo::winbench
