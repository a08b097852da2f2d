// An unreadable registry value, stale start-up shortcuts. (A Setup.ini that fails part-way or
// cannot be saved: supervision_test.cpp; other unreadable files: bad_input_test.cpp.)
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
  EXPECT_EQ(scenario.program().view.currentUser, -1);
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

}  // namespace
}  // namespace orlimo::testing
