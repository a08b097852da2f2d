// Exercises the Win32 platform services against the real system (Windows, or Wine with a Korean
// locale) and prints one "PASS <check>" or "FAIL <check>: <detail>" line per check.
// Usage: platform_check --now "YYYY-MM-DD HH:MM:SS" --wav <a WAV file> [--exe <program>]...
// Each --exe names an executable of the program folder whose resources are checked.
// The process check starts a copy of this program, which reads what to do from ORLIMO_CHECK_ROLE.
// (The running-instance mutex is tried by the program's own tests: a second copy ends itself,
// and the companion's restart finds the first one gone.)
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/date.h"
#include "win32/NewInputBox.h"
#include "win32/input_box.h"
#include "win32/own_path.h"
#include "win32/resources/resource_ids.h"
#include "win32/wide_text.h"
#include "win32/win32_ansi_codepage.h"
#include "win32/win32_clock.h"
#include "win32/win32_registry.h"
#include "win32/win32_sound.h"
#include "win32/win32_system.h"
#include "win32/windows_api.h"

// <windows.h> maps these names to its A/W functions; here they are the platform interface's.
#undef LookupPrivilegeValue
#undef ExitWindows

namespace {

using orlimo::Text;
using namespace orlimo::win32;
namespace platform = orlimo::platform;

constexpr wchar_t kRoleVariable[] = L"ORLIMO_CHECK_ROLE";

int failures = 0;

void Report(const char* check, bool ok, const std::string& detail = {}) {
  if (ok) {
    std::printf("PASS %s\n", check);
  } else {
    ++failures;
    std::printf("FAIL %s: %s\n", check, detail.c_str());
  }
  std::fflush(stdout);
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char piece[4];
  for (unsigned char byte : bytes) {
    std::snprintf(piece, sizeof(piece), "%02X ", byte);
    out += piece;
  }
  return out;
}

std::string Narrow(const Text& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

void CheckCodePage() {
  Report("codepage_is_949", GetACP() == 949, "GetACP() = " + std::to_string(GetACP()));
  Win32AnsiCodePage codePage;
  const std::string expected = "\xC1\xA4\xBB\xF3\xC1\xBE\xB7\xE1";
  const std::string encoded = codePage.Encode(u"정상종료");
  Report("codepage_encode_hangul", encoded == expected, Hex(encoded));
  Report("codepage_decode_hangul", codePage.Decode(expected) == u"정상종료",
         Narrow(codePage.Decode(expected)));
  const std::string substituted = codePage.Encode(u"a\u0E17b");  // Thai: not in code page 949
  Report("codepage_unrepresentable_becomes_question_mark", substituted == "a?b", Hex(substituted));
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

// A key of its own under HKEY_CURRENT_USER for one check, named after the check and this process.
std::wstring CheckKey(const wchar_t* name) {
  return L"Software\\Orlimo " + std::wstring(name) + L" " + std::to_wstring(GetCurrentProcessId());
}

// The key's full path, as the program's registry access names a value (a closing "\").
Text FullPath(const std::wstring& key) {
  return u"HKEY_CURRENT_USER\\" + FromWide(key.c_str()) + u"\\";
}

// Writes <text> as the value <name>, of type REG_SZ or REG_EXPAND_SZ, of the key.
void SetTextValue(const std::wstring& key, const wchar_t* name, DWORD type,
                  const std::wstring& text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Short root names and the expansion of an expandable string: the path table
// (tests/unit/registry_path_test.cpp) and CheckRegistryValueTypes.
void CheckRegistry() {
  const std::wstring key = CheckKey(L"Check");
  SetTextValue(key, L"Folder", REG_SZ, L"C:\\시험 폴더");
  SetTextValue(key, L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\Fonts");
  const Text base = FullPath(key);

  Win32Registry registry;
  Text read;
  const bool readThrew = Throws([&] { read = registry.ReadString(base + u"Folder"); });
  Report("registry_read_string", !readThrew && read == u"C:\\시험 폴더", Narrow(read));
  Report("registry_read_missing_throws", Throws([&] { registry.ReadString(base + u"Missing"); }));
  Report("registry_read_bad_root_throws", Throws([&] { registry.ReadString(u"HKXX\\A\\B"); }));

  const bool deleteThrew = Throws([&] { registry.DeleteValue(base + u"Folder"); });
  Report("registry_delete_value",
         !deleteThrew && Throws([&] { registry.ReadString(base + u"Folder"); }));
  Report("registry_second_delete_throws", Throws([&] { registry.DeleteValue(base + u"Folder"); }));
  Report("registry_delete_of_key_refused",
         Throws([&] { registry.DeleteValue(base); }) &&
             !Throws([&] { registry.ReadString(base + u"Expand"); }));
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());

  // The value the program reads at every start must exist.
  Text startup;
  const bool startupThrew = Throws([&] {
    startup = registry.ReadString(
        u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
        u"Folders\\Common Startup");
  });
  Report("registry_read_common_startup", !startupThrew && !startup.empty(), Narrow(startup));
}

// The typed read that the program's registry access goes through: strings (an expandable one
// expanded, a long one whole), numbers, and data of other types given as such, never thrown.
void CheckRegistryValueTypes() {
  const std::wstring key = CheckKey(L"Types");
  const DWORD dword = 4294967295u;
  const unsigned long long qword = 18446744073709551615ull;
  const BYTE binary[] = {1, 2, 3};
  const wchar_t multi[] = L"a\0b\0";
  // Longer than any first guess of a buffer, and than the 2048 bytes RegGetValue reads at once.
  std::wstring longText;
  for (int i = 0; i < 3000; ++i) longText += static_cast<wchar_t>(L'가' + i);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Dword", REG_DWORD, &dword, sizeof dword);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Qword", REG_QWORD, &qword, sizeof qword);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Binary", REG_BINARY, binary, sizeof binary);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Multi", REG_MULTI_SZ, multi, sizeof multi);
  SetTextValue(key, L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\Fonts");
  SetTextValue(key, L"Long", REG_SZ, longText);
  const Text base = FullPath(key);

  Win32Registry registry;
  auto read = [&](const char16_t* name) -> platform::RegistryValue {
    try {
      return registry.ReadValue(base + name);
    } catch (const platform::RegistryError&) {
      return Text(u"threw");
    }
  };
  Report("registry_value_dword", read(u"Dword") == platform::RegistryValue{std::uint64_t{dword}});
  Report("registry_value_qword", read(u"Qword") == platform::RegistryValue{std::uint64_t{qword}});
  Report("registry_value_binary_is_other",
         read(u"Binary") == platform::RegistryValue{platform::RegistryOtherData{}});
  Report("registry_value_multi_string_is_other",
         read(u"Multi") == platform::RegistryValue{platform::RegistryOtherData{}});
  const platform::RegistryValue expanded = read(u"Expand");
  const Text* expandedText = std::get_if<Text>(&expanded);
  Report("registry_value_expand_string",
         expandedText != nullptr && expandedText->find(u'%') == Text::npos &&
             expandedText->ends_with(u"\\Fonts"),
         expandedText != nullptr ? Narrow(*expandedText) : "not a string");
  const platform::RegistryValue whole = read(u"Long");
  const Text* wholeText = std::get_if<Text>(&whole);
  Report("registry_value_long_string_whole",
         wholeText != nullptr && *wholeText == FromWide(longText.c_str()),
         wholeText != nullptr ? std::to_string(wholeText->size()) + " characters" : "not a string");
  Report("registry_value_missing_throws", Throws([&] { registry.ReadValue(base + u"Missing"); }));
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// What the masking timer found in the input box, looked at from inside the box's message loop.
struct MaskedField {
  wchar_t passwordChar = 0;
  bool inputMethodOff = false;
  bool found = false;
};
MaskedField maskedField;

void CALLBACK InspectInputBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND dialog = FindWindowW(L"#32770", L"Orlimo");
  HWND field = GetDlgItem(dialog, kInputBoxFieldId);
  maskedField.found = field != nullptr;
  maskedField.passwordChar = static_cast<wchar_t>(SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0));
  HIMC context = ImmGetContext(field);
  maskedField.inputMethodOff = context == nullptr;
  if (context != nullptr) ImmReleaseContext(field, context);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The armed input box shows "*" and takes no Hangul composition, like every password box.
void CheckInputBoxMask() {
  SetTimer(nullptr, kMaskTimerId, kMaskDelayMs, MaskInputBox);
  SetTimer(nullptr, 0, 500, InspectInputBox);
  RunInputBox(GetModuleHandleW(nullptr), nullptr, u"암호", u"Orlimo");
  Report("input_box_mask_found_the_field", maskedField.found);
  Report("input_box_mask_password_char", maskedField.passwordChar == L'*');
  Report("input_box_mask_input_method_off", maskedField.inputMethodOff);
}

std::vector<platform::ProcessEntry> Walk(platform::System& system) {
  std::vector<platform::ProcessEntry> entries;
  const platform::Handle snapshot = system.CreateProcessSnapshot(platform::kSnapshotProcesses, 0);
  if (snapshot == 0) return entries;
  for (auto entry = system.FirstProcess(snapshot); entry; entry = system.NextProcess(snapshot)) {
    entries.push_back(*entry);
  }
  system.CloseHandle(snapshot);
  return entries;
}

void CheckProcesses() {
  Win32System system;
  const auto entries = Walk(system);
  bool foundSelf = false;
  for (const auto& entry : entries) {
    foundSelf |= entry.processId == GetCurrentProcessId() && entry.exeFile == u"platform_check.exe";
  }
  Report("process_walk_finds_itself", foundSelf,
         std::to_string(entries.size()) + " entries, none is platform_check.exe with our id");

  // A copy started by path is found by the walk and can be terminated with an exit code.
  SetEnvironmentVariableW(kRoleVariable, L"linger");
  system.StartProgram(FromWide(ModulePath().c_str()), platform::kShowNormal);
  SetEnvironmentVariableW(kRoleVariable, nullptr);
  std::uint32_t copyId = 0;
  for (int attempt = 0; attempt < 100 && copyId == 0; ++attempt) {
    for (const auto& entry : Walk(system)) {
      if (entry.exeFile == u"platform_check.exe" && entry.processId != GetCurrentProcessId()) {
        copyId = entry.processId;
      }
    }
    if (copyId == 0) Sleep(100);
  }
  Report("start_program_runs_the_copy", copyId != 0, "no second platform_check.exe appeared");
  if (copyId == 0) return;
  HANDLE watch = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, copyId);
  const platform::Handle process = system.OpenProcess(platform::kProcessAllAccess, false, copyId);
  const bool terminated = process != 0 && system.TerminateProcess(process, 7);
  if (process != 0) system.CloseHandle(process);
  DWORD code = 0;
  const bool ended = watch != nullptr && WaitForSingleObject(watch, 10000) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(watch, &code);
  if (watch != nullptr) ::CloseHandle(watch);
  Report("terminate_process_with_exit_code", terminated && ended && code == 7,
         "exit code " + std::to_string(code));
}

void CheckPrivileges() {
  Win32System system;
  Report("version_has_tokens", (system.GetVersion() & 0x80000000u) == 0);
  const platform::Handle token = system.OpenOwnProcessToken(platform::kTokenAdjustAndQuery);
  Report("open_own_process_token", token != 0);
  const auto shutdown = system.LookupPrivilegeValue(u"SeShutdownPrivilege");
  Report("lookup_shutdown_privilege", shutdown.has_value() && *shutdown != 0);
  Report("lookup_unknown_privilege_fails",
         !system.LookupPrivilegeValue(u"SeNoSuchPrivilege").has_value());
  if (token != 0 && shutdown) {
    Report("enable_privilege_with_previous_state",
           system.AdjustTokenPrivilege(token, *shutdown, platform::kPrivilegeEnabled, 16));
    Report("disable_privilege_without_previous_state",
           system.AdjustTokenPrivilege(token, *shutdown, 0, 0));
  }
  if (token != 0) system.CloseHandle(token);
}

void CheckClock(const std::wstring& now) {
  const std::optional<orlimo::DateValue> expected = orlimo::ParseDate(FromWide(now.c_str()));
  if (!expected) {
    Report("clock_matches_local_time", false, "no --now \"YYYY-MM-DD HH:MM:SS\" given");
    return;
  }
  const long long difference = orlimo::SecondsFromFields(Win32Clock().Now()) -
                               orlimo::SecondsFromFields(orlimo::FieldsFromDate(*expected));
  Report("clock_matches_local_time", difference >= -5 && difference <= 120,
         "off by " + std::to_string(difference) + " s");
}

void CheckSound(const std::wstring& wav) {
  Win32Sound sound;
  Report("sound_open_missing_file_fails", !sound.Open(u"C:\\no such folder\\CHIMES.WAV"));
  Report("sound_open_cue", !wav.empty() && sound.Open(FromWide(wav.c_str())),
         "cannot open the cue given with --wav");
}

// The project's version and Orlimo's icon in every executable; the button pictures in Orlimo.exe
// (its manifest is read by the installer's import test).
void CheckResources(const std::wstring& exe) {
  const std::string name = Narrow(FromWide(exe.substr(exe.find_last_of(L"\\/") + 1).c_str()));
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  const bool haveVersion =
      !info.empty() &&
      GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) &&
      VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
      fixed != nullptr;
  const DWORD majorMinor = (ORLIMO_VERSION_MAJOR << 16) | ORLIMO_VERSION_MINOR;
  Report(("version " + name).c_str(), haveVersion && fixed->dwFileVersionMS == majorMinor &&
                                          fixed->dwFileVersionLS == (ORLIMO_VERSION_PATCH << 16) &&
                                          fixed->dwProductVersionMS == majorMinor);
  wchar_t* product = nullptr;
  const bool haveProduct = haveVersion &&
                           VerQueryValueW(info.data(), L"\\StringFileInfo\\041204B0\\ProductName",
                                          reinterpret_cast<void**>(&product), &length) &&
                           product != nullptr && std::wstring(product) == L"Orlimo";
  Report(("product_name_orlimo " + name).c_str(), haveProduct);

  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  Report(("icon " + name).c_str(),
         module != nullptr && FindResourceW(module, MAKEINTRESOURCEW(IDI_APP), RT_GROUP_ICON));
  if (module != nullptr && name == "Orlimo.exe") {
    bool pictures = true;
    for (int id : {IDB_KEY, IDB_USER, IDB_HIDE}) {
      HBITMAP bitmap = static_cast<HBITMAP>(
          LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
      BITMAP shape{};
      pictures = pictures && bitmap != nullptr && GetObjectW(bitmap, sizeof(shape), &shape) &&
                 shape.bmWidth == 16 && shape.bmHeight == 16;
      if (bitmap != nullptr) DeleteObject(bitmap);
    }
    Report("button_pictures Orlimo.exe", pictures);
  }
  if (module != nullptr) FreeLibrary(module);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t role[32] = {};
  if (GetEnvironmentVariableW(kRoleVariable, role, 32) > 0) {
    if (std::wstring(role) == L"linger") {
      Sleep(20000);
      return 0;
    }
    return 2;
  }

  std::wstring now;
  std::wstring wav;
  std::vector<std::wstring> exes;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    if (option == L"--now") now = argv[i + 1];
    if (option == L"--wav") wav = argv[i + 1];
    if (option == L"--exe") exes.push_back(argv[i + 1]);
  }

  CheckCodePage();
  CheckRegistry();
  CheckRegistryValueTypes();
  CheckInputBoxMask();
  CheckProcesses();
  CheckPrivileges();
  CheckClock(now);
  CheckSound(wav);
  for (const std::wstring& exe : exes) CheckResources(exe);
  return failures == 0 ? 0 : 1;
}
