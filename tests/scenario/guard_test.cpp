// The guard on virtual time with two log-on sessions, each with its program, and hostile
// clients: one child at two screens, the day in the guard's time zone, the password waits that
// only time clears, secrets and checked changes, a console left behind, the limits on requests,
// the time-outs to the power-off without the program, the program kept running, pause.
// (The stories both hosts tell alike: supervision_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "guard/guard.h"
#include "guard/guard_supervision.h"
#include "guard/in_memory_channel.h"
#include "platform/fake/cp949.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_guard_host.h"
#include "platform/fake/fake_services.h"
#include "records/log_words.h"
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
  // A log-on session with its program running, which says it started.
  SessionProgram& LogOn(SessionId session) {
    host.sessions.insert(session);
    guard->Poll();
    SessionProgram& program = Program(session);
    program.Send(Started{});
    return program;
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
      // The second screen's last step comes 10 s after the first's, and counts those 10 s.
      {"one child at two screens is credited once", 0, false, 610, 0},
      {"the first session's program ended for good", 1, true, 600, 600},
  };
  for (const Case& c : cases) {
    GuardRig rig(kTwoChildren);
    SessionProgram& one = rig.LogOn(1);
    rig.Run(10);
    SessionProgram& two = rig.LogOn(2);  // its steps come 10 s after the first session's
    rig.host.refusesStart = true;
    rig.Run(30);
    ASSERT_EQ(one.Send(ChooseUser{0, u"sesame"}).result, Result::Ok) << c.what;
    rig.Run(10);
    const char16_t* password = c.secondSessionChooses == 0 ? u"sesame" : u"open";
    ASSERT_EQ(two.Send(ChooseUser{c.secondSessionChooses, password}).result, Result::Ok);
    if (c.firstProgramEnded) rig.EndProgram(1, one);
    rig.Run(590);
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
      {"midnight passes where the guard started: the day turns at the step", kKorea, 0, 630, 60},
  };
  for (const Case& c : cases) {
    GuardRig rig({{"첫째", 120, 1200, ""}}, false, {2026, 12, 7, 23, 50, 0});
    rig.LogOn(1);
    rig.Run(30);  // the start-up tick
    rig.clock.SetZoneOffsetSeconds(c.zoneOffset);
    rig.clock.ShiftUtcSeconds(c.clockShift);
    rig.Run(c.runSeconds);
    EXPECT_EQ(rig.Used(0), c.used) << c.what;
  }
}

