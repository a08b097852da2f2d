#include "windows_of.h"

#include <vector>

#include "driver_support.h"
#include "figures.h"

namespace orlimo::winbench {
namespace {

using drivers::ChildrenOf;
using drivers::HasClass;
using drivers::TopLevelWindowsOf;

}  // namespace

std::size_t TextLength(HWND hwnd) {
  DWORD_PTR length = 0;
  // Patiently, as drivers::Wait::Patiently says why.
  SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 30000, &length);
  return static_cast<std::size_t>(length);
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

HWND WaitFor(double timeout, const std::function<HWND()>& find) {
  double start = Now();
  do {
    if (HWND found = find()) return found;
    Sleep(10);
  } while (Now() - start < timeout);
  return nullptr;
}

}  // namespace orlimo::winbench
