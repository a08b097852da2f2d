// What the Windows test drivers and the benchmark probe share: UTF-8 output, and the windows of
// other processes: finding them, clicking their buttons and typing into their fields.
#pragma once

#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace orlimo::drivers {

// UTF-8 text to standard output, one line.
void Print(const std::string& line);
std::string Utf8(const std::wstring& text);

// The top-level windows of the processes, and the child windows of one window.
std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processes);
std::vector<HWND> ChildrenOf(HWND parent);

// Posts the button's click to its window, as a press would (returns at once).
void PostClick(HWND button);
// Posts the characters to the edit field; "\r" is the Enter key.
void PostType(HWND edit, const std::wstring& text);

}  // namespace orlimo::drivers
