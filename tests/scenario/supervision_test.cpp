// The supervisor's stories, each told twice: by the portable program, which hosts the rules
// itself, and by the program of a guarded PC, which shows what a real guard decides over the
// in-memory channel. The same windows, cues and log lines are expected of both; what only one
// host does (the program's power-off request, the guard's own "보호:" lines) is checked apart.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "app/frmMoreTime.h"
#include "app/frmNotice.h"
#include "app/frmSmall.h"
#include "console/frmChildDays.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "enforce/DialogEnd.h"
#include "records/day_allowance.h"
#include "records/family_days.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

const std::string kCaption = "Orlimo Ver." ORLIMO_VERSION_TEXT "    Orlimo  (C) Orlimo 개발팀";
const std::vector<std::string> kAdvice = {"독서를 합시다",     "운동을 합시다",
                                          "음악감상 합시다",   "엄마와 대화합시다",
                                          "아빠와 대화합시다", "컴.중독되지맙시다"};

// A scenario of the story's host; guarded, the program must never have opened a family file.
class Hosted : public Scenario {
 public:
  explicit Hosted(Host host, const DateTimeFields& start = kDefaultStart) : Scenario(host, start) {}
  ~Hosted() {
    if (host() == Host::Guarded) {
      EXPECT_TRUE(ProgramFolderHoldsNoFamilyFile());
    }
  }
};

class Supervision : public ::testing::TestWithParam<Host> {};

std::int32_t UsedSeconds(Scenario& scenario, int user = 0) {
  return scenario.program().view.users.at(static_cast<std::size_t>(user)).usedSeconds;
}
int Current(Scenario& scenario) {
  return scenario.program().view.currentUser;
}
std::vector<std::string> Last(const std::vector<std::string>& lines, std::size_t count) {
  return {lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())), lines.end()};
}
long Count(const std::vector<std::string>& lines, const std::string& line) {
  return std::count(lines.begin(), lines.end(), line);
}
// ---- start-up and closing ------------------------------------------------------------------

// Two start lines at once, the window top right; the chime and the start line 30 s later.
TEST_P(Supervision, StartsWithTwoLinesAndChimesThirtySecondsLater) {
  Hosted scenario(GetParam());
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 60}});
  EXPECT_THAT(scenario.LogLines(), ElementsAre("(*----------------------------*)", kCaption));
  const forms::Bounds& bounds = scenario.main().Bounds();
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.left + bounds.width, 15360);
  EXPECT_TRUE(scenario.main().Visible());
  EXPECT_EQ(S(scenario.main().Caption()), kCaption);

  scenario.AdvanceSeconds(29.9);
  EXPECT_TRUE(scenario.CuesPlayed().empty());
  EXPECT_EQ(scenario.LogLines().size(), 2u);
  scenario.AdvanceSeconds(0.1);
  EXPECT_THAT(scenario.CuesPlayed(), ElementsAre("CHIMES.WAV"));
  EXPECT_EQ(scenario.LogLines().back(), "시작:첫째님(60분)  0분 사용, 60분 남음.");
  EXPECT_EQ(scenario.LogLinesWithStamps().back().substr(0, 19), "2026-12-06 15:00:30");
}

TEST_P(Supervision, ShowsOneRowPerUserAndSizesTheWindow) {
  struct Case {
    int users;
    int height;
  };
  for (const Case& c : {Case{0, 850}, Case{1, 1600}, Case{10, 8350}}) {
    SCOPED_TRACE(c.users);
    Hosted scenario(GetParam());
    std::vector<Child> family;
    for (int i = 0; i < c.users; ++i) family.push_back({"아이" + std::to_string(i), 30});
    scenario.StartWith(family, /*passwordsInUse=*/true);

    frmMain& main = scenario.main();
    EXPECT_EQ(main.Bounds().height, c.height);
    for (int i = 0; i < 10; ++i) {
      bool inUse = i < c.users;
      EXPECT_EQ(main.cmdUser[i].Visible(), inUse) << i;
      EXPECT_EQ(main.lStatus[i].Visible(), inUse) << i;
      EXPECT_EQ(main.cmdPwd[i].Visible(), inUse) << i;
    }
    if (c.users > 0) {
      EXPECT_EQ(S(main.cmdUser[0].Caption()), "아이0 (30분)");
    }
  }
}

// The second copy ends at once with three lines and leaves Setup.ini as it was.
TEST_P(Supervision, SecondInstanceLogsThreeLinesAndLeavesTheSettingsAlone) {
  Hosted scenario(GetParam());
  scenario.WriteFamily({});
  std::string before = scenario.SettingsBytes();
  scenario.system.anotherInstance = true;
  scenario.Start();

  EXPECT_TRUE(scenario.Ended());
  EXPECT_TRUE(scenario.renderer.ProgramEndedAtOnce());
  EXPECT_THAT(scenario.LogLines(), ElementsAre("(*----------------------------*)", kCaption,
                                               "정상종료:님(0분)  0분 사용, 0분 남음."));
  EXPECT_EQ(scenario.SettingsBytes(), before);
  EXPECT_TRUE(scenario.system.started.empty());
}

