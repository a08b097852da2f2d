// The guard on virtual time with two log-on sessions, each with its program, and hostile
// clients: metering without the programs, one child at two screens, the day, password waits,
// secrets and checked changes, the time-outs to the power-off, the program kept running, pause.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "guard/guard.h"
#include "guard/in_memory_channel.h"
#include "platform/fake/cp949.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_guard_host.h"
#include "platform/fake/fake_services.h"
#include "records/registry_access.h"
#include "support/family.h"
#include "support/test_folder.h"

namespace orlimo::guard {
namespace {

constexpr char16_t kOrlimo[] = u"C:\\Program Files\\Orlimo\\Orlimo.exe";
constexpr std::int64_t kKorea = 9 * 3600;

// The bytes a text travels as in a frame.
std::string Utf16Bytes(TextView text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// A program in a session: its process as the session shows it, and its connection.
struct SessionProgram {
  SessionProgram(Guard& guard, fake::FakeSessionHost& host, SessionId session)
      : channel(guard, session), client(channel) {
    host.programs[session].push_back(kOrlimo);
  }
  Answer Send(const Request& request) { return client.Send(request).value(); }
  InMemoryChannel channel;
  GuardClient client;
};

class GuardRig {
 public:
  explicit GuardRig(const std::vector<testing::Child>& family, bool passwordsInUse = true,
                    DateTimeFields start = {2026, 12, 7, 15, 0, 0})
      : clock(SecondsFromFields(start) - kKorea, kKorea) {
    Main::SaveSettings(
        testing::FamilySettings(family, passwordsInUse, "parent!", DateFromFields(start)),
        folder.folder());
    registry.values[Registry::kRunValuePath] = u"Orlimo.exe";
    StartWindows();
  }

  // Windows starts: a new guard over the same data folder.
  void StartWindows() {
    programs.clear();
    guard.reset();
    guard = std::make_unique<Guard>(GuardPlatform{clock, host, registry, codePage}, folder.folder(),
                                    kOrlimo);
    guard->Poll();
  }
  // A log-on session with its program running.
  SessionProgram& LogOn(SessionId session) {
    host.sessions.insert(session);
    guard->Poll();
    return Program(session);
  }
  SessionProgram& Program(SessionId session) {
    programs.push_back(std::make_unique<SessionProgram>(*guard, host, session));
    return *programs.back();
  }
  // The program's process ends (taskkill /F): its connection goes with it.
  void EndProgram(SessionId session, SessionProgram& program) {
    std::erase(host.programs[session], Text(kOrlimo));
    program.channel.Close();
  }
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      clock.AdvanceMs(1000);
      guard->Poll();
    }
  }
  std::int32_t Used(int user) const { return guard->settings().User(user).UsedSeconds; }
  Settings Stored() const {
    Settings settings;
    Main::LoadSettings(settings, folder.folder());
    return settings;
  }
  // The text of every log line after its time stamp.
  std::vector<Text> LogTexts() const {
    std::vector<Text> texts;
    for (const Text& line : SplitLines(codePage.Decode(folder.Bytes(u"Logs.txt")))) {
      texts.push_back(line.substr(20));
    }
    return texts;
  }
  int LogCount(TextView text) const {
    std::vector<Text> texts = LogTexts();
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
  }

