#include "windows_of.h"

#include <vector>

#include "driver_support.h"
#include "figures.h"

namespace orlimo::winbench {
namespace {

using drivers::ChildrenOf;
using drivers::TopLevelWindowsOf;

bool HasClass(HWND hwnd, const wchar_t* className) {
  wchar_t buffer[64] = {};
  GetClassNameW(hwnd, buffer, 64);
  return _wcsicmp(buffer, className) == 0;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  // Not SMTO_ABORTIFHUNG: right after a long handler the program's thread counts as hung until it
  // asks for its next message, and the answer would be lost.
  SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, 30000, &result);
  return static_cast<LRESULT>(result);
}

}  // namespace

std::wstring TextOf(HWND hwnd) {
  wchar_t buffer[512] = {};
  Send(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::size_t TextLength(HWND hwnd) {
  return static_cast<std::size_t>(Send(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

HWND VisibleWindowTitled(DWORD process, const std::wstring& title) {
  for (HWND window : TopLevelWindowsOf({process})) {
    if (IsWindowVisible(window) && TextOf(window).compare(0, title.size(), title) == 0) {
      return window;
    }
  }
  return nullptr;
}

HWND VisibleControl(DWORD process, const wchar_t* className, const std::wstring& text) {
  for (HWND window : TopLevelWindowsOf({process})) {
    if (!IsWindowVisible(window)) continue;
    for (HWND child : ChildrenOf(window)) {
      if (HasClass(child, className) && IsWindowVisible(child) && TextOf(child) == text) {
        return child;
      }
    }
  }
  return nullptr;
}

HWND LongestVisibleEdit(DWORD process) {
  HWND longest = nullptr;
  LRESULT most = -1;
  for (HWND window : TopLevelWindowsOf({process})) {
    for (HWND child : ChildrenOf(window)) {
      if (!HasClass(child, L"Edit") || !IsWindowVisible(child)) continue;
      auto length = static_cast<LRESULT>(TextLength(child));
      if (length > most) longest = child, most = length;
    }
  }
  return longest;
}

HWND FirstEdit(HWND window) {
  for (HWND child : ChildrenOf(window)) {
    if (HasClass(child, L"Edit") && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

HWND WaitFor(double timeout, const std::function<HWND()>& find) {
  double start = Now();
  do {
    if (HWND found = find()) return found;
    Sleep(10);
  } while (Now() - start < timeout);
  return nullptr;
}

}  // namespace orlimo::winbench