// The companion counts as running whatever the case of its name.
TEST_P(Supervision, ClosingCreditsTheLastStepAndStartsTheCompanionUnlessTheSessionEnds) {
  struct Case {
    const char* what;
    int seconds;  // after the start
    bool logOff;  // Windows ends the session instead of a close
    std::vector<platform::ProcessEntry> running;
    std::int32_t saved;  // used seconds in Setup.ini afterwards
    std::size_t starts;  // of the companion
  };
  const Case cases[] = {
      {"closed before the start-up step: nothing credited", 20, false, {}, 600, 1},
      {"closed after it", 45, false, {}, 615, 1},
      {"closed, the companion running", 45, false, {{77, u"VARNRUNCOM.EXE"}}, 615, 0},
      {"logging off: Windows may end it at any moment", 50, true, {}, 620, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Hosted scenario(GetParam());
    scenario.system.processes = c.running;
    scenario.StartWith({{"첫째", 60, 600}});
    const std::string afterLoad = scenario.SettingsBytes();
    scenario.AdvanceSeconds(c.seconds);
    if (c.logOff) {
      scenario.Do([&] { scenario.program().SessionEnding(); });
    } else {
      scenario.Close(scenario.main());
    }

    EXPECT_TRUE(scenario.Ended());
    EXPECT_EQ(scenario.renderer.ProgramEndedAtOnce(), c.logOff);
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, c.saved);
    EXPECT_EQ(scenario.DaysOnDisk()[0].History.at(DayOfDate(Scenario::kDefaultStart)),
              (DayUsage{10, 60}));
    if (c.seconds < 30) {
      EXPECT_EQ(scenario.SettingsBytes(), afterLoad);
    }
    const std::vector<std::string> lines = scenario.LogLines();
    ASSERT_EQ(lines.size(), c.seconds < 30 ? 4u : 5u);  // the start-up step's line, if reached
    EXPECT_THAT(Last(lines, 2), ElementsAre("정상종료:첫째님(60분)  10분 사용, 50분 남음.",
                                            "강제종료:첫째님(60분)  10분 사용, 50분 남음."));
    ASSERT_EQ(scenario.system.started.size(), c.starts);
    if (c.starts == 1) {
      EXPECT_EQ(S(scenario.system.started[0]), scenario.Folder() + "/VarnRunCom.exe");
    }
  }
}

TEST_P(Supervision, HidingShowsTheSmallWindowInTheSameCornerAndMeteringGoesOn) {
  Hosted scenario(GetParam());
  scenario.StartWith({{"첫째", 60}});
  scenario.AdvanceSeconds(40);
  scenario.Click(scenario.main().cmdHide);

  frmSmall& small = scenario.program().SmallWindow();
  EXPECT_FALSE(scenario.main().Visible());
  ASSERT_TRUE(small.Visible());
  EXPECT_EQ(small.Bounds().top, 0);
  EXPECT_EQ(small.Bounds().left + small.Bounds().width, 15360);

  scenario.AdvanceSeconds(30);
  EXPECT_EQ(UsedSeconds(scenario), 30);
  scenario.ClickForm(small);
  EXPECT_FALSE(small.Loaded());
  EXPECT_TRUE(scenario.main().Visible());
  EXPECT_EQ(S(scenario.main().lStatus[0].Caption()), "남은시간= 60분 (3570초)");
  EXPECT_EQ(scenario.main().cmdUser[0].BackColor(), forms::kGreen);

  scenario.Click(scenario.main().cmdHide);  // closing the small window also brings it back
  scenario.Close(small);
  EXPECT_FALSE(small.Loaded());
  EXPECT_TRUE(scenario.main().Visible());
}

TEST_P(Supervision, AUsageLineIsWrittenAtTheSixtyFirstStep) {
  Hosted scenario(GetParam());
  scenario.StartWith({{"첫째", 600}});
  scenario.AdvanceSeconds(30 + 58 * 30);  // the start-up step and 58 more
  auto countInUse = [&] {
    auto lines = scenario.LogLines();
    return std::count_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.starts_with("사용중:"); });
  };
  EXPECT_EQ(countInUse(), 0);
  scenario.AdvanceSeconds(30);
  EXPECT_EQ(countInUse(), 0);
  scenario.AdvanceSeconds(30);  // step 61
  EXPECT_EQ(countInUse(), 1);
  EXPECT_EQ(scenario.LogLines().back(), "사용중:첫째님(600분)  30분 사용, 570분 남음.");
  scenario.AdvanceSeconds(61 * 30);
  EXPECT_EQ(countInUse(), 2);
}

