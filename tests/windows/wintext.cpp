// Reads what the windows of a running program show, and acts on them, for the tests under Wine.
//   list <exe>                every top-level window of the processes named <exe> and its child
//                             windows, one UTF-8 line each: id, class, state, place and text
//   count <exe>               the number of processes named <exe>
//   close <exe> <title>       closes its windows titled <title>...
//   click <exe> <text>        clicks the button whose text is <text>
//   type <exe> <title> <text> types <text> (a carriage return: Enter) into its first edit field
// Exit code 0 when something was found, 1 otherwise.
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

// keyboard=1: the active window of the foreground thread, or its control with the focus.
std::string Fields(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const bool keyboard =
      GetGUIThreadInfo(0, &thread) && (hwnd == thread.hwndActive || hwnd == thread.hwndFocus);
  return " class=" + Utf8(ClassOf(hwnd)) + " visible=" + (IsWindowVisible(hwnd) ? "1" : "0") +
         " enabled=" + (IsWindowEnabled(hwnd) ? "1" : "0") + " keyboard=" + (keyboard ? "1" : "0") +
         " rect=" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom);
}

int List(const std::wstring& exe) {
  std::vector<HWND> windows = TopLevelWindowsOf(ProcessesNamed(exe));
  for (HWND window : windows) {
    const bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    Print("window" + Fields(window) + " topmost=" + (topmost ? "1" : "0") +
          " text=" + Utf8(TextOf(window)));
    for (HWND child : ChildrenOf(window)) {
      std::string passwordChar;
      if (HasClass(child, L"Edit")) {
        DWORD_PTR character = 0;
        SendMessageTimeoutW(child, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 2000, &character);
        passwordChar = " pwchar=" + std::to_string(character);  // 0: the text shows in clear
      }
      Print("  control id=" + std::to_string(GetDlgCtrlID(child)) + Fields(child) + passwordChar +
            " text=" + Utf8(TextOf(child)));
    }
  }
  return windows.empty() ? 1 : 0;
}

int Close(const std::wstring& exe, const std::wstring& title) {
  const std::vector<HWND> windows = VisibleWindowsTitled(ProcessesNamed(exe), title);
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == L"list") return List(args[1]);
  if (args.size() == 2 && args[0] == L"count") {
    Print(std::to_string(ProcessesNamed(args[1]).size()));
    return 0;
  }
  if (args.size() == 3 && args[0] == L"close") return Close(args[1], args[2]);
  if (args.size() == 3 && args[0] == L"click") {
    HWND button = VisibleControl(ProcessesNamed(args[1]), L"Button", args[2]);
    if (button != nullptr) PostClick(button);
    return button != nullptr ? 0 : 1;
  }
  if (args.size() == 4 && args[0] == L"type") return Type(args[1], args[2], args[3]);
  Print("usage: wintext list|count <exe> | close|click <exe> <title or text> | type <exe> <t> <s>");
  return 2;
}
