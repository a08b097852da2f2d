// Reads what the windows of a running program show, and acts on them, for the tests under Wine.
//   wintext list <exe>                  every top-level window of the processes named <exe>, and
//                                       its child windows: id, class, state, place, the colours
//                                       on screen (background, and the main other colour: the
//                                       text), and the window text, one UTF-8 line each
//   wintext count <exe>                 the number of processes named <exe>
//   wintext close <exe> <title>         posts the close command to its windows titled <title>...
//   wintext click <exe> <text>          clicks the button whose text is <text>
//   wintext formclick <exe> <title>     clicks the client area of its window titled <title>...
//   wintext type <exe> <title> <text>   types <text> into the first edit field of its window
//                                       titled <title>... ("\r" in <text> is Enter)
//   wintext foreground                  the window that has the keyboard: the foreground
//                                       window's title and the class of the control in focus
// Titles match from their start. Exit code 0 when something was found, 1 otherwise.
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
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

// The screen as it is shown now, read once.
class ScreenPixels {
 public:
  ScreenPixels() {
    width_ = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    height_ = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    left_ = GetSystemMetrics(SM_XVIRTUALSCREEN);
    top_ = GetSystemMetrics(SM_YVIRTUALSCREEN);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ != nullptr) {
      HGDIOBJ previous = SelectObject(memory, bitmap_);
      BitBlt(memory, 0, 0, width_, height_, screen, left_, top_, SRCCOPY);
      SelectObject(memory, previous);
      pixels_ = static_cast<const DWORD*>(bits);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }
  ~ScreenPixels() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }

  // The most frequent colour of the rectangle, and the most frequent one clearly different
  // from it (-1 when there is none), as 0xRRGGBB.
  std::pair<long, long> Colours(RECT rect) const {
    if (pixels_ == nullptr) return {-1, -1};
    std::map<DWORD, int> counts;
    for (int y = std::max(rect.top - top_, 0L); y < std::min(rect.bottom - top_, long{height_});
         ++y) {
      for (int x = std::max(rect.left - left_, 0L); x < std::min(rect.right - left_, long{width_});
           ++x) {
        ++counts[pixels_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF];
      }
    }
    long back = -1;
    int most = 0;
    for (auto [colour, count] : counts) {
      if (count > most) back = static_cast<long>(colour), most = count;
    }
    long fore = -1;
    most = 0;
    for (auto [colour, count] : counts) {
      if (back >= 0 && Distance(colour, static_cast<DWORD>(back)) > 96 && count > most) {
        fore = static_cast<long>(colour);
        most = count;
      }
    }
    return {back, fore};
  }

 private:
  static int Distance(DWORD a, DWORD b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return d;
  }

  int width_ = 0, height_ = 0, left_ = 0, top_ = 0;
  HBITMAP bitmap_ = nullptr;
  const DWORD* pixels_ = nullptr;
};

std::string Hex(long colour) {
  if (colour < 0) return "-";
  char text[8];
  std::snprintf(text, sizeof(text), "%06lX", colour);
  return text;
}

// An edit field's password character (0: typed text shows in clear).
std::string PasswordChar(HWND hwnd) {
  if (!HasClass(hwnd, L"Edit")) return {};
  DWORD_PTR character = 0;
  SendMessageTimeoutW(hwnd, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 2000, &character);
  return " pwchar=" + std::to_string(character);
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::string State(HWND hwnd) {
  return std::string(" visible=") + (IsWindowVisible(hwnd) ? "1" : "0") +
         " enabled=" + (IsWindowEnabled(hwnd) ? "1" : "0");
}

int List(const std::wstring& exe) {
  std::vector<HWND> windows = TopLevelWindowsOf(ProcessesNamed(exe));
  ScreenPixels screen;
  for (HWND window : windows) {
    RECT rect;
    GetWindowRect(window, &rect);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT clientOnScreen{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    auto [back, fore] =
        IsWindowVisible(window) ? screen.Colours(clientOnScreen) : std::pair<long, long>{-1, -1};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    Print("window pid=" + std::to_string(process) + " class=" + Utf8(ClassOf(window)) +
          State(window) +
          " topmost=" + ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? "1" : "0") +
          " rect=" + RectText(rect) + " client=" + std::to_string(client.right) + "," +
          std::to_string(client.bottom) + " back=" + Hex(back) + " text=" + Utf8(TextOf(window)));
    for (HWND child : ChildrenOf(window)) {
      RECT childRect;
      GetWindowRect(child, &childRect);
      RECT inner = childRect;
      InflateRect(&inner, -2, -2);  // leave the edges out
      auto [childBack, childFore] =
          IsWindowVisible(child) ? screen.Colours(inner) : std::pair<long, long>{-1, -1};
      Print("  control id=" + std::to_string(GetDlgCtrlID(child)) +
            " class=" + Utf8(ClassOf(child)) + State(child) + " rect=" + RectText(childRect) +
            " back=" + Hex(childBack) + " fore=" + Hex(childFore) + PasswordChar(child) +
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

int Click(const std::wstring& exe, const std::wstring& text) {
  HWND button = VisibleControl(ProcessesNamed(exe), L"Button", text);
  if (button == nullptr) return 1;
  PostClick(button);
  return 0;
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
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == L"list") return List(args[1]);
  if (args.size() == 2 && args[0] == L"count") {
    Print(std::to_string(ProcessesNamed(args[1]).size()));
    return 0;
  }
  if (args.size() == 1 && args[0] == L"foreground") return Foreground();
  if (args.size() == 3 && args[0] == L"close") return PostToWindows(args[1], args[2], false);
  if (args.size() == 3 && args[0] == L"click") return Click(args[1], args[2]);
  if (args.size() == 3 && args[0] == L"formclick") return PostToWindows(args[1], args[2], true);
  if (args.size() == 4 && args[0] == L"type") {
    std::wstring text;
    for (std::size_t i = 0; i < args[3].size(); ++i) {
      bool enter = args[3].compare(i, 2, L"\\r") == 0;
      text += enter ? L'\r' : args[3][i];
      if (enter) ++i;
    }
    return Type(args[1], args[2], text);
  }
  Print(
      "usage: wintext list|count <exe> | close|formclick <exe> <title> | click <exe> <text> | "
      "type <exe> <title> <text> | foreground");
  return 2;
}