// Left running past midnight, the program closes the day at the first step after it: the day's
// use goes into the history, the figures start again, and the new day's allowance holds.
TEST_P(Supervision, TheDayTurnsAtTheFirstStepPastMidnight) {
  // Saturday 5 December: 120 minutes on Saturdays, 30 on Sundays; 50 minutes used at 23:55, and
  // 15 extra minutes given for Saturday.
  const DateTimeFields start{2026, 12, 5, 23, 55, 0};
  Hosted scenario(GetParam(), start);
  scenario.WriteFamily({{"첫째", 60, 3000}});
  FamilyDays days{};
  days[0].WeekdayMinutes[6] = 120;
  days[0].WeekdayMinutes[0] = 30;
  Main::GiveExtraMinutes(days[0], DayOfDate(start), 15);
  scenario.WriteDays(days);
  scenario.Start();
  scenario.AdvanceSeconds(30);
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (135분)");
  scenario.AdvanceSeconds(270);  // the step at midnight: 30 s more for Saturday, then Sunday
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (30분)");
  EXPECT_EQ(S(scenario.main().lStatus[0].Caption()), "남은시간= 30분 (1800초)");
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());
  EXPECT_THAT(scenario.LogLines(), ::testing::Not(Contains(::testing::StartsWith("종료시작"))));
  // 3000 s and 270 s: 54.5 minutes, rounded to the even 54.
  EXPECT_EQ(scenario.DaysOnDisk()[0].History.at(DayOfDate(start)), (DayUsage{54, 135}));
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).Day, DateFromFields({2026, 12, 6, 0, 0, 0}));
  scenario.AdvanceSeconds(30);
  EXPECT_EQ(UsedSeconds(scenario), 30);
}

// ---- the warnings --------------------------------------------------------------------------

struct Shown {
  std::int32_t usedSeconds;
  std::string text;
  bool operator==(const Shown&) const = default;
};

// What the notice said at each 30-second step that showed one, with the seconds used then.
std::vector<Shown> RunSteps(Scenario& scenario, int steps) {
  std::vector<Shown> shown;
  frmNotice& notice = scenario.program().Notice();
  for (int i = 0; i < steps; ++i) {
    bool wasShown = notice.Visible();
    scenario.AdvanceSeconds(10);
    if (wasShown) {
      EXPECT_FALSE(notice.Loaded()) << "closes itself after 10 s";
    }
    scenario.AdvanceSeconds(20);
    if (notice.Visible()) {
      shown.push_back({UsedSeconds(scenario), S(notice.lMessage.Caption())});
      EXPECT_TRUE(notice.TopMost());
      EXPECT_TRUE(notice.NoActivate());  // the child's typing stays where it was
      EXPECT_EQ(scenario.CuesPlayed().back(), "CHIMES.WAV");
    }
  }
  return shown;
}

const std::string kFive = "첫째 님, 5분 남았습니다.";
const std::string kOne = "첫째 님, 1분 남았습니다. 작업을 저장하십시오.";

// The notices come before the day's allowance runs out (a Monday's 10 minutes, against a daily
// 60), once each, and again after the parent gives extra minutes.
TEST_P(Supervision, NoticesAtFiveAndOneMinuteOfTheDaysAllowanceOnceAndAgainAfterExtraMinutes) {
  const DateTimeFields monday{2026, 12, 7, 15, 0, 0};
  Hosted scenario(GetParam(), monday);
  scenario.PlaceSoundFiles();
  scenario.WriteFamily({{"첫째", 60}}, false, "parent!");
  FamilyDays days{};
  days[0].WeekdayMinutes[1] = 10;
  scenario.WriteDays(days);
  scenario.Start();
  std::vector<Shown> shown = RunSteps(scenario, 19);
  EXPECT_THAT(shown, ElementsAre(Shown{300, kFive}, Shown{540, kOne}));
  EXPECT_FALSE(scenario.program().EndDialog().Visible());
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (10분)");

  frmSetup& console = scenario.OpenConsole("parent!");
  scenario.Click(console.cmdDays[0]);
  frmChildDays& dialog = scenario.program().DaysDialog();
  scenario.Edit(dialog.tExtra, "10");
  scenario.Click(dialog.cmdOK);
  scenario.Click(console.cmdCancel);
  EXPECT_EQ(scenario.LogLines().back(), "추가시간:첫째님 10분 더함, 오늘 20분");
  scenario.AdvanceSeconds(30);  // metering again 30 s after the console
  shown = RunSteps(scenario, 19);
  EXPECT_THAT(shown, ElementsAre(Shown{900, kFive}, Shown{1140, kOne}));
  EXPECT_FALSE(scenario.program().EndDialog().Visible());
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (20분)");
}

// ---- the hours of the day ------------------------------------------------------------------

// The hours 첫째 may use the PC on a Saturday (5 December 2026).
FamilyDays SaturdayHours(const std::string& hours) {
  FamilyDays days{};
  days[0].Hours[6] = Main::ReadHours(U(hours));
  return days;
}

