// Whatever lies in the program's folder, the program starts, shows its window and meters on,
// keeps what it could read, and keeps an unreadable Setup.ini aside as Setup.ini.bad; an
// unreadable registry value, stale start-up shortcuts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "enforce/DialogEnd.h"
#include "records/registry_access.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

namespace fs = std::filesystem;

// Rewrites the Setup.ini of the two children every case starts from.
void EditSettings(Scenario& scenario, const std::function<std::string(std::string)>& edit) {
  scenario.WriteFamily({{"첫째", 60}, {"둘째", 45}});
  scenario.Files().Write(u"Setup.ini", edit(scenario.SettingsBytes()));
}

std::string Noise(std::size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; i += 4) {
    std::uint32_t word = random();
    for (std::size_t j = i; j < i + 4 && j < size; ++j, word >>= 8) {
      bytes[j] = static_cast<char>(word & 0xFF);
    }
  }
  return bytes;
}

struct Case {
  const char* what;
  std::function<void(Scenario&)> prepare;
  // The users after the start, in order.
  std::vector<std::string> names;
  // The file is unreadable from some line on and is kept whole as Setup.ini.bad.
  bool keptAside = false;
  // Setup.ini can be written, so the metering reaches the disk.
  bool settingsWritable = true;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"10 MB of noise after the users",
       [](Scenario& s) {
         EditSettings(s, [](std::string bytes) { return bytes + Noise(10 << 20); });
       },
       {"첫째", "둘째"},
       true},
      {"Setup.ini is a folder (left as it is: no copy of it can be kept)",
       [](Scenario& s) { s.Files().Block(u"Setup.ini"); },
       {},
       false,
       false},
      {"a half-written Setup.ini.tmp, left by a save that was cut off; names with emoji",
       [](Scenario& s) {
         s.WriteFamily({{"민준😀", 60}, {"🎮🎲", 45}});
         s.Files().Write(u"Setup.ini.tmp", "User,");
       },
       {"민준😀", "🎮🎲"}},
      {"Logs.txt is a folder",
       [](Scenario& s) {
         s.WriteFamily({{"첫째", 60}, {"둘째", 45}});
         s.Files().Block(u"Logs.txt");
       },
       {"첫째", "둘째"}},
      {"Logs.txt cannot be written",
       [](Scenario& s) {
         s.WriteFamily({{"첫째", 60}, {"둘째", 45}});
         fs::create_symlink(s.Folder() + "/missing/Logs.txt", s.Folder() + "/Logs.txt");
       },
       {"첫째", "둘째"}},
  };
  return cases;
}

TEST(BadInput, TheProgramStartsMetersAndKeepsWhatItCouldRead) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    Scenario scenario;
    c.prepare(scenario);
    const std::string original = scenario.SettingsBytes();

    scenario.Start();
    EXPECT_TRUE(scenario.renderer.MessageBoxes().empty());

    const SessionSnapshot& read = scenario.program().view;
    std::vector<std::string> names;
    for (const RowView& user : read.users) names.push_back(S(user.name));
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(scenario.Files().Exists(u"Setup.ini.bad"), c.keptAside);
    if (c.keptAside) {
      EXPECT_TRUE(scenario.Files().Bytes(u"Setup.ini.bad") == original);
    }

    scenario.AdvanceSeconds(60);  // the start-up tick, then one metering step
    frmMain& main = scenario.main();
    EXPECT_FALSE(scenario.Ended());
    EXPECT_TRUE(main.Visible());
    for (std::size_t user = 0; user < names.size(); ++user) {
      EXPECT_TRUE(main.cmdUser[static_cast<int>(user)].Visible()) << user;
    }
    if (!names.empty()) {
      ASSERT_EQ(read.currentUser, 0);
      EXPECT_EQ(read.users[0].usedSeconds, 30);
    }
    if (c.settingsWritable) {
      Settings onDisk = scenario.SettingsOnDisk();
      EXPECT_EQ(onDisk.UserCount, read.UserCount());
      if (!names.empty()) {
        EXPECT_EQ(onDisk.User(0).UsedSeconds, 30);
      }
      EXPECT_FALSE(scenario.Files().Exists(u"Setup.ini.bad2"));  // what was written reads whole
      EXPECT_FALSE(scenario.Files().Exists(u"Setup.ini.tmp"));
    }

    scenario.Close(main);  // an unusable log or Setup.ini stops none of the closing steps
    EXPECT_TRUE(scenario.Ended());
    EXPECT_EQ(scenario.system.started.size(), 1u);
  }
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
