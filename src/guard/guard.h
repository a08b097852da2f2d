// The guard: the one authority over the family's data on a guarded PC. It meters every log-on
// session itself, checks every password and every change a program asks for, runs the
// time-outs to the power-off, and keeps Orlimo.exe running in each session. All of it on one
// thread: the host calls Poll at least every second and hands it each request it receives.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"
#include "guard/guard_files.h"
#include "guard/protocol.h"
#include "platform/ansi_codepage.h"
#include "platform/registry.h"
#include "platform/session_host.h"
#include "platform/system_clock.h"
#include "records/settings.h"

namespace orlimo::guard {

using ConnectionId = std::uint64_t;
using platform::SessionId;

struct GuardPlatform {
  const platform::SystemClock& clock;
  platform::SessionHost& sessions;
  platform::Registry& registry;
  const platform::AnsiCodePage& codePage;
};

// The guard's own log lines.
inline constexpr char16_t kGuardLinePrefix[] = u"보호:";
inline constexpr char16_t kProgramStartedAgainLine[] = u"보호: 프로그램 다시 실행";
inline constexpr char16_t kPowerOffLine[] = u"보호: 전원 끄기";
inline constexpr char16_t kSessionLogOffLine[] = u"보호: 세션 로그오프";
inline constexpr char16_t kPipeUnavailableLine[] = u"보호: 연결 통로 사용 불가";

// The guard's timeline, in milliseconds of its steady clock.
inline constexpr std::int64_t kMeterEveryMs = 30'000;
inline constexpr std::int64_t kProgramCheckEveryMs = 5'000;
// A new session's programs start from its Run value; the guard steps in after this.
inline constexpr std::int64_t kNewSessionGraceMs = 20'000;
// A program the guard started is given this long to appear. Shorter than a check's interval, so
// that a program ended at any time, even just after the guard started it, is started again at
// the next check, which leaves it the rest of ten seconds to start.
inline constexpr std::int64_t kStartedProgramGraceMs = 3'000;
static_assert(kStartedProgramGraceMs <= kProgramCheckEveryMs);
// With passwords in use: the start-up tick and the choose-a-user countdown.
inline constexpr std::int64_t kStartUpMs = 30'000;
inline constexpr std::int64_t kChooseMs = 101'000;
inline constexpr std::int64_t kCountdownMs = 30'000;
inline constexpr std::int64_t kLogOffAfterPowerOffMs = 60'000;
inline constexpr int kLongestPasswordWaitSeconds = 30;

class Guard {
 public:
  // Reads the settings from the data folder and takes the time zone in force now as the one
  // the day is counted in for the rest of its run. programPath is Orlimo.exe's full path.
  Guard(GuardPlatform platform, Text dataFolder, Text programPath);

  void Poll();
  // One request frame from a connection of the given session; gives the answer frame.
  std::string Handle(ConnectionId connection, SessionId session, std::string_view frame);
  void Disconnected(ConnectionId connection);
  // The host could not make the pipe: the guard goes on without it and says so in its log
  // (guard_outage.cpp).
  void LogPipeUnavailable();

  const Settings& settings() const { return settings_; }

 private:
  struct SessionState {
    std::int16_t currentUser = -1;
    std::int64_t seenAtMs = 0;
    std::optional<std::int64_t> startedAtMs;
    bool programSeen = false;
    bool paused = false;
    std::optional<ConnectionId> console;
    std::optional<std::int64_t> chooseEndsMs;
    std::optional<std::int64_t> countdownEndsMs;
    std::optional<std::int64_t> logOffAtMs;
  };
  struct PasswordWait {
    int wrongAttempts = 0;
    std::int64_t untilMs = 0;
  };
  struct Connection {
    SessionId session = 0;
    bool greeted = false;
    Text logCopy;
    Text newLog;
  };

  std::int64_t Now() const { return platform_.clock.SteadyMs(); }
  DateValue DayClock() const;
  SessionState* Session(SessionId id);
  bool HoldsConsole(ConnectionId id, const Connection& connection);
  int LogUser(const SessionState* session) const;

  // Clocks and sessions (guard_clocks.cpp).
  void FollowSessions(std::int64_t now);
  void MeterStep();
  void ResetDayIfLater(DateValue now);
  void CheckTimeOuts(std::int64_t now);
  void RunDeadlines(std::int64_t now);
  void KeepProgramsRunning(std::int64_t now);
  void ApplyChoiceRules(SessionState& session, bool chooseAgain, std::int64_t graceMs);
  std::int16_t FirstUserWithTimeLeft() const;
  // The user's allowance today: the weekday's or the daily one, plus today's extra minutes.
  std::int32_t DayAllowance(int user) const;
  void CloseConsoleOf(SessionState& session);
  bool Save();

  // Requests (guard_requests.cpp).
  Answer Status(const Connection& connection);
  Answer CheckPassword(SessionId session, bool right);
  Answer On(ConnectionId, Connection&, const Hello&);
  Answer On(ConnectionId, Connection&, const GetStatus&);
  Answer On(ConnectionId, Connection&, const ChooseUser&);
  Answer On(ConnectionId, Connection&, const ChangeOwnPassword&);
  Answer On(ConnectionId, Connection&, const OpenConsole&);
  Answer On(ConnectionId, Connection&, const CloseConsole&);
  Answer On(ConnectionId, Connection&, const ReadSecrets&);
  Answer On(ConnectionId, Connection&, const StoreTable&);
  Answer On(ConnectionId, Connection&, const SetParentPassword&);
  Answer On(ConnectionId, Connection&, const AppendLog&);
  Answer On(ConnectionId, Connection&, const ReadLog&);
  Answer On(ConnectionId, Connection&, const RewriteLog&);
  Answer On(ConnectionId, Connection&, const Pause&);
  Answer On(ConnectionId, Connection&, const Remove&);
  Answer On(ConnectionId, Connection&, const ReadDays&);
  Answer On(ConnectionId, Connection&, const StoreDays&);

  GuardPlatform platform_;
  GuardFiles files_;
  const Text programPath_;
  const std::int64_t zoneOffsetSeconds_;
  Settings settings_;
  FamilyDays family_;
  bool removed_ = false;
  DateValue lastMeterStamp_ = 0;
  std::int64_t nextMeterMs_ = 0;
  std::int64_t nextProgramCheckMs_ = 0;
  std::map<SessionId, SessionState> sessions_;
  std::map<SessionId, PasswordWait> waits_;
  std::map<ConnectionId, Connection> connections_;
};

}  // namespace orlimo::guard