TEST(Guard, AClientWithoutTheParentsConsoleReadsNoSecretAndChangesNothing) {
  GuardRig rig(kTwoChildren);
  SessionProgram& child = rig.LogOn(1);
  SessionProgram& parent = rig.LogOn(2);
  const StoreTable raised{{false, {{0, u"첫째", 999, std::nullopt}, {1, u"둘째", 90, u""}}}};
  const StoreTable renamed{{true, {{0, u"대장", 120, u"x"}, {1, u"둘째", 90, std::nullopt}}}};
  DaysChange longer;
  longer.extraToday = 600;
  struct Case {
    const char* what;
    Request request;
    Result result;
  };
  const Case cases[] = {
      {"read the passwords", RevealPasswords{u"parent!"}, Result::NotAllowed},
      {"raise an allowance and switch passwords off", raised, Result::NotAllowed},
      {"rename", renamed, Result::NotAllowed},
      {"give itself extra minutes", StoreDays{0, longer}, Result::NotAllowed},
      {"read the days", ReadDays{}, Result::NotAllowed},
      {"set the parent password", SetParentPassword{u"mine"}, Result::NotAllowed},
      {"read the log", ReadLog{0}, Result::NotAllowed},
      {"empty the log", RewriteLog{true, u""}, Result::NotAllowed},
      {"pause", Pause{}, Result::NotAllowed},
      {"remove", Remove{}, Result::NotAllowed},
      {"lay the window out anew", Rebuild{}, Result::NotAllowed},
      {"close a console it never opened", CloseConsole{}, Result::NotAllowed},
      {"change another's password", ChangeOwnPassword{1, u"", u"x"}, Result::WrongPassword},
      {"greet as a later program", Hello{kProtocolVersion + 1}, Result::VersionRefused},
  };
  ASSERT_EQ(parent.Send(OpenConsole{u"parent!"}).result, Result::Ok);
  InMemoryChannel unannounced(*rig.guard, 2);
  EXPECT_EQ(ReadAnswer(unannounced.Exchange(EncodeRequest(ReadDays{})).value())->result,
            Result::HelloFirst);
  ASSERT_EQ(child.Send(GetStatus{}).result, Result::Ok);
  rig.Run(2);  // past the wait of the wrong password below
  const std::string setupBefore = rig.folder.Bytes(u"Setup.ini");
  std::vector<std::string> frames;
  for (const Case& c : cases) {
    frames.push_back(child.channel.Exchange(EncodeRequest(c.request)).value());
    EXPECT_EQ(ReadAnswer(frames.back())->result, c.result) << c.what;
  }
  frames.push_back(child.channel.Exchange(EncodeRequest(GetStatus{})).value());
  frames.push_back(child.channel.Exchange(std::string("\x05\x00\x00\x00\x63xxxx", 9)).value());
  EXPECT_EQ(ReadAnswer(frames.back())->result, Result::Malformed);
  EXPECT_EQ(ReadAnswer(frames[frames.size() - 3])->guardVersion, kProtocolVersion);
  // The parent's console asks again for the children's passwords; the parent password itself
  // travels in no answer at all.
  const std::string revealed =
      parent.channel.Exchange(EncodeRequest(RevealPasswords{u"parent!"})).value();
  EXPECT_EQ(ReadAnswer(revealed)->passwords, (std::vector<Text>{u"sesame", u"open"}));
  frames.push_back(parent.channel.Exchange(EncodeRequest(GetStatus{})).value());
  for (const std::string& frame : frames) {
    for (const char16_t* secret : {u"sesame", u"open", u"parent!"}) {
      EXPECT_EQ(frame.find(Utf16Bytes(secret)), std::string::npos);
    }
  }
  EXPECT_EQ(revealed.find(Utf16Bytes(u"parent!")), std::string::npos);
  EXPECT_EQ(rig.folder.Bytes(u"Setup.ini"), setupBefore);
  EXPECT_TRUE(rig.registry.values.contains(Registry::kRunValuePath));

  // The console's store keeps the day's usage with each child, and keeps a password not sent.
  const StoreTable swapped{{true, {{1, u"둘째", 10, std::nullopt}, {0, u"첫째", 1, u"new"}}}};
  const StoreTable unnamed{{true, {{0, u" ", 10, std::nullopt}}}};
  EXPECT_EQ(parent.Send(unnamed).result, Result::BadValue);
  const Answer stored = parent.Send(swapped);
  ASSERT_EQ(stored.result, Result::Ok);
  EXPECT_EQ((*stored.renumbering)[0], 1);
  EXPECT_EQ(rig.Used(0), 300);
  EXPECT_EQ(rig.Used(1), 600);
  EXPECT_EQ(rig.Stored().User(0).Password, u"open");
  EXPECT_EQ(rig.Stored().User(1).Password, u"new");
  ASSERT_EQ(parent.Send(CloseConsole{}).result, Result::Ok);
  EXPECT_EQ(parent.Send(RevealPasswords{u"parent!"}).result, Result::NotAllowed);
}

// A console counts as open only while its program keeps asking: left behind (a program ended
// without a word, or suspended), it closes after 30 s of silence, or at once when its connection
// closes, and the metering goes on.
TEST(Guard, AConsoleWhoseProgramStopsAskingClosesAndTheMeteringGoesOn) {
  enum class Program { Asking, Silent, Gone };
  for (Program program : {Program::Asking, Program::Silent, Program::Gone}) {
    GuardRig rig(kTwoChildren, false);
    SessionProgram& first = rig.LogOn(1);
    rig.Run(30);  // the start-up tick: 첫째 is metered
    ASSERT_EQ(first.Send(OpenConsole{u"parent!"}).result, Result::Ok);
    if (program == Program::Gone) first.channel.Close();
    SessionProgram& again = rig.Program(1);
    rig.Run(1);  // a closed connection closes its console at once
    EXPECT_EQ(again.Send(GetStatus{}).session->consoleOpen, program != Program::Gone);
    for (int second = 1; second < 120; ++second) {
      rig.Run(1);
      if (program == Program::Asking && second % 3 == 0) first.Send(GetStatus{});
    }
    const bool open = program == Program::Asking;
    EXPECT_EQ(again.Send(GetStatus{}).session->consoleOpen, open);
    // Closed: 30 s later the metering starts again with the seconds since the console opened,
    // then 30 s at each step.
    EXPECT_EQ(rig.Used(0), open ? 600 : 720);
  }
}

