// An unreadable registry value, stale start-up shortcuts, a Setup.ini that fails part-way, a
// Setup.ini that cannot be saved. (Other unreadable files: bad_input_test.cpp.)
#include <algorithm>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "enforce/DialogEnd.h"
#include "records/registry_access.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

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
  for (const char16_t* name :
       {u"startup/StartupPCVarn.lnk", u"startup/startuppcvarn.pif", u"startup/Other.lnk"}) {
    scenario.Files().Write(name, "x");
  }
  scenario.Start();
  EXPECT_FALSE(scenario.Files().Exists(u"startup/StartupPCVarn.lnk"));
  EXPECT_FALSE(scenario.Files().Exists(u"startup/startuppcvarn.pif"));
  EXPECT_TRUE(scenario.Files().Exists(u"startup/Other.lnk"));
}

TEST(Faults, ASettingsFileThatFailsPartWayIsKeptAndTheReadPartUsed) {
  for (bool copyBlocked : {false, true}) {
    SCOPED_TRACE(copyBlocked ? "no copy can be kept until 60 s" : "kept at once");
    Scenario scenario;
    scenario.WriteFamily({{"첫째", 60}, {"둘째", 45}});
    std::string good = scenario.SettingsBytes();
    std::string broken = good.substr(0, good.find("\r\n") + 2) + "\r\n" + good;
    scenario.Files().Write(u"Setup.ini", broken);
    if (copyBlocked) scenario.Files().Block(u"Setup.ini.bad.tmp");
    scenario.Start();
    scenario.AdvanceSeconds(60);

    EXPECT_EQ(scenario.program().settings.UserCount, 0);
    EXPECT_EQ(scenario.program().settings.User(0).UsedSeconds, 30);  // supervised all the same
    EXPECT_THAT(scenario.LogLines(), ::testing::Contains("설정읽기 실패"));
    if (copyBlocked) {
      EXPECT_EQ(scenario.SettingsBytes(), broken);  // the only copy is not written over
      std::filesystem::remove_all(scenario.Files().File(u"Setup.ini.bad.tmp"));
      scenario.AdvanceSeconds(30);
    }
    EXPECT_EQ(scenario.Files().Bytes(u"Setup.ini.bad"), broken);
    EXPECT_EQ(scenario.SettingsOnDisk().UserCount, 0);
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, copyBlocked ? 60 : 30);
  }
}

TEST(Faults, ASaveThatFailsStopsNeitherMeteringNorTheTimeOut) {
  // Saving fails from before the start-up tick, or from the middle of the session, until 100 s.
  for (int failFrom : {10, 65}) {
    SCOPED_TRACE(failFrom);
    Scenario scenario;
    scenario.StartWith({{"첫째", 2}});
    scenario.AdvanceSeconds(failFrom);
    scenario.Files().Block(u"Setup.ini.tmp");
    scenario.AdvanceSeconds(100 - failFrom);

    EXPECT_TRUE(scenario.main().Visible());
    EXPECT_TRUE(scenario.renderer.MessageBoxes().empty());
    EXPECT_EQ(scenario.program().settings.User(0).UsedSeconds, 60);
    EXPECT_LT(scenario.SettingsOnDisk().User(0).UsedSeconds, 60);
    std::vector<std::string> lines = scenario.LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "설정저장 실패"), 1);  // once, not per step
    std::filesystem::remove_all(scenario.Files().File(u"Setup.ini.tmp"));
    scenario.AdvanceSeconds(20);  // the step at 120 s saves and finds the allowance used up
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 90);
    EXPECT_TRUE(scenario.program().EndDialog().Visible());
  }
}

}  // namespace
}  // namespace orlimo::testing