  testing::TestFolder folder;
  fake::FakeSystemClock clock;
  fake::FakeSessionHost host;
  fake::FakeRegistry registry;
  fake::Cp949CodePage codePage;
  std::unique_ptr<Guard> guard;
  std::vector<std::unique_ptr<SessionProgram>> programs;
};

const std::vector<testing::Child> kTwoChildren = {{"첫째", 120, 600, "sesame"},
                                                  {"둘째", 90, 300, "open"}};

TEST(Guard, MetersEverySessionOnceForEachChildWithOrWithoutItsProgram) {
  struct Case {
    const char* what;
    int secondSessionChooses;
    bool firstProgramEnded;
    std::int32_t first, second;  // seconds credited in ten minutes
  };
  const Case cases[] = {
      {"two children, two sessions", 1, false, 600, 600},
      {"one child at two screens is credited once", 0, false, 600, 0},
      {"the first session's program ended for good", 1, true, 600, 600},
  };
  for (const Case& c : cases) {
    GuardRig rig(kTwoChildren);
    SessionProgram& one = rig.LogOn(1);
    SessionProgram& two = rig.LogOn(2);
    rig.host.refusesStart = true;
    ASSERT_EQ(one.Send(ChooseUser{0, u"sesame"}).result, Result::Ok) << c.what;
    const char16_t* password = c.secondSessionChooses == 0 ? u"sesame" : u"open";
    ASSERT_EQ(two.Send(ChooseUser{c.secondSessionChooses, password}).result, Result::Ok);
    if (c.firstProgramEnded) rig.EndProgram(1, one);
    rig.Run(600);
    EXPECT_EQ(rig.Used(0) - 600, c.first) << c.what;
    EXPECT_EQ(rig.Used(1) - 300, c.second) << c.what;
    // Both sessions' figures reach Setup.ini: neither overwrites the other's.
    EXPECT_EQ(rig.Stored().User(0).UsedSeconds, rig.Used(0)) << c.what;
    EXPECT_EQ(rig.Stored().User(1).UsedSeconds, rig.Used(1)) << c.what;
  }
}

TEST(Guard, TheDayStartsAgainOnlyForwardsInTheTimeZoneOfTheGuardsStart) {
  struct Case {
    const char* what;
    std::int64_t zoneOffset;
    std::int64_t clockShift;
    int runSeconds;
    std::int32_t used;
  };
  const Case cases[] = {
      {"nothing changed", kKorea, 0, 120, 1200 + 120},
      {"time zone moved past midnight", kKorea + 2 * 3600, 0, 120, 1200 + 120},
      {"clock set back an hour", kKorea, -3600, 120, 1200 + 90},
      {"clock set back a day", kKorea, -86400, 120, 1200 + 90},
      {"midnight passes where the guard started", kKorea, 0, 660, 90},
  };
  for (const Case& c : cases) {
    GuardRig rig({{"첫째", 120, 1200, ""}}, false, {2026, 12, 7, 23, 50, 0});
    rig.LogOn(1);
    rig.clock.SetZoneOffsetSeconds(c.zoneOffset);
    rig.clock.ShiftUtcSeconds(c.clockShift);
    rig.Run(c.runSeconds);
    EXPECT_EQ(rig.Used(0), c.used) << c.what;
  }
}

TEST(Guard, WrongPasswordsMakeTheSessionWaitLongerEachTime) {
  GuardRig rig(kTwoChildren);
  SessionProgram& one = rig.LogOn(1);
  SessionProgram& two = rig.LogOn(2);
  const int waits[] = {1, 2, 4, 8, 16, 30, 30};
  for (std::size_t i = 0; i < std::size(waits); ++i) {
    const int wait = waits[i];
    const int sameSoFar = static_cast<int>(std::count(waits, waits + i + 1, wait));
    Answer wrong = one.Send(ChooseUser{1, u"guess"});
    EXPECT_EQ(wrong.result, Result::WrongPassword);
    EXPECT_EQ(wrong.waitSeconds, wait);
    EXPECT_EQ(rig.LogCount(u"보호: 암호 대기 " + DecimalText(wait) + u"초"), sameSoFar);
    if (wait > 1) {
      rig.Run(1);
      // Even the right password is not looked at while the session waits.
      Answer early = one.Send(OpenConsole{u"parent!"});
      EXPECT_EQ(early.result, Result::Wait);
      EXPECT_EQ(early.waitSeconds, wait - 1);
    }
    rig.Run(wait);
  }
  // The other session has its own count; a right password starts the count again.
  EXPECT_EQ(two.Send(ChooseUser{1, u"guess"}).waitSeconds, 1);
  EXPECT_EQ(one.Send(ChooseUser{1, u"open"}).result, Result::Ok);
  EXPECT_EQ(one.Send(ChooseUser{1, u"guess"}).waitSeconds, 1);
  EXPECT_EQ(rig.guard->settings().User(1).Password, u"open");
}

TEST(Guard, AClientWithoutTheParentsConsoleReadsNoSecretAndChangesNothing) {
  GuardRig rig(kTwoChildren);
  SessionProgram& child = rig.LogOn(1);
  SessionProgram& parent = rig.LogOn(2);
  const StoreTable raised{false, {{0, u"첫째", 999, u""}, {1, u"둘째", 90, u"open"}}};
  const StoreTable renamed{true, {{0, u"대장", 120, u"sesame"}, {1, u"둘째", 90, u"open"}}};
  struct Case {
    const char* what;
    Request request;
    Result result;
  };
  const Case cases[] = {
      {"read the passwords", ReadSecrets{}, Result::NotAllowed},
      {"raise an allowance and switch passwords off", raised, Result::NotAllowed},
      {"rename", renamed, Result::NotAllowed},
      {"set the parent password", SetParentPassword{u"mine"}, Result::NotAllowed},
      {"read the log", ReadLog{0}, Result::NotAllowed},
      {"empty the log", RewriteLog{true, u""}, Result::NotAllowed},
      {"pause", Pause{}, Result::NotAllowed},
      {"remove", Remove{}, Result::NotAllowed},
      {"close a console it never opened", CloseConsole{}, Result::NotAllowed},
      {"write a guard line", AppendLog{u"보호: 전원 끄기"}, Result::BadValue},
      {"write two lines as one", AppendLog{u"시작\r\n2026-12-07 15:00:00 x"}, Result::BadValue},
      {"change another's password", ChangeOwnPassword{1, u"", u"x"}, Result::WrongPassword},
  };
  ASSERT_EQ(parent.Send(OpenConsole{u"parent!"}).result, Result::Ok);
  InMemoryChannel unannounced(*rig.guard, 2);
  EXPECT_EQ(ReadAnswer(unannounced.Exchange(EncodeRequest(ReadSecrets{})).value())->result,
            Result::HelloFirst);
  ASSERT_EQ(child.Send(GetStatus{}).result, Result::Ok);
  const std::string setupBefore = rig.folder.Bytes(u"Setup.ini");
  std::vector<std::string> frames;
  for (const Case& c : cases) {
    frames.push_back(child.channel.Exchange(EncodeRequest(c.request)).value());
    EXPECT_EQ(ReadAnswer(frames.back())->result, c.result) << c.what;
  }
  frames.push_back(child.channel.Exchange(EncodeRequest(GetStatus{})).value());
  frames.push_back(child.channel.Exchange(std::string("\x05\x00\x00\x00\x07xxxx", 9)).value());
  EXPECT_EQ(ReadAnswer(frames.back())->result, Result::Malformed);
  for (const std::string& frame : frames) {
    for (const char16_t* secret : {u"sesame", u"open", u"parent!"}) {
      EXPECT_EQ(frame.find(Utf16Bytes(secret)), std::string::npos);
    }
  }
  EXPECT_EQ(rig.folder.Bytes(u"Setup.ini"), setupBefore);
  EXPECT_TRUE(rig.registry.values.contains(Registry::kRunValuePath));

  // The parent's console reads the secrets; its store keeps the day's usage with each child.
  Answer secrets = parent.Send(ReadSecrets{});
  ASSERT_EQ(secrets.result, Result::Ok);
  EXPECT_EQ(secrets.parentPassword, u"parent!");
  EXPECT_EQ(secrets.table->users[1].password, u"open");
  const StoreTable swapped{true, {{1, u"둘째", 10, u"open"}, {0, u"첫째", 1, u"sesame"}}};
  ASSERT_EQ(parent.Send(swapped).result, Result::Ok);
  EXPECT_EQ(rig.Used(0), 300);
  EXPECT_EQ(rig.Used(1), 600);
  ASSERT_EQ(parent.Send(CloseConsole{}).result, Result::Ok);
  EXPECT_EQ(parent.Send(ReadSecrets{}).result, Result::NotAllowed);
}

TEST(Guard, TheGuardsCountdownOutlivesTheProgramAndEndsInPowerOffThenLogOff) {
  struct Case {
    const char* what;
    bool passwordsInUse;
    bool choose;
    int powerOffAt;  // seconds after the session's start
  };
  const Case cases[] = {
      {"allowance used, passwords not in use", false, false, 60},
      {"nobody chosen in time", true, false, 161},
      {"allowance used, passwords in use", true, true, 161},
  };
  for (const Case& c : cases) {
    // At the first step 570 s make 10 minutes, the whole allowance.
    GuardRig rig({{"첫째", 10, 540, ""}}, c.passwordsInUse);
    SessionProgram* program = &rig.LogOn(1);
    if (c.choose) {
      ASSERT_EQ(program->Send(ChooseUser{0, u""}).result, Result::Ok) << c.what;
    }
    rig.Run(c.powerOffAt - 20);
    EXPECT_EQ(program->Send(GetStatus{}).session->countdownSecondsLeft, 20) << c.what;
    rig.EndProgram(1, *program);
    rig.Run(5);
    program = &rig.Program(1);
    EXPECT_EQ(program->Send(GetStatus{}).session->countdownSecondsLeft, 15) << c.what;
    rig.Run(14);
    EXPECT_EQ(rig.host.powerOffs, 0) << c.what;
    rig.Run(1);
    EXPECT_EQ(rig.host.powerOffs, 1) << c.what;
    EXPECT_EQ(rig.LogTexts().back(), kPowerOffLine) << c.what;
    rig.Run(59);
    EXPECT_TRUE(rig.host.loggedOff.empty()) << c.what;
    rig.Run(1);
    EXPECT_EQ(rig.host.loggedOff, std::vector<SessionId>{1}) << c.what;
    EXPECT_EQ(rig.LogTexts().back(), kSessionLogOffLine) << c.what;
  }
}

TEST(Guard, KeepsTheProgramRunningInEachSessionByItsFullPath) {
  struct Case {
    const char* what;
    std::vector<Text> running;
    bool startedAgain;
  };
  const Case cases[] = {
      {"the program", {kOrlimo}, false},
      {"the program, letters in another case", {u"c:\\program files\\orlimo\\ORLIMO.EXE"}, false},
      {"a program of the same name elsewhere", {u"C:\\Users\\kid\\Orlimo.exe"}, true},
      {"nothing", {}, true},
  };
  for (const Case& c : cases) {
    GuardRig rig(kTwoChildren);
    rig.LogOn(1);
    rig.Run(10);
    rig.host.programs[1] = c.running;
    rig.Run(5);
    const std::vector<fake::StartedProgram> expected = {{1, kOrlimo}};
    EXPECT_EQ(rig.host.started, c.startedAgain ? expected : std::vector<fake::StartedProgram>{})
        << c.what;
    EXPECT_EQ(rig.LogCount(kProgramStartedAgainLine), c.startedAgain ? 1 : 0) << c.what;
  }
}

TEST(Guard, StartsTheProgramAgainAtTheNextCheckHoweverSoonAfterItsStartItEnds) {
  for (int afterStart = 0; afterStart <= 10; ++afterStart) {
    GuardRig rig(kTwoChildren);
    rig.LogOn(1);
    rig.Run(10);
    std::erase(rig.host.programs[1], Text(kOrlimo));
    for (int second = 0; second < 10 && rig.host.started.empty(); ++second) rig.Run(1);
    ASSERT_EQ(rig.host.started.size(), 1u);
    rig.Run(afterStart);
    std::erase(rig.host.programs[1], Text(kOrlimo));
    int waited = 0;
    while (rig.host.started.size() < 2 && waited <= 10) {
      rig.Run(1);
      ++waited;
    }
    EXPECT_LE(waited, kProgramCheckEveryMs / 1000)
        << "ended " << afterStart << " s after its start";
  }
}

TEST(Guard, APauseHoldsUntilWindowsStartsAgainAndARemovalForGood) {
  struct Case {
    const char* what;
    Request command;
    bool caredForAfterRestart;
  };
  const Case cases[] = {{"pause", Pause{}, true}, {"removal", Remove{}, false}};
  for (const Case& c : cases) {
    GuardRig rig(kTwoChildren);
    SessionProgram& program = rig.LogOn(1);
    ASSERT_EQ(program.Send(ChooseUser{0, u"sesame"}).result, Result::Ok);
    ASSERT_EQ(program.Send(OpenConsole{u"parent!"}).result, Result::Ok);
    ASSERT_EQ(program.Send(c.command).result, Result::Ok);
    rig.EndProgram(1, program);
    rig.Run(600);
    EXPECT_EQ(rig.Used(0), 600) << c.what;
    EXPECT_TRUE(rig.host.started.empty()) << c.what;
    EXPECT_EQ(rig.host.powerOffs, 0) << c.what;
    EXPECT_EQ(rig.registry.values.contains(Registry::kRunValuePath), c.caredForAfterRestart)
        << c.what;

    rig.StartWindows();
    rig.Run(30);
    EXPECT_EQ(rig.host.started.size(), c.caredForAfterRestart ? 1u : 0u) << c.what;
    SessionProgram& again = rig.Program(1);
    ASSERT_EQ(again.Send(ChooseUser{0, u"sesame"}).result, Result::Ok);
    rig.Run(30);
    EXPECT_EQ(rig.Used(0) > 600, c.caredForAfterRestart) << c.what;
  }
}

}  // namespace
}  // namespace orlimo::guard
