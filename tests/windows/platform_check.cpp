// Exercises the Win32 platform services against the real system (Windows, or Wine with a Korean
// locale) where no run of the program shows them, and prints one "PASS <check>" or
// "FAIL <check>: <detail>" line per check; exits 1 when a check failed.
//   platform_check <folder>        the checks; the saves of Setup.ini are killed in <folder>
//   platform_check --save <folder> a child of the save check: saves until it is ended
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "enforce/ShutDown.h"
#include "records/settings.h"
#include "support/two_families.h"
#include "win32/NewInputBox.h"
#include "win32/input_box.h"
#include "win32/own_path.h"
#include "win32/start_process.h"
#include "win32/wide_text.h"
#include "win32/win32_registry.h"
#include "win32/win32_system.h"
#include "win32/windows_api.h"

namespace {

namespace fs = std::filesystem;
namespace platform = orlimo::platform;
using namespace orlimo::win32;
using Clock = std::chrono::steady_clock;
using orlimo::Text;
using orlimo::Main::SaveSettings;
using orlimo::testing::FullFamily;
using orlimo::testing::SmallFamily;

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

bool Throws(const std::function<void()>& action) {
  try {
    action();
  } catch (const platform::RegistryError&) {
    return true;
  }
  return false;
}

// The typed read that every registry access goes through, for the data no value of the program's
// own shows it (an expandable string expanded, a long one whole, a large number, another type), and
// the deletion of a value that never deletes its key.
void CheckRegistry() {
  const std::wstring key = L"Software\\Orlimo check " + std::to_wstring(GetCurrentProcessId());
  const unsigned long long qword = 18446744073709551615ull;
  const BYTE binary[] = {1, 2, 3};
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
  set(L"Qword", REG_QWORD, &qword, sizeof qword);
  set(L"Binary", REG_BINARY, binary, sizeof binary);
  const Text base = u"HKEY_CURRENT_USER\\" + FromWide(key.c_str()) + u"\\";

  Win32Registry registry;
  const platform::RegistryValue threw = Text(u"threw");
  const std::pair<const char16_t*, platform::RegistryValue> values[] = {
      {u"Folder", Text(u"C:\\시험 폴더")},        {u"Expand", FromWide(fonts)},
      {u"Long", FromWide(longText.c_str())},      {u"Qword", std::uint64_t{qword}},
      {u"Binary", platform::RegistryOtherData{}}, {u"Missing", threw}};
  for (const auto& [name, expected] : values) {
    platform::RegistryValue read = threw;
    Throws([&] { read = registry.ReadValue(base + name); });
    const Text* text = std::get_if<Text>(&read);
    Report("registry_value " + Narrow(name), read == expected,
           text != nullptr ? Narrow(text->substr(0, 80)) : "another type");
  }
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

constexpr DWORD kKilled = 99;

std::string Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A save of Setup.ini cut off at any moment leaves the old settings or the new ones, whole: a
// child saves two families in turn and is ended with TerminateProcess at random moments or as soon
// as its temporary file appears.

// Saves the small family once, which must leave no temporary file of the last kill behind, says so
// with the file "ready", then saves the two families in turn until it is ended.
int SaveForever(const Text& folder) {
  try {
    SaveSettings(SmallFamily(), folder);
    if (fs::exists(fs::path(folder) / L"Setup.ini.tmp")) return 5;
    std::ofstream(fs::path(folder) / L"ready").put('1');
    while (true) {
      SaveSettings(FullFamily(), folder);
      SaveSettings(SmallFamily(), folder);
    }
  } catch (...) {
    return 3;
  }
}

bool WaitFor(const fs::path& path, Clock::duration limit) {
  const Clock::time_point giveUp = Clock::now() + limit;
  while (!fs::exists(path) && Clock::now() < giveUp) SwitchToThread();
  return fs::exists(path);
}

void CheckSaveSurvivesKills(const Text& folder, int kills) {
  const auto Fail = [](const std::string& why) {
    Report("save_survives_a_kill_at_any_moment", false, why);
  };
  const fs::path where(folder);
  SaveSettings(FullFamily(), folder);
  const std::string bytesFull = Bytes(where / L"Setup.ini");
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 10; ++i) SaveSettings(SmallFamily(), folder);
  const auto save =
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / 10;
  const std::string bytesSmall = Bytes(where / L"Setup.ini");
  if (bytesSmall.size() == bytesFull.size()) return Fail("the two families save alike");

  const std::wstring saveArguments = L"--save \"" + ToWide(folder) + L"\"";
  std::mt19937 random(20261207);
  std::uniform_int_distribution<long long> moment(0, 2 * save.count());  // the first two saves
  int cutMidWrite = 0;
  for (int kill = 1; kill <= kills; ++kill) {
    const std::string which = "kill " + std::to_string(kill);
    fs::remove(where / L"ready");
    // Wine now and then refuses a start right after a process was ended: try again for a while.
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(10);
    StartedProcess child;
    while ((child = StartProcess(ModulePath(), saveArguments)).handle == nullptr) {
      if (Clock::now() > giveUp) return Fail(which + ": the saving process did not start");
      SwitchToThread();
    }
    const bool ready = WaitFor(where / L"ready", std::chrono::seconds(30));
    if (ready && kill % 2 == 1) {
      const Clock::time_point at = Clock::now() + std::chrono::microseconds(moment(random));
      while (Clock::now() < at) SwitchToThread();
    } else if (ready) {
      WaitFor(where / L"Setup.ini.tmp", std::chrono::milliseconds(200));
    }
    TerminateProcess(child.handle, kKilled);
    const long exitCode = ExitCodeOf(child.handle, INFINITE);
    if (!ready || exitCode != static_cast<long>(kKilled)) {
      return Fail(which + ": the saving process ended by itself, code " + std::to_string(exitCode));
    }
    cutMidWrite += fs::exists(where / L"Setup.ini.tmp") ? 1 : 0;
    const std::string bytes = Bytes(where / L"Setup.ini");
    if (bytes != bytesSmall && bytes != bytesFull) {
      return Fail(which + " left " + std::to_string(bytes.size()) + " bytes");
    }
  }
  // Otherwise every kill fell between two saves and nothing was proved.
  if (cutMidWrite == 0) return Fail("no kill fell in the middle of a write");
  Report("save_survives_a_kill_at_any_moment (" + std::to_string(kills) + " kills, " +
             std::to_string(cutMidWrite) + " in the middle of a write)",
         true);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--save") return SaveForever(FromWide(argv[2]));
  if (argc != 2) {
    std::fprintf(stderr, "usage: platform_check <folder> | --save <folder>\n");
    return 2;
  }
  CheckRegistry();
  CheckInputBoxMask();
  CheckShutdownPrivilege();
  CheckSaveSurvivesKills(FromWide(argv[1]), 100);
  return failures == 0 ? 0 : 1;
}