// The hours end the day's use as a used-up allowance does: the row shows their end when it comes
// first, the notices come before it, and the countdown starts at it; when the allowance runs out
// first, the hours change nothing.
TEST_P(Supervision, TheHoursOfTheDayEndItsUseAsAUsedUpAllowanceDoes) {
  struct Case {
    const char* what;
    std::string hours;
    std::int32_t usedSeconds;  // of 60 minutes, at 21:00
    std::string row;           // at the start-up tick, 21:00:30
    int steps;                 // of 30 s to the countdown
    std::vector<Shown> notices;
  };
  const Case cases[] = {
      {"the hours end first",
       "08:00-21:30",
       0,
       "21:30까지 29분 (1770초)",
       59,
       {{1470, "첫째 님, 5분 뒤 사용 시간이 끝납니다."},
        {1710, "첫째 님, 1분 뒤 사용 시간이 끝납니다. 작업을 저장하십시오."}}},
      {"the allowance runs out first",
       "08:00-22:30",
       3000,
       "남은시간= 10분 (600초)",
       19,
       {{3300, "첫째 님, 5분 남았습니다."},
        {3540, "첫째 님, 1분 남았습니다. 작업을 저장하십시오."}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Hosted scenario(GetParam(), {2026, 12, 5, 21, 0, 0});
    scenario.PlaceSoundFiles();
    scenario.WriteFamily({{"첫째", 60, c.usedSeconds}});
    scenario.WriteDays(SaturdayHours(c.hours));
    scenario.Start();
    scenario.AdvanceSeconds(30);
    EXPECT_EQ(S(scenario.main().lStatus[0].Caption()), c.row);
    EXPECT_EQ(RunSteps(scenario, c.steps - 1), c.notices);
    EXPECT_FALSE(scenario.program().EndDialog().Loaded());
    scenario.AdvanceSeconds(30);
    EXPECT_TRUE(scenario.program().EndDialog().Visible());
  }
}

// A log-off instead of the power-off: asked for by the program, or made by the guard.
TEST_P(Supervision, AChildsTimeCanEndInALogOff) {
  Hosted scenario(GetParam());
  scenario.WriteFamily({{"첫째", 10, 600}});
  scenario.WriteDays([] {
    FamilyDays days{};
    days[0].End = EndAction::LogOff;
    return days;
  }());
  scenario.Start();
  scenario.AdvanceSeconds(60);  // the start-up tick, and the countdown's 30 s
  EXPECT_THAT(
      Last(scenario.LogLines(), 3),
      ElementsAre("종료:첫째님(10분)  10분 사용, 0분 남음.", ")*----------------------------*(",
                  "정상종료:첫째님(10분)  10분 사용, 0분 남음."));
  if (scenario.host() == Host::Portable) {
    EXPECT_EQ(scenario.system.exitFlags, 0x10u);  // log off, programs that do not answer ended
  } else {
    EXPECT_THAT(scenario.GuardLines(), ElementsAre("보호: 세션 로그오프"));
    EXPECT_THAT(scenario.Sessions().loggedOff, ElementsAre(Scenario::kSession));
    EXPECT_EQ(scenario.Sessions().powerOffs, 0);
  }
}

// The child picks the minutes; the parent grants them with the parent password, logged with
// their reason, or refuses. A wrong password makes the next try wait as the console's does.
TEST_P(Supervision, AChildAsksForMoreTimeAndTheParentGrantsOrRefuses) {
  Hosted scenario(GetParam());
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 10, 300}}, false, "parent!");
  scenario.AdvanceSeconds(30);
  frmMoreTime& window = scenario.program().MoreTimeWindow();
  auto ask = [&](int choice, const std::string& password, bool grant) {
    scenario.Click(scenario.main().cmdMore);
    EXPECT_EQ(S(window.lMsg.Caption()),
              "첫째 님이 오늘 시간을 더 쓰려고 합니다. 몇 분을 더 줄까요?");
    scenario.Click(window.cmdMinutes[choice]);
    scenario.Type(window.tPassword, password);
    scenario.Click(grant ? window.cmdGrant : window.cmdRefuse);
  };
  ask(1, "", false);
  EXPECT_FALSE(window.Loaded());
  EXPECT_EQ(scenario.LogLines().back(), "추가시간 요청 거절:첫째님 20분");

  for (int guess = 0; guess < 2; ++guess) {  // waits of 1 s, then 2 s
    ask(2, "guess", true);
    EXPECT_EQ(S(window.lMsg.Caption()), "암호가 틀렸습니다.");
    scenario.AdvanceSeconds(1);
    EXPECT_FALSE(window.Loaded());
  }
  ask(2, "parent!", true);  // within the wait: not checked
  EXPECT_EQ(S(window.lMsg.Caption()),
            "부모님 암호가 여러 번 틀렸습니다. 1초 뒤에 다시 입력하십시오.");
  EXPECT_EQ(scenario.LogLines().back(), "설정시도: 대기 중, (첫째)");
  scenario.AdvanceSeconds(2);
  ask(2, "parent!", true);
  EXPECT_FALSE(window.Loaded());
  EXPECT_THAT(Last(scenario.LogLines(), 2), ElementsAre("추가시간 요청 허락:첫째님 30분",
                                                        "추가시간:첫째님 30분 더함, 오늘 40분"));
  EXPECT_EQ(S(scenario.program().Notice().lMessage.Caption()), "첫째 님, 30분을 더 받았습니다.");
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (40분)");
  EXPECT_THAT(scenario.LogLines(), Contains("설정시도: 암호 틀림, (첫째)"));
}

TEST_P(Supervision, LockedTimeCountsUnlessTheChildsDaysSayOtherwise) {
  for (bool counts : {true, false}) {
    SCOPED_TRACE(counts ? "counted" : "not counted");
    Hosted scenario(GetParam());
    scenario.WriteFamily({{"첫째", 60}});
    FamilyDays days{};
    days[0].LockedTimeCounts = counts;
    scenario.WriteDays(days);
    scenario.Start();
    scenario.AdvanceSeconds(60);
    scenario.system.away = true;
    scenario.Sessions().away.insert(Scenario::kSession);
    scenario.AdvanceSeconds(120);
    scenario.system.away = false;
    scenario.Sessions().away.clear();
    scenario.AdvanceSeconds(60);
    EXPECT_EQ(UsedSeconds(scenario), counts ? 210 : 90);
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, UsedSeconds(scenario));
  }
}

