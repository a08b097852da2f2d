#include "driver_support.h"

#include <algorithm>

namespace orlimo::drivers {

void Print(const std::string& line) {
  std::string out = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processes) {
  struct Search {
    const std::vector<DWORD>* processes;
    std::vector<HWND> found;
  } search{&processes, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        if (std::find(s->processes->begin(), s->processes->end(), process) != s->processes->end()) {
          s->found.push_back(hwnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM data) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

std::wstring TextOf(HWND hwnd, Wait wait) {
  wchar_t buffer[1024] = {};
  DWORD_PTR copied = 0;
  const bool patiently = wait == Wait::Patiently;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                      patiently ? SMTO_NORMAL : SMTO_ABORTIFHUNG, patiently ? 30000 : 2000,
                      &copied);
  return std::wstring(buffer);
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
  std::vector<HWND> found;
  for (HWND window : TopLevelWindowsOf(processes)) {
    if (IsWindowVisible(window) && TextOf(window, wait).compare(0, title.size(), title) == 0) {
      found.push_back(window);
    }
  }
  return found;
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
