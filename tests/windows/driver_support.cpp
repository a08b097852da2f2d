#include "driver_support.h"

#include <algorithm>
#include <cstdio>

namespace orlimo::drivers {
namespace {

BOOL CALLBACK Collect(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3, '\0');  // at most 3 bytes a UTF-16 unit
  out.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processes) {
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  std::erase_if(windows, [&](HWND hwnd) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    return std::find(processes.begin(), processes.end(), process) == processes.end();
  });
  return windows;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::wstring TextOf(HWND hwnd, Wait wait) {
  wchar_t buffer[1024] = {};
  const bool patiently = wait == Wait::Patiently;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                      patiently ? SMTO_NORMAL : SMTO_ABORTIFHUNG, patiently ? 30000 : 2000,
                      nullptr);
  return buffer;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

bool HasClass(HWND hwnd, const wchar_t* className) {
  return _wcsicmp(ClassOf(hwnd).c_str(), className) == 0;
}

std::vector<HWND> VisibleWindowsTitled(const std::vector<DWORD>& processes,
                                       const std::wstring& title, Wait wait) {
  std::vector<HWND> windows = TopLevelWindowsOf(processes);
  std::erase_if(windows, [&](HWND window) {
    return !IsWindowVisible(window) || !TextOf(window, wait).starts_with(title);
  });
  return windows;
}

HWND VisibleControl(const std::vector<DWORD>& processes, const wchar_t* className,
                    const std::wstring& text, Wait wait) {
  for (HWND window : TopLevelWindowsOf(processes)) {
    for (HWND child : ChildrenOf(window)) {
      // A child is visible only while its window is.
      if (HasClass(child, className) && IsWindowVisible(child) && TextOf(child, wait) == text) {
        return child;
      }
    }
  }
  return nullptr;
}

HWND FirstEdit(HWND window) {
  for (HWND child : ChildrenOf(window)) {
    if (HasClass(child, L"Edit") && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

void PostClick(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void PostType(HWND edit, const std::wstring& text) {
  for (wchar_t character : text) {
    if (character == L'\r') {  // the Enter key itself, for the dialog manager too
      PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
      PostMessageW(edit, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001u));
    } else {
      PostMessageW(edit, WM_CHAR, character, 1);
    }
  }
}

}  // namespace orlimo::drivers
