// The guard: the one authority over the family's data on a guarded PC. It hosts the supervisor
// for every log-on session (the same rules the portable program hosts for its one session),
// answers the programs of the sessions over its pipe, checks every request as if a hostile
// client had sent it, powers the PC off at the end of a countdown, and keeps Orlimo.exe running
// in each session. All of it on one thread: the host calls Poll at least every second and hands
// it each request it receives.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "guard/guard_files.h"
#include "guard/protocol.h"
#include "platform/ansi_codepage.h"
#include "platform/registry.h"
#include "platform/session_host.h"
#include "platform/system_clock.h"
#include "supervisor/supervisor.h"

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
inline constexpr char16_t kProgramStartedAgainLine[] = u"보호: 프로그램 다시 실행";
inline constexpr char16_t kPowerOffLine[] = u"보호: 전원 끄기";
inline constexpr char16_t kSessionLogOffLine[] = u"보호: 세션 로그오프";
inline constexpr char16_t kSessionLockLine[] = u"보호: 세션 잠금";
inline constexpr char16_t kPipeUnavailableLine[] = u"보호: 연결 통로 사용 불가";

// The guard's timeline, in milliseconds of its steady clock.
inline constexpr std::int64_t kFollowSessionsEveryMs = 1'000;
inline constexpr std::int64_t kProgramCheckEveryMs = 2'000;
// A new session's programs start from its Run value; the guard steps in after this.
inline constexpr std::int64_t kNewSessionGraceMs = 20'000;
// A program the guard started is given this long to appear. No longer than a check's interval, so
// that a program ended at any time, even just after the guard started it, is started again at the
// next check.
inline constexpr std::int64_t kStartedProgramGraceMs = 2'000;
static_assert(kStartedProgramGraceMs <= kProgramCheckEveryMs);
// A session whose program never said it started is supervised from this long after it appeared.
inline constexpr std::int64_t kSuperviseAnywayAfterMs = 40'000;
// A console whose program stopped asking is closed after this long.
inline constexpr std::int64_t kConsoleLapseMs = 30'000;
// Requests of one connection: a burst of this many, then this many a second.
inline constexpr int kRequestBurst = 40;
inline constexpr int kRequestsPerSecond = 10;
// Lines the programs of a session may have written (start, closing, release): a burst of this
// many, then one every this long.
inline constexpr int kProgramLineBurst = 12;
inline constexpr std::int64_t kProgramLineEveryMs = 30'000;

class Guard : private SupervisorHost {
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

  const Settings& settings() const { return supervisor_.settings(); }

 private:
  struct SessionCare {
    std::int64_t seenAtMs = 0;
    std::optional<std::int64_t> startedAtMs;
    bool programSeen = false;
    std::optional<ConnectionId> console;
    std::int64_t consoleHeardMs = 0;
    // The lines the session's programs may still write now.
    double programLines = kProgramLineBurst;
    std::int64_t programLinesAtMs = 0;
  };
  struct Connection {
    SessionId session = 0;
    bool greeted = false;
    double requests = kRequestBurst;
    std::int64_t requestsAtMs = 0;
    Text logCopy;
    Text newLog;
  };

  std::int64_t Now() const { return platform_.clock.SteadyMs(); }
  SessionCare* Care(SessionId id);
  bool HoldsConsole(ConnectionId id, const Connection& connection);
  bool Supervised(SessionId session);
  bool TakesRequest(Connection& connection);
  bool MayWriteProgramLines(SessionCare& care, int lines);

  // SupervisorHost: the power-off with force (or the session logged off, or locked), and the
  // session logged off a minute later (or locked again).
  void EndTime(SessionId session, EndAction action) override;
  void ForceEnd(SessionId session, EndAction action) override;
  bool Away(SessionId session) override { return platform_.sessions.Away(session); }
  Text WindowsUser(SessionId session) override { return platform_.sessions.UserName(session); }
  bool HoldsLocks() const override { return true; }

  // Sessions and programs (guard_sessions.cpp).
  void FollowSessions(std::int64_t now);
  void SuperviseLateSessions(std::int64_t now);
  void CloseLapsedConsoles(std::int64_t now);
  void KeepProgramsRunning(std::int64_t now);
  void CloseConsoleOf(SessionId id, SessionCare& care);

  // Requests (guard_requests.cpp).
  Answer Status(SessionId session) const;
  Answer On(ConnectionId, Connection&, const Hello&);
  Answer On(ConnectionId, Connection&, const Started&);
  Answer On(ConnectionId, Connection&, const GetStatus&);
  Answer On(ConnectionId, Connection&, const Closing&);
  Answer On(ConnectionId, Connection&, const Released&);
  Answer On(ConnectionId, Connection&, const ChooseUser&);
  Answer On(ConnectionId, Connection&, const ChangeOwnPassword&);
  Answer On(ConnectionId, Connection&, const OpenConsole&);
  Answer On(ConnectionId, Connection&, const CloseConsole&);
  Answer On(ConnectionId, Connection&, const RevealPasswords&);
  Answer On(ConnectionId, Connection&, const StoreTable&);
  Answer On(ConnectionId, Connection&, const Rebuild&);
  Answer On(ConnectionId, Connection&, const SetParentPassword&);
  Answer On(ConnectionId, Connection&, const ReadDays&);
  Answer On(ConnectionId, Connection&, const StoreDays&);
  Answer On(ConnectionId, Connection&, const ReadLog&);
  Answer On(ConnectionId, Connection&, const RewriteLog&);
  Answer On(ConnectionId, Connection&, const Pause&);
  Answer On(ConnectionId, Connection&, const Remove&);
  Answer On(ConnectionId, Connection&, const AskMoreTime&);

  GuardPlatform platform_;
  GuardFiles files_;
  DayClock dayClock_;
  const Text programPath_;
  Supervisor supervisor_;
  std::int64_t nextSessionsMs_ = 0;
  std::int64_t nextProgramCheckMs_ = 0;
  std::map<SessionId, SessionCare> care_;
  std::map<ConnectionId, Connection> connections_;
};

}  // namespace orlimo::guard