// No connection may ask faster than a program does: a burst is answered, then "busy" until time
// passes. The lines a session's programs write and the lines about its passwords are limited
// likewise; the password waits grow; a password changed to itself writes nothing.
TEST(Guard, RequestsLinesAndPasswordsAreLimitedAndANoChangeWritesNothing) {
  GuardRig rig(kTwoChildren);
  SessionProgram& program = rig.LogOn(1);
  int answered = 0;
  for (int i = 0; i < 100; ++i) answered += program.Send(GetStatus{}).result == Result::Ok;
  EXPECT_EQ(answered, kRequestBurst - 2);  // after the greeting and the start
  EXPECT_EQ(program.Send(GetStatus{}).result, Result::Busy);
  rig.Run(1);
  EXPECT_EQ(program.Send(GetStatus{}).result, Result::Ok);

  rig.Run(60);
  int starts = 0;
  for (int i = 0; i < 20; ++i) {
    starts += program.Send(Started{}).result == Result::Ok;
    rig.Run(1);
  }
  EXPECT_EQ(starts, 20);  // answered, but the lines are limited
  EXPECT_EQ(rig.LogCount(u"(*----------------------------*)"), kProgramLineBurst / 2 + 1);

  // A wrong password and the right one, again and again: each is answered, but the lines about
  // them come in a burst and then one every 30 s.
  int wrong = 0;
  for (int i = 0; i < 200; ++i) {
    wrong += program.Send(ChooseUser{1, u"guess"}).result == Result::WrongPassword;
    rig.Run(1);
    program.Send(ChooseUser{1, u"open"});
  }
  EXPECT_EQ(wrong, 200);
  EXPECT_EQ(rig.LogCount(u"보호: 암호 대기 1초"), kPasswordLineBurst + 200 / 30);
  // Each wrong one in a row doubles the wait, up to 30 s; a password sent during the wait is not
  // checked. Another session's wait is its own.
  SessionProgram& other = rig.LogOn(2);
  for (int wait : {1, 2, 4, 8, 16, 30, 30}) {
    EXPECT_EQ(other.Send(ChooseUser{1, u"guess"}).waitSeconds, wait);
    rig.Run(wait - 1);
    EXPECT_EQ(other.Send(ChooseUser{1, u"open"}).result, Result::Wait) << wait;
    rig.Run(1);
  }
  EXPECT_EQ(program.Send(ChooseUser{1, u"guess"}).waitSeconds, 1);
  rig.Run(1);

  const std::string setupBefore = rig.folder.Bytes(u"Setup.ini");
  const auto modified = std::filesystem::last_write_time(rig.folder.File(u"Setup.ini"));
  EXPECT_EQ(program.Send(ChangeOwnPassword{0, u"sesame", u"sesame"}).result, Result::Ok);
  EXPECT_EQ(std::filesystem::last_write_time(rig.folder.File(u"Setup.ini")), modified);
  EXPECT_EQ(rig.folder.Bytes(u"Setup.ini"), setupBefore);
}

