// A save of Setup.ini cut off at any moment leaves the old settings or the new ones, whole. The
// driver starts itself as a child that saves two families in turn, ends it with TerminateProcess
// at random moments or as soon as its temporary file appears, and reads what is left.
//   save_crash <folder> <kills>   prints one PASS or FAIL line; exits 1 on a failure
//   save_crash --save <folder>    the child: saves until it is ended
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "records/settings.h"
#include "support/two_families.h"
#include "win32/own_path.h"
#include "win32/start_process.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using orlimo::Text;
using orlimo::Main::SaveSettings;
using orlimo::testing::FullFamily;
using orlimo::testing::SmallFamily;

constexpr DWORD kKilled = 99;

std::string Bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int Fail(const std::string& why) {
  std::printf("FAIL the save survives a kill at any moment: %s\n", why.c_str());
  return 1;
}

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

int KillSaves(const Text& folder, int kills) {
  const fs::path where(folder);
  SaveSettings(FullFamily(), folder);
  const std::string bytesFull = Bytes(where / L"Setup.ini");
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 10; ++i) SaveSettings(SmallFamily(), folder);
  const auto save =
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / 10;
  const std::string bytesSmall = Bytes(where / L"Setup.ini");
  if (bytesSmall.size() == bytesFull.size()) return Fail("the two families save alike");

  const std::wstring saveArguments = L"--save \"" + orlimo::win32::ToWide(folder) + L"\"";
  std::mt19937 random(20261207);
  std::uniform_int_distribution<long long> moment(0, 2 * save.count());  // the first two saves
  int cutMidWrite = 0;
  for (int kill = 1; kill <= kills; ++kill) {
    const std::string which = "kill " + std::to_string(kill);
    fs::remove(where / L"ready");
    // Wine now and then refuses a start right after a process was ended: try again for a while.
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(10);
    orlimo::win32::StartedProcess child;
    while (
        (child = orlimo::win32::StartProcess(orlimo::win32::ModulePath(), saveArguments)).handle ==
        nullptr) {
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
    const long exitCode = orlimo::win32::ExitCodeOf(child.handle, INFINITE);
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
  std::printf(
      "PASS the save survives a kill at any moment: %d kills, %d in the middle of a write; "
      "one save takes %lld us\n",
      kills, cutMidWrite, static_cast<long long>(save.count()));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: save_crash <folder> <kills> | --save <folder>\n");
    return 2;
  }
  if (std::wstring(argv[1]) == L"--save") return SaveForever(orlimo::win32::FromWide(argv[2]));
  return KillSaves(orlimo::win32::FromWide(argv[1]), _wtoi(argv[2]));
}
