// platform_check <folder>: tries the Win32 platform services against the real system (Windows, or
// Wine with a Korean locale) where no run of the program shows them, the saves of Setup.ini killed
// in <folder>: one "PASS <check>" or "FAIL <check>: <detail>" line each, exit code 1 on a failure.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "enforce/ShutDown.h"
#include "records/file_bytes.h"
#include "records/settings.h"
#include "support/family.h"
#include "win32/NewInputBox.h"
#include "win32/input_box.h"
#include "win32/own_path.h"
#include "win32/start_process.h"
#include "win32/wide_text.h"
#include "win32/win32_registry.h"
#include "win32/win32_system.h"
#include "driver_support.h"  // after the headers whose members <windows.h> names as macros

namespace {

namespace fs = std::filesystem;
namespace platform = orlimo::platform;
using namespace orlimo::win32;
using Clock = std::chrono::steady_clock;
using orlimo::Text;
using orlimo::Main::SaveSettings;

int failures = 0;

void Report(const std::string& check, bool ok, const std::string& detail = {}) {
  failures += ok ? 0 : 1;
  orlimo::drivers::Print((ok ? "PASS " : "FAIL ") + check + (ok ? "" : ": " + detail));
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
  const Text base = u"HKEY_CURRENT_USER\\" + FromWide(key.c_str()) + u"\\";
  // Longer than any first guess of a buffer, and than the 2048 bytes RegGetValue reads at once.
  std::wstring longText;
  for (wchar_t c = L'가'; longText.size() < 3000; ++c) longText += c;
  wchar_t fonts[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%SystemRoot%\\Fonts", fonts, MAX_PATH);
  const platform::RegistryValue threw = Text(u"threw");
  const struct {
    const wchar_t* name;
    DWORD type;
    std::wstring data;  // texts are stored with their closing null
    platform::RegistryValue expected;
  } values[] = {
      {L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\Fonts", FromWide(fonts)},
      {L"Long", REG_SZ, longText, FromWide(longText.c_str())},
      {L"Qword", REG_QWORD, std::wstring(4, L'\xFFFF'), ~std::uint64_t{0}},  // every bit set
      {L"Binary", REG_BINARY, L"\x0201", platform::RegistryOtherData{}},
      {L"Missing", REG_NONE, L"", threw}};
  Win32Registry registry;
  for (const auto& [name, type, data, expected] : values) {
    const std::size_t closingNull = type == REG_SZ || type == REG_EXPAND_SZ ? 1 : 0;
    if (type != REG_NONE) {
      RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data.c_str(),
                      static_cast<DWORD>((data.size() + closingNull) * sizeof(wchar_t)));
    }
    platform::RegistryValue read = threw;
    Throws([&] { read = registry.ReadValue(base + FromWide(name)); });
    const Text* text = std::get_if<Text>(&read);
    Report("registry_value " + orlimo::ToUtf8(FromWide(name)), read == expected,
           text != nullptr ? orlimo::ToUtf8(text->substr(0, 80)) : "another type");
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

std::string Bytes(const fs::path& path) {
  return orlimo::ReadWholeFile(path.u16string()).value_or("");
}

constexpr DWORD kKilled = 99;

// The two families the saves alternate between: a small one and a full table, so that their
// Setup.ini files differ in size.
orlimo::Settings SmallFamily() {
  return orlimo::testing::FamilySettings({{"첫째", 60, 600, "1234"}, {"둘째", 45, 0, ""}}, true,
                                         "부모", 0);
}
orlimo::Settings FullFamily() {
  std::vector<orlimo::testing::Child> children;
  for (int user = 0; user < orlimo::kMaxUsers; ++user) {
    const std::string number = std::to_string(user);
    children.push_back({"아이" + number, 30 + user, 60 * user + 7, "pw" + number});
  }
  return orlimo::testing::FamilySettings(children, false, "5927", 0);
}

// A child of the save check: saves the small family once, which must leave no temporary file of
// the last kill behind, then saves the two families in turn until it ends itself with
// TerminateProcess, <moment> ticks of the clock later or, when <moment> is negative, as soon as its
// temporary file appears (200 ms at most). A save that throws ends it with another exit code.
int SaveUntilKilled(const fs::path& folder, Clock::rep moment) {
  SaveSettings(SmallFamily(), folder.u16string());
  const fs::path temporary = folder / L"Setup.ini.tmp";
  if (fs::exists(temporary)) return 5;
  std::thread([&folder] {
    while (true) {
      SaveSettings(FullFamily(), folder.u16string());
      SaveSettings(SmallFamily(), folder.u16string());
    }
  }).detach();
  const Clock::time_point at = Clock::now() + Clock::duration(moment < 0 ? 200'000'000 : moment);
  while (Clock::now() < at && (moment >= 0 || !fs::exists(temporary))) SwitchToThread();
  TerminateProcess(GetCurrentProcess(), kKilled);
  return 0;
}

// A save of Setup.ini cut off at any moment leaves the old settings or the new ones, whole: the
// child above is ended at random moments or as soon as its temporary file appears, in turn.
void CheckSaveSurvivesKills(const fs::path& folder, int kills) {
  const auto Fail = [](const std::string& why) {
    Report("save_survives_a_kill_at_any_moment", false, why);
  };
  const fs::path setup = folder / L"Setup.ini";
  SaveSettings(FullFamily(), folder.u16string());
  const std::string full = Bytes(setup);
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 10; ++i) SaveSettings(SmallFamily(), folder.u16string());
  // A kill falls within the first two saves.
  std::uniform_int_distribution<Clock::rep> moment(0, (Clock::now() - start).count() / 5);
  std::mt19937 random(20261207);
  const std::string small = Bytes(setup);
  if (small.size() == full.size()) return Fail("the two families save alike");

  int cutMidWrite = 0;
  for (int kill = 1; kill <= kills; ++kill) {
    const std::string which = "kill " + std::to_string(kill);
    const std::wstring arguments = L"--save \"" + folder.wstring() + L"\" " +
                                   std::to_wstring(kill % 2 == 0 ? -1 : moment(random));
    // Wine now and then refuses a start right after a process was ended: try again for a while.
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(10);
    StartedProcess child;
    while ((child = StartProcess(ModulePath(), arguments)).handle == nullptr) {
      if (Clock::now() > giveUp) return Fail(which + ": the saving process did not start");
      SwitchToThread();
    }
    const long exitCode = ExitCodeOf(child.handle, 60000);
    if (exitCode != static_cast<long>(kKilled)) {
      return Fail(which + ": the saving process ended otherwise, code " + std::to_string(exitCode));
    }
    cutMidWrite += fs::exists(folder / L"Setup.ini.tmp") ? 1 : 0;
    const std::string bytes = Bytes(setup);
    if (bytes != small && bytes != full) {
      return Fail(which + " left " + std::to_string(bytes.size()) + " bytes");
    }
  }
  // Otherwise every kill fell between two saves and nothing was proved.
  Report("save_survives_a_kill_at_any_moment (" + std::to_string(kills) + " kills, " +
             std::to_string(cutMidWrite) + " in the middle of a write)",
         cutMidWrite > 0, "no kill fell in the middle of a write");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"--save") {
    return SaveUntilKilled(argv[2], _wtoi64(argv[3]));
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: platform_check <folder>\n");
    return 2;
  }
  CheckRegistry();
  CheckInputBoxMask();
  CheckShutdownPrivilege();
  CheckSaveSurvivesKills(argv[1], 100);
  return failures == 0 ? 0 : 1;
}
