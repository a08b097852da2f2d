// A save of Setup.ini cut off at any moment leaves the old settings or the new ones, whole.
// A child process saves two families in turn and is killed at random moments, or as soon as its
// temporary file appears, 500 times; real time is used only for the moments of the kills. The
// folder is memory-backed where the machine has it: a killed process leaves what it wrote in the
// system's file cache all the same, and each kill costs little.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "records/settings.h"
#include "support/test_folder.h"
#include "support/two_families.h"

namespace orlimo {
namespace {

using Clock = std::chrono::steady_clock;
using testing::TestFolder;

constexpr int kKills = 500;

bool SameTable(const Settings& left, const Settings& right) {
  return left.UserTable == right.UserTable && left.UserCount == right.UserCount &&
         left.ParentPassword == right.ParentPassword && left.PasswordsInUse == right.PasswordsInUse;
}

// Saves A once (a fresh process is slow at its first save), which must leave no temporary file
// from the last kill behind, tells the parent, then saves B and A in turn until killed; ends with
// a failure code if a save fails.
[[noreturn]] void SaveForever(int ready, const TestFolder& folder, const Settings& a,
                              const Settings& b) {
  try {
    Main::SaveSettings(a, folder.folder());
    if (folder.Exists(u"Setup.ini.tmp")) _exit(5);
    char started = 1;
    if (write(ready, &started, 1) != 1) _exit(4);
    while (true) {
      Main::SaveSettings(b, folder.folder());
      Main::SaveSettings(a, folder.folder());
    }
  } catch (...) {
    _exit(3);
  }
}

// How long one save takes here, so that the kills are spread over whole saves.
Clock::duration OneSave(const Text& folder, const Settings& settings) {
  constexpr int kSaves = 10;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kSaves; ++i) Main::SaveSettings(settings, folder);
  return (Clock::now() - start) / kSaves;
}

// Every other kill comes as soon as a temporary file is seen, so that kills land in the middle of
// a write however short the writes are on this machine's disk.
void WaitForTheTemporaryFile(const TestFolder& folder) {
  const Clock::time_point giveUp = Clock::now() + std::chrono::milliseconds(200);
  while (!folder.Exists(u"Setup.ini.tmp") && Clock::now() < giveUp) std::this_thread::yield();
}

TEST(CrashSafety, AKillAtAnyMomentOfASaveLeavesTheOldOrTheNewSettingsWhole) {
  TestFolder folder;
  const Settings a = testing::SmallFamily();
  const Settings b = testing::FullFamily();
  Main::SaveSettings(b, folder.folder());
  const std::string bytesB = folder.Bytes(u"Setup.ini");
  Main::SaveSettings(a, folder.folder());
  const std::string bytesA = folder.Bytes(u"Setup.ini");
  ASSERT_NE(bytesA.size(), bytesB.size());

  const auto save =
      std::chrono::duration_cast<std::chrono::microseconds>(OneSave(folder.folder(), a));
  std::mt19937 random(20261206);
  // Anywhere in the child's first two saves.
  std::uniform_int_distribution<long> moment(0, 2 * save.count());

  int cutMidWrite = 0;
  for (int kills = 1; kills <= kKills; ++kills) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(ready[1], folder, a, b);
    char started = 0;
    ssize_t heard = read(ready[0], &started, 1);
    close(ready[0]);
    close(ready[1]);
    ASSERT_EQ(heard, 1);
    if (kills % 2 == 1) {
      std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    } else {
      WaitForTheTemporaryFile(folder);
    }
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "kill " << kills << ": the saving process ended by itself, status " << status;
    if (folder.Exists(u"Setup.ini.tmp")) ++cutMidWrite;

    const std::string bytes = folder.Bytes(u"Setup.ini");
    ASSERT_TRUE(bytes == bytesA || bytes == bytesB)
        << "kill " << kills << " left " << bytes.size() << " bytes";
    Settings loaded;
    Main::LoadSettings(loaded, folder.folder());
    ASSERT_FALSE(folder.Exists(u"Setup.ini.bad")) << "kill " << kills;
    ASSERT_TRUE(SameTable(loaded, a) || SameTable(loaded, b)) << "kill " << kills;
  }
  // Otherwise every kill fell between two saves and nothing was proved.
  EXPECT_GT(cutMidWrite, 0) << "of " << kKills << " kills";
  RecordProperty("cut_mid_write", cutMidWrite);
  std::printf("%d kills, %d of them in the middle of a write; one save takes %lld us\n", kKills,
              cutMidWrite, static_cast<long long>(save.count()));
}

}  // namespace
}  // namespace orlimo