// ---- the time-out --------------------------------------------------------------------------

TEST_P(Supervision, EveryoneUsedUpCountsDownThirtySecondsAndPowersOff) {
  Hosted scenario(GetParam());
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 30, 1800}, {"둘째", 20, 1500}});
  EXPECT_EQ(Current(scenario), 1);  // the last user, although used up
  scenario.AdvanceSeconds(30);

  DialogEnd& dialog = scenario.program().EndDialog();
  ASSERT_TRUE(dialog.Visible());
  EXPECT_TRUE(dialog.Modal());
  EXPECT_EQ(S(dialog.Caption()), "시간이 다 되었습니다. 이제 종료합니다.");
  EXPECT_EQ(dialog.BackColor(), forms::kRed);
  EXPECT_TRUE(dialog.TopMost());  // in sight over a full-screen game
  EXPECT_EQ(dialog.Bounds().left * 2 + dialog.Bounds().width, 15360);
  EXPECT_EQ(dialog.Bounds().top * 2 + dialog.Bounds().height, 11520);
  EXPECT_EQ(S(dialog.lUserName.Caption()), "둘째 님");
  EXPECT_EQ(S(dialog.lCountDown.Caption()), "30 초");
  EXPECT_EQ(dialog.lCountDown.Font(), (forms::Font{u"Arial Black", 72, true}));
  EXPECT_EQ(scenario.LogLines().back(), "종료시작:둘째님(20분)  25분 사용, -5분 남음.");
  EXPECT_EQ(scenario.CuesPlayed().back(), "CASHREG.WAV");

  std::vector<std::string> counts;
  for (int tick = 1; tick <= 59; ++tick) {
    scenario.AdvanceMs(500);
    counts.push_back(S(dialog.lCountDown.Caption()));
    ASSERT_EQ(S(dialog.lGoodMsg.Caption()), kAdvice[static_cast<std::size_t>((tick - 1) % 6)]);
    ASSERT_EQ(scenario.CuesPlayed().back(), "BUTTON.WAV");
  }
  EXPECT_THAT(std::vector<std::string>(counts.begin(), counts.begin() + 5),
              ElementsAre("30 초", "29 초", "29 초", "28 초", "28 초"));
  EXPECT_EQ(counts.back(), "1 초");
  std::vector<std::string> cues = scenario.CuesPlayed();
  EXPECT_EQ(std::count(cues.begin(), cues.end(), "BUTTON.WAV"), 59);
  EXPECT_FALSE(scenario.PoweredOff());
  scenario.Close(dialog);  // the countdown cannot be closed, nor the main window, nor hidden
  scenario.Close(scenario.main());
  scenario.Click(scenario.main().cmdHide);
  EXPECT_TRUE(dialog.Visible());
  EXPECT_TRUE(scenario.main().Visible());

  scenario.AdvanceMs(500);  // 30 s after the dialog opened: windows gone, the power-off
  EXPECT_FALSE(scenario.Ended());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(scenario.main().Visible());
  EXPECT_TRUE(scenario.PoweredOff());
  std::vector<std::string> lines = scenario.LogLines();
  EXPECT_THAT(Last(lines, 4), ElementsAre("종료시작:둘째님(20분)  25분 사용, -5분 남음.",
                                          "종료:둘째님(20분)  25분 사용, -5분 남음.",
                                          ")*----------------------------*(",
                                          "정상종료:둘째님(20분)  25분 사용, -5분 남음."));
  // The closing's last metering step was saved: 30 s after the start-up step.
  EXPECT_EQ(scenario.SettingsOnDisk().User(1).UsedSeconds, 1530);
  scenario.AdvanceSeconds(59.9);
  EXPECT_FALSE(scenario.Ended());
  scenario.AdvanceSeconds(0.1);           // the session outlived the power-off by a minute: forced
  EXPECT_EQ(scenario.LogLines(), lines);  // the end lines once each
  if (scenario.host() == Host::Portable) {
    // The program asked Windows to power off, ending programs that do not answer, then forced it
    // and ended without a final line or the companion.
    EXPECT_TRUE(scenario.Ended());
    EXPECT_TRUE(scenario.renderer.ProgramEndedAtOnce());
    EXPECT_EQ(scenario.system.exitFlags, 12u);
    EXPECT_TRUE(scenario.system.exitWithShutdownPrivilege);
    EXPECT_TRUE(scenario.system.started.empty());
  } else {
    // The guard powered off with force and logged the session off a minute later; the program
    // asked for nothing itself.
    EXPECT_THAT(scenario.GuardLines(), ElementsAre("보호: 전원 끄기", "보호: 세션 로그오프"));
    EXPECT_THAT(scenario.Sessions().loggedOff, ElementsAre(Scenario::kSession));
    EXPECT_FALSE(scenario.system.exitRequested);
  }
}

