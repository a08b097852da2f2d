// Reads what the windows of a running program show, and acts on them, for the tests under Wine.
//   list <exe>                every top-level window of the processes named <exe> and its child
//                             windows, one UTF-8 line each: id, class, state, place, the colours on
//                             screen (background, and the main other one: the text) and the text
//   count <exe>               the number of processes named <exe>
//   close|formclick <exe> <title>  closes, or clicks inside, its windows titled <title>...
//   click <exe> <text>        clicks the button whose text is <text>
//   type <exe> <title> <text> types <text> (a carriage return: Enter) into its first edit field
//   foreground                the foreground window's title and the class of the focused control
// Exit code 0 when something was found, 1 otherwise.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "driver_support.h"
#include <tlhelp32.h>

namespace {

using namespace orlimo::drivers;

std::vector<DWORD> ProcessesNamed(const std::wstring& exe) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

// The screen as it is shown now, read once, as 0xRRGGBB pixels.
class ScreenPixels {
 public:
  ScreenPixels()
      : left_(GetSystemMetrics(SM_XVIRTUALSCREEN)),
        top_(GetSystemMetrics(SM_YVIRTUALSCREEN)),
        width_(GetSystemMetrics(SM_CXVIRTUALSCREEN)),
        height_(GetSystemMetrics(SM_CYVIRTUALSCREEN)),
        pixels_(static_cast<std::size_t>(width_) * height_) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width_, height_);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, left_, top_, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, height_, pixels_.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  // " back=<most frequent colour> fore=<most frequent one clearly different from it>" of the
  // rectangle, in hex ("-" for none).
  std::string Colours(RECT rect) const {
    std::map<DWORD, int> counts;
    for (int y = std::max(rect.top - top_, 0L); y < std::min(rect.bottom - top_, long{height_});
         ++y) {
      for (int x = std::max(rect.left - left_, 0L); x < std::min(rect.right - left_, long{width_});
           ++x) {
        ++counts[pixels_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF];
      }
    }
    auto mostFrequent = [&](auto accepted) {
      long best = -1;
      int most = 0;
      for (auto [colour, count] : counts) {
        if (accepted(colour) && count > most) best = static_cast<long>(colour), most = count;
      }
      return best;
    };
    const long back = mostFrequent([](DWORD) { return true; });
    const long fore = mostFrequent([&](DWORD colour) {
      int distance = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        distance += std::abs(static_cast<int>((colour >> shift) & 0xFF) -
                             static_cast<int>((static_cast<DWORD>(back) >> shift) & 0xFF));
      }
      return back >= 0 && distance > 96;
    });
    return " back=" + Hex(back) + " fore=" + Hex(fore);
  }

 private:
  static std::string Hex(long colour) {
    char text[8] = "-";
    if (colour >= 0) std::snprintf(text, sizeof(text), "%06lX", colour);
    return text;
  }

  int left_, top_, width_, height_;
  std::vector<DWORD> pixels_;
};

std::string Fields(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return " class=" + Utf8(ClassOf(hwnd)) + " visible=" + (IsWindowVisible(hwnd) ? "1" : "0") +
         " enabled=" + (IsWindowEnabled(hwnd) ? "1" : "0") + " rect=" + std::to_string(r.left) +
         "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

int List(const std::wstring& exe) {
  std::vector<HWND> windows = TopLevelWindowsOf(ProcessesNamed(exe));
  ScreenPixels screen;
  for (HWND window : windows) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    Print("window" + Fields(window) + " topmost=" + (topmost ? "1" : "0") +
          (IsWindowVisible(window) ? screen.Colours(client) : "") +
          " text=" + Utf8(TextOf(window)));
    for (HWND child : ChildrenOf(window)) {
      RECT inner;
      GetWindowRect(child, &inner);
      InflateRect(&inner, -2, -2);  // leave the edges out
      std::string passwordChar;
      if (HasClass(child, L"Edit")) {
        DWORD_PTR character = 0;
        SendMessageTimeoutW(child, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 2000, &character);
        passwordChar = " pwchar=" + std::to_string(character);  // 0: the text shows in clear
      }
      Print("  control id=" + std::to_string(GetDlgCtrlID(child)) + Fields(child) +
            (IsWindowVisible(child) ? screen.Colours(inner) : "") + passwordChar +
            " text=" + Utf8(TextOf(child)));
    }
  }
  return windows.empty() ? 1 : 0;
}

// Closes every visible window of <exe> titled <title>..., or clicks its client area.
int PostToWindows(const std::wstring& exe, const std::wstring& title, bool click) {
  const std::vector<HWND> windows = VisibleWindowsTitled(ProcessesNamed(exe), title);
  for (HWND window : windows) {
    if (click) {
      PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    } else {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  }
  return windows.empty() ? 1 : 0;
}

int Type(const std::wstring& exe, const std::wstring& title, const std::wstring& text) {
  for (HWND window : VisibleWindowsTitled(ProcessesNamed(exe), title)) {
    if (HWND field = FirstEdit(window)) {
      PostType(field, text);
      return 0;
    }
  }
  return 1;
}

int Foreground() {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr || !GetGUIThreadInfo(0, &thread)) return 1;
  Print("foreground focus=" + Utf8(thread.hwndFocus != nullptr ? ClassOf(thread.hwndFocus) : L"") +
        " text=" + Utf8(TextOf(foreground)));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  const std::wstring command = args.empty() ? L"" : args[0];
  if (args.size() == 1 && command == L"foreground") return Foreground();
  if (args.size() == 2 && command == L"list") return List(args[1]);
  if (args.size() == 2 && command == L"count") {
    Print(std::to_string(ProcessesNamed(args[1]).size()));
    return 0;
  }
  if (args.size() == 3 && command == L"close") return PostToWindows(args[1], args[2], false);
  if (args.size() == 3 && command == L"formclick") return PostToWindows(args[1], args[2], true);
  if (args.size() == 3 && command == L"click") {
    HWND button = VisibleControl(ProcessesNamed(args[1]), L"Button", args[2]);
    if (button != nullptr) PostClick(button);
    return button != nullptr ? 0 : 1;
  }
  if (args.size() == 4 && command == L"type") return Type(args[1], args[2], args[3]);
  Print(
      "usage: wintext list|count <exe> | close|formclick|click <exe> <title or text> | "
      "type <exe> <title> <text> | foreground");
  return 2;
}