TEST(Guard, TheGuardsCountdownOutlivesTheProgramAndEndsInPowerOffThenLogOff) {
  struct Case {
    const char* what;
    bool passwordsInUse;
    bool choose;
    int powerOffAt;  // seconds after the program's start
  };
  const Case cases[] = {
      {"allowance used, passwords not in use", false, false, 90},
      {"nobody chosen in time", true, false, 161},
      {"allowance used, passwords in use", true, true, 191},
  };
  for (const Case& c : cases) {
    // At the second step 570 s make 10 minutes, the whole allowance.
    GuardRig rig({{"첫째", 10, 540, ""}}, c.passwordsInUse);
    SessionProgram* program = &rig.LogOn(1);
    if (c.choose) {
      ASSERT_EQ(program->Send(ChooseUser{0, u""}).result, Result::Ok) << c.what;
    }
    rig.Run(c.powerOffAt - 20);
    EXPECT_EQ(program->Send(GetStatus{}).session->countdownMsLeft, 20000) << c.what;
    rig.EndProgram(1, *program);
    rig.Run(5);
    program = &rig.Program(1);
    EXPECT_EQ(program->Send(GetStatus{}).session->countdownMsLeft, 15000) << c.what;
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

// A program that starts while the guard cannot answer it (every connection taken) tells its start
// once the guard answers, so the start lines are in the log once.
TEST(Guard, AStartTheGuardCouldNotHearIsToldAtTheNextPoll) {
  struct Unanswered : GuardChannel {
    explicit Unanswered(GuardChannel& program) : program_(program) {}
    std::optional<std::string> Exchange(std::string_view frame) override {
      return answering ? program_.Exchange(frame) : std::nullopt;
    }
    GuardChannel& program_;
    bool answering = false;
  };
  GuardRig rig(kTwoChildren);
  rig.host.sessions.insert(1);
  Unanswered channel(rig.Program(1).channel);
  GuardSupervision supervision(channel);
  supervision.LogStart(u"");
  supervision.Poll();
  channel.answering = true;
  supervision.Poll();
  supervision.Poll();
  EXPECT_EQ(rig.LogCount(LogWords::kStartMark), 1);
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
  GuardRig rig(kTwoChildren);  // a new session whose program never showed: started, no line
  rig.host.sessions.insert(3);
  rig.Run(25);
  EXPECT_EQ(rig.host.started, (std::vector<fake::StartedProgram>{{3, kOrlimo}}));
  EXPECT_EQ(rig.LogCount(kProgramStartedAgainLine), 0);
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
    rig.Run(60);
    EXPECT_EQ(rig.Used(0) > 600, c.caredForAfterRestart) << c.what;
  }
}

// The published first parent password, or one that lay where the children could read it, is
// replaced before the console does anything, and never by 5927.
TEST(Guard, AKnownParentPasswordIsReplacedFirst) {
  struct Case {
    const char* what;
    std::string parentPassword;
    bool exposedMark;
    bool renewalAsked;
  };
  const Case cases[] = {
      {"the first password", "5927", false, true},
      {"a password children could read", "parent!", true, true},
      {"the parent's own", "parent!", false, false},
  };
  for (const Case& c : cases) {
    testing::TestFolder data;
    Main::SaveSettings(testing::FamilySettings({{"첫째", 60, 0, ""}}, false, c.parentPassword,
                                               DateFromFields({2026, 12, 7, 15, 0, 0})),
                       data.folder());
    if (c.exposedMark) data.Write(kParentPasswordExposedMarkName, "1");
    GuardRig rig({{"첫째", 60, 0, ""}}, false);
    rig.folder.Write(u"Setup.ini", data.Bytes(u"Setup.ini"));
    if (c.exposedMark) rig.folder.Write(kParentPasswordExposedMarkName, "1");
    rig.StartWindows();
    SessionProgram& program = rig.LogOn(1);
    const Answer opened = program.Send(OpenConsole{FromUtf8(c.parentPassword)});
    ASSERT_EQ(opened.result, Result::Ok) << c.what;
    EXPECT_EQ(opened.console->newParentPasswordNeeded, c.renewalAsked) << c.what;
    EXPECT_EQ(program.Send(SetParentPassword{u"5927"}).result, Result::BadValue) << c.what;
    ASSERT_EQ(program.Send(SetParentPassword{u"new one"}).result, Result::Ok) << c.what;
    EXPECT_FALSE(rig.folder.Exists(kParentPasswordExposedMarkName)) << c.what;
    ASSERT_EQ(program.Send(CloseConsole{}).result, Result::Ok);
    EXPECT_FALSE(program.Send(OpenConsole{u"new one"}).console->newParentPasswordNeeded);
  }
}

// A child whose time ends in a lock is held locked: unlocked, the session is locked again at the
// guard's next poll, and a new log-on of the same Windows user meters the same child, whose time
// is up, until the parent gives more minutes.
TEST(Guard, ALockHoldsWhileTheChildsTimeIsUp) {
  GuardRig rig({{"첫째", 10, 600, ""}}, false);
  FamilyDays days{};
  days[0].End = EndAction::Lock;
  Main::SaveFamilyDays(days, rig.Stored(), rig.folder.folder());
  rig.host.userNames[1] = u"minsu";
  rig.StartWindows();
  SessionProgram& program = rig.LogOn(1);
  rig.Run(60);  // the start-up tick finds the time up; the countdown's 30 s
  EXPECT_EQ(rig.host.locks, 1);
  EXPECT_EQ(rig.LogCount(kSessionLockLine), 1);
  EXPECT_TRUE(program.Send(GetStatus{}).session->locked);
  EXPECT_EQ(rig.host.powerOffs, 0);
  for (int unlock = 0; unlock < 3; ++unlock) {
    rig.host.away.clear();
    rig.Run(1);
    EXPECT_EQ(rig.host.locks, 2 + unlock);
  }
  EXPECT_EQ(rig.LogCount(kSessionLockLine), 1);

  rig.host.sessions.insert(2);
  rig.host.userNames[2] = u"minsu";
  SessionProgram& again = rig.LogOn(2);
  EXPECT_EQ(again.Send(GetStatus{}).session->currentUser, 0);
  rig.Run(60);
  EXPECT_EQ(rig.LogCount(kSessionLockLine), 2);

  ASSERT_EQ(again.Send(OpenConsole{u"parent!"}).result, Result::Ok);
  DaysChange more;
  more.end = EndAction::Lock;
  more.extraToday = 30;
  ASSERT_EQ(again.Send(StoreDays{0, more}).result, Result::Ok);
  rig.host.away.clear();
  const int locks = rig.host.locks;
  rig.Run(5);
  EXPECT_EQ(rig.host.locks, locks);
  EXPECT_FALSE(program.Send(GetStatus{}).session->locked);
  rig.Run(60);  // metered again
  EXPECT_GT(rig.Used(0), 600);
}

}  // namespace
}  // namespace orlimo::guard
