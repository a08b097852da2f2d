// The program on a guarded PC, driven through its windows against a real guard over an in-memory
// channel, both on the same virtual time: it shows what the guard counts and decides, leaves the
// data folder to the guard, and says so in its caption while the guard cannot be reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "console/frmChildDays.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "console/frmUsageChart.h"
#include "enforce/DialogEnd.h"
#include "guard/guard.h"
#include "guard/guard_records.h"
#include "guard/in_memory_channel.h"
#include "platform/fake/fake_guard_host.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

constexpr char16_t kOrlimo[] = u"C:\\Program Files\\Orlimo\\Orlimo.exe";
constexpr std::int64_t kKorea = 9 * 3600;
constexpr guard::SessionId kSession = 1;
constexpr char kUnreachable[] = "[보호 연결 끊김]";

// The guard reads the same virtual time as the program, across the program's restarts.
class SharedSystemClock : public platform::SystemClock {
 public:
  explicit SharedSystemClock(const fake::FakeClock& clock) : clock_(&clock) {}
  std::int64_t UtcSeconds() const override { return SecondsFromFields(clock_->Now()) - kKorea; }
  std::int64_t ZoneOffsetSeconds() const override { return kKorea; }
  std::int64_t SteadyMs() const override { return baseMs_ + clock_->ElapsedMs(); }
  void Follow(const fake::FakeClock& clock) {
    baseMs_ = SteadyMs();
    clock_ = &clock;
  }

 private:
  const fake::FakeClock* clock_;
  std::int64_t baseMs_ = 0;
};

// The pipe, which the guard's end can drop.
class UnpluggableChannel : public guard::GuardChannel {
 public:
  explicit UnpluggableChannel(guard::Guard& guard) : inner_(guard, kSession) {}
  std::optional<std::string> Exchange(std::string_view frame) override {
    if (!plugged) return std::nullopt;
    return inner_.Exchange(frame);
  }
  void Unplug() {
    plugged = false;
    inner_.Close();
  }
  bool plugged = true;

 private:
  guard::InMemoryChannel inner_;
};

// The family as the guard's data folder holds it before Windows starts.
bool WriteFamily(const TestFolder& data, const std::vector<Child>& family, bool passwordsInUse) {
  const Settings settings =
      FamilySettings(family, passwordsInUse, "parent!", DateFromFields(Scenario::kDefaultStart));
  Main::SaveSettings(settings, data.folder());
  // The first child used 45 of 60 minutes yesterday.
  FamilyDays days{};
  const DayNumber today = Main::DayOf(DateFromFields(Scenario::kDefaultStart));
  Main::RecordUsage(days[0], today - 1, 45, 60, today);
  Main::SaveFamilyDays(days, settings, data.folder(), fake::Cp949CodePage{});
  return true;
}

class GuardedRig {
 public:
  GuardedRig(const std::vector<Child>& family, bool passwordsInUse)
      : written_(WriteFamily(data_, family, passwordsInUse)) {
    host_.sessions.insert(kSession);
    host_.programs[kSession].push_back(kOrlimo);
    StartProgram(Scenario::kDefaultStart);
  }
  ~GuardedRig() {
    channel.Unplug();
    scenario_.reset();
  }

  // The program ends and starts again; the guard goes on.
  void RestartProgram() {
    const DateTimeFields now = scenario_->clock.Now();
    channel.Unplug();
    systemClock_.Follow(betweenRunsClock_);
    scenario_.reset();
    channel.plugged = true;
    StartProgram(now);
  }
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      scenario_->AdvanceSeconds(1);
      guard_.Poll();
    }
  }
  Scenario& program() { return *scenario_; }
  const Settings& guarded() const { return guard_.settings(); }
  bool Logged(const std::string& text) const {
    for (const Text& line : SplitLines(codePage_.Decode(data_.Bytes(u"Logs.txt")))) {
      if (S(line.substr(20)) == text) return true;
    }
    return false;
  }

 private:
  void StartProgram(const DateTimeFields& now) {
    scenario_ = std::make_unique<Scenario>(now);
    systemClock_.Follow(scenario_->clock);
    scenario_->UseRecords(std::make_unique<guard::GuardRecords>(channel, scenario_->clock));
    guard_.Poll();
    scenario_->Start();
  }

  TestFolder data_;
  const bool written_;
  fake::FakeClock betweenRunsClock_{Scenario::kDefaultStart};
  SharedSystemClock systemClock_{betweenRunsClock_};
  fake::FakeSessionHost host_;
  fake::FakeRegistry registry_;
  fake::Cp949CodePage codePage_;
  guard::Guard guard_{guard::GuardPlatform{systemClock_, host_, registry_, codePage_},
                      data_.folder(), kOrlimo};

 public:
  UnpluggableChannel channel{guard_};

 private:
  std::unique_ptr<Scenario> scenario_;
};