// The choose-a-user countdown starts with the start-up tick: the title asks for the first 30 s.
TEST_P(Supervision, WithPasswordsNobodyChosenPowersOffAbout161SecondsAfterStart) {
  Hosted scenario(GetParam());
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 60, 0, "1"}}, /*passwordsInUse=*/true);
  scenario.AdvanceSeconds(29);
  EXPECT_EQ(S(scenario.main().lTitle.Caption()), "현재 사용자는 누구입니까?");
  EXPECT_TRUE(scenario.CuesPlayed().empty());
  scenario.AdvanceSeconds(1);
  EXPECT_EQ(Current(scenario), -1);

  std::vector<std::string> titles;
  std::size_t chimesBefore = scenario.CuesPlayed().size();
  for (int tick = 1; tick <= 100; ++tick) {
    scenario.AdvanceSeconds(1);
    titles.push_back(S(scenario.main().lTitle.Caption()));
  }
  EXPECT_EQ(titles.front(), "사용자 선택 남은 시간=100초");
  EXPECT_EQ(titles[5], "사용자 선택 남은 시간=95초");
  EXPECT_EQ(titles.back(), "사용자 선택 남은 시간=1초");
  EXPECT_EQ(scenario.CuesPlayed().size() - chimesBefore, 20u);  // 100, 95, ... 5
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());

  scenario.AdvanceSeconds(1);  // the tick that shows 0
  EXPECT_EQ(S(scenario.main().lTitle.Caption()), "사용자 선택 남은 시간=0초");
  ASSERT_TRUE(scenario.program().EndDialog().Visible());
  EXPECT_THAT(
      Last(scenario.LogLines(), 3),
      ElementsAre("종료:첫째님(60분)  0분 사용, 60분 남음.", ")*----------------------------*(",
                  "종료시작:첫째님(60분)  0분 사용, 60분 남음."));
  EXPECT_EQ(S(scenario.program().EndDialog().lUserName.Caption()), "첫째 님");

  scenario.AdvanceSeconds(30);
  EXPECT_TRUE(scenario.PoweredOff());
  EXPECT_EQ(scenario.clock.ElapsedMs(), 161000);
  const std::vector<std::string> lines = scenario.LogLines();
  EXPECT_EQ(Count(lines, "종료:첫째님(60분)  0분 사용, 60분 남음."), 2);  // choosing, countdown
  EXPECT_EQ(Count(lines, "종료시작:첫째님(60분)  0분 사용, 60분 남음."), 1);
  EXPECT_EQ(Count(lines, "정상종료:첫째님(60분)  0분 사용, 60분 남음."), 1);
}

// A wrong password, or the right one without a minute left: a red message for one second, then
// the prompt closes and nobody has become current. A wrong password makes the session wait.
TEST_P(Supervision, UserPromptRefusalsShowRedForOneSecondAndChangeNothing) {
  const std::string kWrong = "암호가 틀렸습니다.";
  const std::string kNoTimeLeft = "남은 시간이 없습니다.";
  struct Case {
    std::string typed;
    std::int32_t limit;
    std::int32_t usedSeconds;
    std::string message;
  };
  for (const Case& c :
       {Case{"XYZ", 60, 0, kWrong}, Case{"xyz ", 60, 0, kWrong}, Case{" xyz", 60, 0, kWrong},
        Case{"", 60, 0, kWrong}, Case{"xy", 60, 0, kWrong}, Case{"xyz", 60, 3600, kNoTimeLeft},
        Case{"xyz", 10, 660, kNoTimeLeft}, Case{"xyz", 0, 0, kNoTimeLeft}}) {
    SCOPED_TRACE(c.typed + " " + std::to_string(c.limit));
    Hosted scenario(GetParam());
    scenario.StartWith({{"첫째", 60, 0, "abc"}, {"둘째", c.limit, c.usedSeconds, "xyz"}}, true);
    scenario.AdvanceSeconds(30);
    scenario.Click(scenario.main().cmdUser[1]);
    frmChangeUser& prompt = scenario.program().UserPrompt();
    EXPECT_EQ(S(prompt.lMsg.Caption()), "둘째 님의 암호를 입력하십시오.");
    scenario.Type(prompt.tPassword, c.typed);
    std::size_t logLines = scenario.LogLines().size();
    scenario.Click(prompt.cmdOK);

    EXPECT_EQ(S(prompt.lMsg.Caption()), c.message);
    EXPECT_EQ(prompt.lMsg.ForeColor(), forms::kRed);
    scenario.AdvanceSeconds(0.9);
    EXPECT_TRUE(prompt.Loaded());
    scenario.AdvanceSeconds(0.1);
    EXPECT_FALSE(prompt.Loaded());
    EXPECT_EQ(Current(scenario), -1);
    EXPECT_EQ(scenario.LogLines().size(), logLines);
    EXPECT_EQ(scenario.GuardLines().size(), c.message == kWrong ? 1u : 0u);
  }
}

// ---- the parent prompt ---------------------------------------------------------------------

