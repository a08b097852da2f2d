// Finding the windows and controls of another process by their text, and acting on them the way
// a user would: a click on a button, keys typed into an edit field.
#pragma once

#include <functional>
#include <string>

#include "win32/windows_api.h"

namespace orlimo::winbench {

std::wstring TextOf(HWND hwnd);
// The length of the window's text, asked of the window itself (GetWindowTextLength gives 0 for
// another process's edit field under Wine).
std::size_t TextLength(HWND hwnd);

// A visible top-level window of the process whose title starts with <title>, or null.
HWND VisibleWindowTitled(DWORD process, const std::wstring& title);
// A visible child window of class <className> (Button, Edit ...) of any top-level window of the
// process, whose text is <text>, or null.
HWND VisibleControl(DWORD process, const wchar_t* className, const std::wstring& text);
// The visible edit field of the process holding the longest text, or null.
HWND LongestVisibleEdit(DWORD process);
// The first visible edit field of the window, or null.
HWND FirstEdit(HWND window);

// Asks <find> every 10 ms until it finds a window or <timeout> seconds have passed.
HWND WaitFor(double timeout, const std::function<HWND()>& find);

}  // namespace orlimo::winbench