TEST(GuardedProgram, ShowsAndAsksTheGuardAndNeverTheDataFolder) {
  struct Case {
    const char* what;
    bool passwordsInUse;
    std::vector<Child> family;
    std::function<void(GuardedRig&)> act;
    std::function<void(GuardedRig&)> check;
  };
  const std::vector<Child> twoWithPasswords{{"첫째", 60, 0, "abc"}, {"둘째", 60, 0, "xyz"}};
  const std::vector<Case> cases{
      {"a wrong password is refused as usual, and the guard makes the session wait", true,
       twoWithPasswords, [](GuardedRig& rig) { rig.program().ChooseUser(1, "bad"); },
       [](GuardedRig& rig) {
         Program& program = rig.program().program();
         EXPECT_EQ(S(program.UserPrompt().lMsg.Caption()), "암호가 틀렸습니다.");
         EXPECT_EQ(program.CurrentUser, -1);
         EXPECT_TRUE(rig.Logged("보호: 암호 대기 1초"));
       }},
      {"the right password makes the child current in the guard, which meters it", true,
       twoWithPasswords,
       [](GuardedRig& rig) {
         rig.program().ChooseUser(1, "xyz");
         rig.Run(95);
       },
       [](GuardedRig& rig) {
         Program& program = rig.program().program();
         EXPECT_EQ(program.CurrentUser, 1);
         EXPECT_GE(rig.guarded().User(1).UsedSeconds, 60);
         EXPECT_EQ(program.settings.User(1).UsedSeconds, rig.guarded().User(1).UsedSeconds);
         EXPECT_EQ(program.settings.User(1).Password, u"");
         EXPECT_EQ(program.settings.ParentPassword, u"");
       }},
      {"the console's store goes to the guard", true, twoWithPasswords,
       [](GuardedRig& rig) {
         frmSetup& console = rig.program().OpenConsole("parent!");
         EXPECT_EQ(S(console.tUserPWD[1].GetText()), "xyz");
         rig.program().Edit(console.tLimitMins[0], "90");
         rig.program().Click(console.cmdStoreEnd);
       },
       [](GuardedRig& rig) {
         EXPECT_EQ(rig.guarded().User(0).LimitMinutes, 90);
         EXPECT_EQ(rig.guarded().User(1).Password, u"xyz");
         EXPECT_TRUE(rig.Logged("설정시도: 암호 맞음, (첫째)"));
         EXPECT_EQ(rig.program().program().settings.User(1).Password, u"");
       }},
      {"the log viewer shows the guard's log", true, twoWithPasswords,
       [](GuardedRig& rig) {
         rig.program().ChooseUser(0, "wrong");
         rig.program().AdvanceSeconds(2);
         frmSetup& console = rig.program().OpenConsole("parent!");
         rig.program().Click(console.cmdSeeLogs);
       },
       [](GuardedRig& rig) {
         const std::string shown = S(rig.program().program().SetupConsole().tMsg.GetText());
         EXPECT_NE(shown.find("보호: 암호 대기 1초\r\n"), std::string::npos) << shown;
       }},
      {"the console's usage chart shows the days the guard recorded", true, twoWithPasswords,
       [](GuardedRig& rig) { rig.program().Click(rig.program().OpenConsole("parent!").cmdChart); },
       [](GuardedRig& rig) {
         const frmUsageChart& chart = rig.program().program().ChartWindow();
         ASSERT_TRUE(chart.Visible());
         EXPECT_EQ(chart.chtDays[0].Bars().at(12), (forms::ChartBar{45, 60}));
       }},
      {"the countdown shows when the guard says, and again after the program restarts; the "
       "power-off at its end is the guard's alone",
       false,
       {{"첫째", 1, 40, ""}},
       [](GuardedRig& rig) {
         rig.Run(33);
         EXPECT_TRUE(rig.program().program().EndDialog().Visible());
         rig.Run(10);
         rig.RestartProgram();
         rig.Run(3);
         DialogEnd& countdown = rig.program().program().EndDialog();
         EXPECT_TRUE(countdown.Visible());
         EXPECT_LE(countdown.TimerEnd.Interval(), 17000);
         EXPECT_GE(countdown.TimerEnd.Interval(), 12000);
         rig.Run(80);
       },
       [](GuardedRig& rig) {
         EXPECT_FALSE(rig.program().program().EndDialog().Visible());
         EXPECT_TRUE(rig.Logged("보호: 전원 끄기"));
         EXPECT_FALSE(rig.program().system.exitRequested);
       }},
      {"extra minutes given in the days dialog keep the guard from counting the child out",
       false,
       {{"첫째", 1, 40, ""}},
       [](GuardedRig& rig) {
         frmSetup& console = rig.program().OpenConsole("parent!");
         rig.program().Click(console.cmdDays[0]);
         frmChildDays& days = rig.program().program().DaysDialog();
         rig.program().Edit(days.tExtra, "10");
         rig.program().Click(days.cmdOK);
         rig.program().Click(console.cmdCancel);
         rig.Run(70);
         rig.RestartProgram();
         rig.Run(3);
       },
       [](GuardedRig& rig) {
         EXPECT_EQ(S(rig.program().main().cmdUser[0].Caption()), "첫째 (11분)");
         EXPECT_FALSE(rig.Logged("보호: 전원 끄기"));
       }},
      {"an unreachable guard shows in the caption until it answers again", true, twoWithPasswords,
       [](GuardedRig& rig) {
         rig.channel.Unplug();
         rig.Run(4);
         EXPECT_NE(S(rig.program().main().Caption()).find(kUnreachable), std::string::npos);
         rig.channel.plugged = true;
         rig.Run(4);
       },
       [](GuardedRig& rig) {
         EXPECT_EQ(S(rig.program().main().Caption()).find(kUnreachable), std::string::npos);
         EXPECT_TRUE(rig.program().main().Visible());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GuardedRig rig(c.family, c.passwordsInUse);
    rig.Run(1);
    c.act(rig);
    c.check(rig);
    EXPECT_FALSE(rig.program().Files().Exists(Main::kSettingsFileName));
    EXPECT_FALSE(rig.program().Files().Exists(Main::kLogFileName));
  }
}

}  // namespace
}  // namespace orlimo::testing