// A wrong password is logged with the log's user's name; an empty OK and Cancel log nothing. Each
// closes the prompt without opening the console.
TEST_P(Supervision, AWrongParentPasswordIsLoggedAndEveryRefusalClosesThePrompt) {
  struct Case {
    std::string parentPassword;
    std::string typed;
    bool passwordsInUse;  // in use: nobody is current, so user 0 is named
    std::string logged;   // empty: no line
    bool cancel = false;
  };
  for (const Case& c : {Case{"5927", "5927 ", true, "설정시도: 암호 틀림, (첫째)"},
                        Case{"Secret", "secret", false, "설정시도: 암호 틀림, (둘째)"},
                        Case{"5927", "", true, ""}, Case{"5927", "5927", true, "", true}}) {
    SCOPED_TRACE(c.typed);
    Hosted scenario(GetParam());
    // Without passwords in use, 첫째 has no time left, so 둘째 is made current.
    scenario.StartWith({{"첫째", 10, 600}, {"둘째", 60}}, c.passwordsInUse, c.parentPassword);
    scenario.AdvanceSeconds(30);  // past the start-up tick and its log line
    const std::vector<std::string> before = scenario.LogLines();
    scenario.Click(scenario.main().cmdSetup);
    frmMastPWD& prompt = scenario.program().ParentPrompt();
    EXPECT_EQ(S(prompt.Caption()), "설정 암호를 입력하시오.");
    EXPECT_EQ(prompt.tPassword.PasswordChar(), u'*');
    scenario.Type(prompt.tPassword, c.typed);
    scenario.Click(c.cancel ? prompt.cmdCancel : prompt.cmdOK);

    std::vector<std::string> expected = before;
    if (!c.logged.empty()) expected.push_back(c.logged);
    EXPECT_EQ(scenario.LogLines(), expected);
    EXPECT_FALSE(prompt.Loaded());
    EXPECT_FALSE(scenario.program().SetupConsole().Loaded());
    if (c.parentPassword == "Secret") {  // the next opening tells of the one wrong password
      scenario.AdvanceSeconds(1);
      scenario.OpenConsole("Secret");
      ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
      EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text),
                "지난번에 설정을 연 뒤로 틀린 부모님 암호가 1번 입력되었습니다.");
    }
  }
}

// Every attempt is logged, also one made while the session waits after wrong ones, which is not
// checked and says how long the wait still is; the console then tells the parent how many wrong
// ones there were. The child's own right password does not end the parent password's wait.
TEST_P(Supervision, ParentPasswordsWaitAfterWrongOnesAndTheConsoleCountsThem) {
  Hosted scenario(GetParam());
  scenario.StartWith({{"첫째", 60, 0, "kid"}}, true, "parent!");
  scenario.AdvanceSeconds(30);
  auto attempt = [&](const std::string& typed) {
    scenario.Click(scenario.main().cmdSetup);
    scenario.Type(scenario.program().ParentPrompt().tPassword, typed);
    scenario.Click(scenario.program().ParentPrompt().cmdOK);
  };
  attempt("guess1");  // waits 1 s
  scenario.AdvanceSeconds(1);
  attempt("guess2");  // waits 2 s
  scenario.ChooseUser(0, "kid");
  attempt("parent!");  // within the wait: not checked, and the prompt says so
  ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
  EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text),
            "부모님 암호가 여러 번 틀렸습니다. 2초 뒤에 다시 입력하십시오.");
  scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
  EXPECT_FALSE(scenario.program().SetupConsole().Loaded());
  EXPECT_THAT(
      Last(scenario.LogLines(), 5),
      ElementsAre("설정시도: 암호 틀림, (첫째)", "설정시도: 암호 틀림, (첫째)",
                  "사용중지:첫째님(60분)  0분 사용, 60분 남음.",
                  "사용변경:첫째님(60분)  0분 사용, 60분 남음.", "설정시도: 대기 중, (첫째)"));
  EXPECT_THAT(scenario.GuardLines(), ElementsAre("보호: 암호 대기 1초", "보호: 암호 대기 2초"));

  scenario.AdvanceSeconds(2);
  attempt("parent!");
  ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
  EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text),
            "지난번에 설정을 연 뒤로 틀린 부모님 암호가 3번 입력되었습니다.");
  scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
  EXPECT_TRUE(scenario.program().SetupConsole().Visible());
  EXPECT_EQ(scenario.LogLines().back(), "설정시도: 암호 맞음, (첫째)");
}

// Guarded, the published first password is replaced before the console opens; portable, the
// console closed with the store lays the window out anew, metering the first child with time.
TEST_P(Supervision, RightParentPasswordBringsTheUsageUpToDateBeforeLogging) {
  Hosted scenario(GetParam());
  scenario.StartWith({{"첫째", 10, 600}, {"둘째", 60}});  // 둘째 is made current
  scenario.AdvanceSeconds(30 + 17);
  scenario.Click(scenario.main().cmdSetup);
  frmMastPWD& prompt = scenario.program().ParentPrompt();
  scenario.Type(prompt.tPassword, "5927");
  scenario.PressEnter(prompt.tPassword);
  EXPECT_EQ(UsedSeconds(scenario, 1), 17);
  EXPECT_EQ(scenario.SettingsOnDisk().User(1).UsedSeconds, 17);
  EXPECT_EQ(scenario.LogLines().back(), "설정시도: 암호 맞음, (둘째)");
  EXPECT_FALSE(prompt.Loaded());
  frmSetup& console = scenario.program().SetupConsole();
  if (scenario.host() == Host::Guarded) {
    ASSERT_TRUE(scenario.renderer.OpenInputBox().has_value());
    scenario.renderer.AnswerInputBox(u"");
    EXPECT_FALSE(console.Loaded());
    return;
  }
  EXPECT_TRUE(console.Visible());
  scenario.Edit(console.tLimitMins[0], "20");
  scenario.Click(console.cmdStoreEnd);
  EXPECT_EQ(Current(scenario), 0);
}

