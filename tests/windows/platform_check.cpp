// Exercises the Win32 platform services against the real system (Windows, or Wine with a Korean
// locale) where no run of the program shows them, and prints one "PASS <check>" or
// "FAIL <check>: <detail>" line per check; exits 1 when a check failed.
// The process check starts a copy of this program, which then lingers (ORLIMO_CHECK_ROLE).
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "enforce/ProcessCheck.h"
#include "enforce/ShutDown.h"
#include "win32/NewInputBox.h"
#include "win32/input_box.h"
#include "win32/own_path.h"
#include "win32/wide_text.h"
#include "win32/win32_ansi_codepage.h"
#include "win32/win32_registry.h"
#include "win32/win32_system.h"
#include "win32/windows_api.h"

namespace {

using orlimo::Text;
using namespace orlimo::win32;
namespace platform = orlimo::platform;

constexpr wchar_t kRoleVariable[] = L"ORLIMO_CHECK_ROLE";

int failures = 0;

void Report(const std::string& check, bool ok, const std::string& detail = {}) {
  failures += ok ? 0 : 1;
  std::printf("%s %s%s%s\n", ok ? "PASS" : "FAIL", check.c_str(), ok ? "" : ": ",
              ok ? "" : detail.c_str());
  std::fflush(stdout);
}

std::string Narrow(const Text& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// Hangul both ways is the real program's (its log, an older Family.ini); here a character outside
// code page 949 becomes "?", and an empty text stays empty.
void CheckCodePage() {
  Report("codepage_is_949", GetACP() == 949, "GetACP() = " + std::to_string(GetACP()));
  Win32AnsiCodePage codePage;
  Report("codepage_unrepresentable_becomes_question_mark", codePage.Encode(u"a\u0E17b") == "a?b");
  Report("codepage_empty", codePage.Encode(u"").empty() && codePage.Decode("").empty());
}

bool Throws(const std::function<void()>& action) {
  try {
    action();
  } catch (const platform::RegistryError&) {
    return true;
  }
  return false;
}

// The typed read that every registry access goes through (strings, an expandable one expanded, a
// long one whole; numbers; data of other types given as such), and the deletion of one value.
void CheckRegistry() {
  const std::wstring key = L"Software\\Orlimo check " + std::to_wstring(GetCurrentProcessId());
  const DWORD dword = 4294967295u;
  const unsigned long long qword = 18446744073709551615ull;
  const BYTE binary[] = {1, 2, 3};
  const wchar_t multi[] = L"a\0b\0";
  // Longer than any first guess of a buffer, and than the 2048 bytes RegGetValue reads at once.
  std::wstring longText;
  for (int i = 0; i < 3000; ++i) longText += static_cast<wchar_t>(L'가' + i);
  wchar_t fonts[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%SystemRoot%\\Fonts", fonts, MAX_PATH);
  auto set = [&](const wchar_t* name, DWORD type, const void* data, std::size_t size) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data, static_cast<DWORD>(size));
  };
  auto setText = [&](const wchar_t* name, DWORD type, const std::wstring& text) {
    set(name, type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  };
  setText(L"Folder", REG_SZ, L"C:\\시험 폴더");
  setText(L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\Fonts");
  setText(L"Long", REG_SZ, longText);
  set(L"Dword", REG_DWORD, &dword, sizeof dword);
  set(L"Qword", REG_QWORD, &qword, sizeof qword);
  set(L"Binary", REG_BINARY, binary, sizeof binary);
  set(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
  const Text base = u"HKEY_CURRENT_USER\\" + FromWide(key.c_str()) + u"\\";

  Win32Registry registry;
  const platform::RegistryValue threw = Text(u"threw");
  const std::pair<const char16_t*, platform::RegistryValue> values[] = {
      {u"Folder", Text(u"C:\\시험 폴더")},       {u"Expand", FromWide(fonts)},
      {u"Long", FromWide(longText.c_str())},     {u"Dword", std::uint64_t{dword}},
      {u"Qword", std::uint64_t{qword}},          {u"Binary", platform::RegistryOtherData{}},
      {u"Multi", platform::RegistryOtherData{}}, {u"Missing", threw}};
  for (const auto& [name, expected] : values) {
    platform::RegistryValue read = threw;
    Throws([&] { read = registry.ReadValue(base + name); });
    const Text* text = std::get_if<Text>(&read);
    Report("registry_value " + Narrow(name), read == expected,
           text != nullptr ? Narrow(text->substr(0, 80)) : "another type");
  }
  Report("registry_bad_root_throws", Throws([&] { registry.ReadValue(u"HKXX\\A\\B"); }));
  Report("registry_delete_value", !Throws([&] { registry.DeleteValue(base + u"Folder"); }) &&
                                      Throws([&] { registry.ReadValue(base + u"Folder"); }) &&
                                      Throws([&] { registry.DeleteValue(base + u"Folder"); }));
  Report("registry_delete_of_key_refused",
         Throws([&] { registry.DeleteValue(base); }) &&
             !Throws([&] { registry.ReadValue(base + u"Long"); }));
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// The armed input box, looked at from inside its message loop: it shows "*" and takes no Hangul
// composition, like every password box.
bool inputBoxMasked = false;
void CALLBACK InspectInputBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND dialog = FindWindowW(L"#32770", L"Orlimo");
  HWND field = GetDlgItem(dialog, kInputBoxFieldId);
  HIMC context = ImmGetContext(field);
  inputBoxMasked = field != nullptr && context == nullptr &&
                   SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0) == L'*';
  if (context != nullptr) ImmReleaseContext(field, context);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}
void CheckInputBoxMask() {
  SetTimer(nullptr, kMaskTimerId, kMaskDelayMs, MaskInputBox);
  SetTimer(nullptr, 0, 500, InspectInputBox);
  RunInputBox(GetModuleHandleW(nullptr), nullptr, u"암호", u"Orlimo");
  Report("input_box_masked_without_input_method", inputBoxMasked);
}

// A copy of this program started by path is found by the process walk, beside this one, and the
// program's own way of ending a process ends it with the exit code asked.
void CheckProcesses() {
  Win32System system;
  SetEnvironmentVariableW(kRoleVariable, L"linger");
  system.StartProgram(FromWide(ModulePath().c_str()), platform::kShowNormal);
  SetEnvironmentVariableW(kRoleVariable, nullptr);
  bool foundSelf = false;
  std::uint32_t copyId = 0;
  for (int attempt = 0; attempt < 100 && copyId == 0; ++attempt) {
    if (attempt > 0) Sleep(100);
    const platform::Handle snapshot = system.CreateProcessSnapshot(platform::kSnapshotProcesses, 0);
    for (auto entry = system.FirstProcess(snapshot); entry; entry = system.NextProcess(snapshot)) {
      if (entry->exeFile != u"platform_check.exe") continue;
      if (entry->processId == GetCurrentProcessId())
        foundSelf = true;
      else
        copyId = entry->processId;
    }
    system.CloseHandle(snapshot);
  }
  Report("process_walk_finds_itself_and_its_copy", foundSelf && copyId != 0);
  if (copyId == 0) return;
  HANDLE watch = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, copyId);
  const bool terminated = orlimo::ProcessCheck::TerminateProcessById(system, copyId, 7);
  DWORD code = 0;
  const bool ended = watch != nullptr && WaitForSingleObject(watch, 10000) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(watch, &code);
  if (watch != nullptr) CloseHandle(watch);
  Report("terminate_process_with_exit_code", terminated && ended && code == 7,
         "exit code " + std::to_string(code));
}

// The power-off's own step enables the shutdown privilege, which is disabled first.
void CheckShutdownPrivilege() {
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
  PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {{{0, 0}, 0}}};
  LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &wanted.Privilege[0].Luid);
  TOKEN_PRIVILEGES disabled{1, {{wanted.Privilege[0].Luid, 0}}};
  AdjustTokenPrivileges(token, FALSE, &disabled, 0, nullptr, nullptr);
  BOOL before = TRUE, after = FALSE;
  PrivilegeCheck(token, &wanted, &before);
  Win32System system;
  orlimo::ShutDown::EnableShutdownPrivilege(system);
  PrivilegeCheck(token, &wanted, &after);
  CloseHandle(token);
  Report("shutdown_privilege_enabled", !before && after,
         std::string("before ") + (before ? "on" : "off") + ", after " + (after ? "on" : "off"));
}

}  // namespace

int wmain() {
  wchar_t role[32] = {};
  if (GetEnvironmentVariableW(kRoleVariable, role, 32) > 0) {
    Sleep(20000);
    return 0;
  }
  CheckCodePage();
  CheckRegistry();
  CheckInputBoxMask();
  CheckProcesses();
  CheckShutdownPrivilege();
  return failures == 0 ? 0 : 1;
}
