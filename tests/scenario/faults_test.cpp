// Missing sound files, an unwritable log, an unreadable registry value, an unreadable Setup.ini.
#include <filesystem>
#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "base/path.h"
#include "enforce/DialogEnd.h"
#include "records/registry_access.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

TEST(Faults, MissingSoundFilesLeaveTheProgramSilentButRunning) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}});
  scenario.Start();
  scenario.AdvanceSeconds(60);
  EXPECT_TRUE(scenario.CuesPlayed().empty());
  EXPECT_THAT(scenario.calls.Texts(),
              ::testing::Contains("Sound.Open(" + scenario.Folder() + "/CHIMES.WAV)"));
  EXPECT_EQ(scenario.program().settings.User(0).UsedSeconds, 30);
  EXPECT_EQ(scenario.LogLines().back(), "시작:첫째님(60분)  0분 사용, 60분 남음.");
}

TEST(Faults, AnUnwritableLogLosesItsLinesButNothingElse) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}});
  std::filesystem::create_directories(scenario.Folder() + "/Logs.txt");
  scenario.Start();
  scenario.AdvanceSeconds(90);
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 60);
  scenario.Close(scenario.main());
  EXPECT_TRUE(scenario.Ended());
  EXPECT_EQ(scenario.system.started.size(), 1u);
}

TEST(Faults, AnUnreadableStartupFolderValueStopsTheLoadWithoutTouchingTheSettings) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 1, 3000}});
  std::string before = scenario.SettingsBytes();
  scenario.registry.values.clear();
  scenario.Start();

  ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
  EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text), "Error, FormLoad");
  EXPECT_EQ(scenario.renderer.OpenMessageBox()->flags, forms::kMbOk);
  scenario.AdvanceSeconds(45);  // timers tick while the message is up
  scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
  scenario.AdvanceSeconds(300);

  EXPECT_EQ(scenario.SettingsBytes(), before);
  EXPECT_EQ(scenario.program().CurrentUser, -1);
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());
  EXPECT_FALSE(scenario.system.exitRequested);
  scenario.Close(scenario.main());
  EXPECT_EQ(scenario.SettingsBytes(), before);
}

TEST(Faults, StaleStartupShortcutsAreDeleted) {
  Scenario scenario;
  std::string startup = scenario.Folder() + "/startup";
  for (const char* name : {"StartupPCVarn.lnk", "startuppcvarn.pif", "Other.lnk"}) {
    std::ofstream(startup + "/" + name) << "x";
  }
  scenario.Start();
  EXPECT_FALSE(std::filesystem::exists(startup + "/StartupPCVarn.lnk"));
  EXPECT_FALSE(std::filesystem::exists(startup + "/startuppcvarn.pif"));
  EXPECT_TRUE(std::filesystem::exists(startup + "/Other.lnk"));
}

TEST(Faults, ASettingsFileThatFailsPartWayIsKeptAndTheReadPartUsed) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}, {"둘째", 45}});
  std::string good = scenario.SettingsBytes();
  std::string broken = good.substr(0, good.find("\r\n") + 2) + "\r\n" + good;
  std::ofstream(scenario.Folder() + "/Setup.ini", std::ios::binary) << broken;
  scenario.Start();

  EXPECT_EQ(scenario.program().settings.UserCount, 0);
  std::ifstream kept(scenario.Folder() + "/Setup.ini.bad", std::ios::binary);
  std::string keptBytes((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
  EXPECT_EQ(keptBytes, broken);
  EXPECT_EQ(scenario.SettingsOnDisk().UserCount, 0);
}

}  // namespace
}  // namespace orlimo::testing