// The parent's pause ends the program; nothing is metered or enforced for the session until
// Windows starts again.
TEST_P(Supervision, APauseEndsTheProgramAndItsSupervisionUntilWindowsStartsAgain) {
  Hosted scenario(GetParam());
  scenario.StartWith({{"첫째", 1, 0}}, false, "parent!");
  scenario.AdvanceSeconds(40);
  frmSetup& console = scenario.OpenConsole("parent!");
  scenario.Click(console.cmdPAUSE);
  scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Yes);
  EXPECT_TRUE(scenario.Ended());
  EXPECT_TRUE(scenario.renderer.ProgramEndedAtOnce());
  const std::vector<std::string> lines = scenario.LogLines();
  const std::int32_t used = scenario.SettingsOnDisk().User(0).UsedSeconds;
  scenario.AdvanceSeconds(600);
  EXPECT_EQ(scenario.LogLines(), lines);
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, used);
  EXPECT_FALSE(scenario.PoweredOff());
}

// ---- the family's files --------------------------------------------------------------------

TEST_P(Supervision, ASettingsFileThatFailsPartWayIsKeptAndTheReadPartUsed) {
  for (bool copyBlocked : {false, true}) {
    SCOPED_TRACE(copyBlocked ? "no copy can be kept until 60 s" : "kept at once");
    Hosted scenario(GetParam());
    scenario.WriteFamily({{"첫째", 60}, {"둘째", 45}}, false, "parent!");
    std::string good = scenario.SettingsBytes();
    std::string broken = good.substr(0, good.find("\r\n") + 2) + "\r\n" + good;
    scenario.Data().Write(u"Setup.ini", broken);
    if (copyBlocked) scenario.Data().Block(u"Setup.ini.bad.tmp");
    scenario.Start();
    scenario.AdvanceSeconds(60);

    EXPECT_EQ(scenario.program().view.UserCount(), 0);
    EXPECT_EQ(UsedSeconds(scenario), 30);  // supervised all the same
    EXPECT_THAT(scenario.LogLines(), Contains("설정읽기 실패"));
    if (copyBlocked) {
      EXPECT_EQ(scenario.SettingsBytes(), broken);  // the only copy is not written over
      std::filesystem::remove_all(scenario.Data().File(u"Setup.ini.bad.tmp"));
      scenario.AdvanceSeconds(30);
    }
    EXPECT_EQ(scenario.Data().Bytes(u"Setup.ini.bad"), broken);
    EXPECT_EQ(scenario.SettingsOnDisk().UserCount, 0);
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, copyBlocked ? 60 : 30);
    scenario.AdvanceSeconds(30);  // the copy is kept once, not at every save
    EXPECT_FALSE(scenario.Data().Exists(u"Setup.ini.bad2"));
  }
}

// Metering and the time-out go on while Setup.ini cannot be saved; a store of the console that
// cannot be saved is refused with a message and changes nothing.
TEST_P(Supervision, ASaveThatFailsStopsNeitherMeteringNorTheTimeOutAndRefusesTheStore) {
  Hosted scenario(GetParam());
  scenario.WriteFamily({{"첫째", 3}, {"둘째", 60}}, false, "parent!");
  FamilyDays days{};
  days[1].WeekdayMinutes[0] = 0;  // 둘째 has no time on Sundays
  scenario.WriteDays(days);
  scenario.Start();
  scenario.AdvanceSeconds(65);  // 30 s credited at 60 s
  scenario.Data().Block(u"Setup.ini.tmp");
  frmSetup& console = scenario.OpenConsole("parent!");  // 35 s, not saved
  scenario.Edit(console.tNames[0], "");  // 둘째's row, days and figures would move up
  scenario.Click(console.cmdStoreEnd);
  ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
  EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text),
            "설정을 저장하지 못했습니다. 저장된 설정은 바뀌지 않았습니다. 다시 저장하십시오.");
  scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
  EXPECT_TRUE(console.Visible());
  scenario.Click(console.cmdCancel);
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (3분)");
  scenario.AdvanceSeconds(60);  // the steps 30 s and 60 s after the console

  EXPECT_TRUE(scenario.main().Visible());
  EXPECT_EQ(UsedSeconds(scenario), 95);
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 30);
  EXPECT_EQ(Count(scenario.LogLines(), "설정저장 실패"), 1);  // once, not per step
  std::filesystem::remove_all(scenario.Data().File(u"Setup.ini.tmp"));
  scenario.AdvanceSeconds(60);  // saved again; 155 s is 2.6 minutes, rounded to 3
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 155);
  EXPECT_TRUE(scenario.program().EndDialog().Visible());
}

INSTANTIATE_TEST_SUITE_P(BothHosts, Supervision, ::testing::Values(Host::Portable, Host::Guarded),
                         [](const ::testing::TestParamInfo<Host>& host) {
                           return host.param == Host::Portable ? "Portable" : "Guarded";
                         });

}  // namespace
}  // namespace orlimo::testing
