// The supervisor: the one set of rules by which Orlimo meters the children and ends their time.
// It keeps the user table and each child's days, meters the current user of every log-on
// session, turns the day, runs each session's start-up tick, choose-a-user countdown and
// time-is-up countdown to the power-off, gives the end-of-time warnings, checks passwords with
// their waits, and writes the log lines of all of it. The portable program hosts it for its one
// session; on a guarded PC the guard hosts it for every session, and the programs only show it.
//
// Its timers run on the clock's steady milliseconds: the host calls Poll when a session's snapshot
// says it next changes (the portable program exactly then, the guard at least every second).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "base/date.h"
#include "platform/clock.h"
#include "platform/session_host.h"
#include "records/day_allowance.h"
#include "records/family_days.h"
#include "records/folder_records.h"
#include "records/settings.h"
#include "supervisor/password_wait.h"
#include "supervisor/requests.h"
#include "supervisor/snapshot.h"

namespace orlimo {

using platform::SessionId;

// What the rules ask of their host.
class SupervisorHost {
 public:
  virtual ~SupervisorHost() = default;
  // The time-is-up countdown of the session ran out: the PC is to power off, or the session is
  // to be logged off or locked, as the child's days say.
  virtual void EndTime(SessionId session, EndAction action) = 0;
  // The session is still there a minute after its power-off or log-off was asked for.
  virtual void ForceEnd(SessionId session, EndAction action) = 0;
  // Whether the session is locked, disconnected or switched away from.
  virtual bool Away(SessionId session) = 0;
  // The Windows user of the session; empty where the host cannot tell.
  virtual Text WindowsUser(SessionId session) = 0;
  // Whether the host can keep a session locked against its own user; a lock ends as a power-off
  // where it cannot.
  virtual bool HoldsLocks() const = 0;
};

// How the host wants the parent password kept.
struct ParentPasswordRules {
  // The console asks for a new parent password while the one stored is known to others.
  bool renewKnownPassword = false;
  // The stored parent password lay where the children could read it.
  bool exposed = false;
};

inline constexpr int kStartUpMs = 30'000;
inline constexpr int kMeterEveryMs = 30'000;
inline constexpr int kChooseTickMs = 1'000;
inline constexpr int kChooseSeconds = 100;
inline constexpr int kCountdownMs = 30'000;
inline constexpr int kForceAfterMs = 60'000;
inline constexpr int kTicksBetweenUsageLines = 60;
// Lines about passwords a session may write: a burst of this many, then one every this long.
inline constexpr int kPasswordLineBurst = 20;
inline constexpr std::int64_t kPasswordLineEveryMs = 30'000;
// The parent password's wait forgets its growth this long after the last wrong one.
inline constexpr std::int64_t kParentWaitForgetMs = 10 * 60'000;

class Supervisor {
 public:
  Supervisor(FolderRecords& store, const platform::Clock& clock, SupervisorHost& host,
             ParentPasswordRules parentRules = {});

  // Reads Setup.ini and Family.ini, and turns the day when today is later than the table's.
  void LoadTable();
  bool TableLoaded() const { return tableLoaded_; }
  const Settings& settings() const { return settings_; }
  const FamilyDays& family() const { return family_; }

  // A session's main window loads: nobody is current, who is current is settled, and the start-up
  // tick comes 30 s later. A session opened already is left as it is.
  void OpenSession(SessionId id);
  bool SessionOpen(SessionId id) const { return sessions_.contains(id); }
  bool SessionPaused(SessionId id) const;
  // The session is gone: its time so far is credited, its clocks end.
  void EndSession(SessionId id);

  // Runs every timer that is due.
  void Poll();
  SessionSnapshot Snapshot(SessionId id) const;

  // The program's own start lines: the start mark and the main window's caption.
  void LogStart(SessionId id, TextView caption);
  // The session's main window unloads: the closing line and a last metering step.
  void WindowClosing(SessionId id);
  // The session's program is finally released.
  void ProgramReleased(SessionId id);

  Outcome ChooseUser(SessionId id, int user, TextView password);
  Outcome ChangeOwnPassword(SessionId id, int user, TextView current, TextView replacement);

  ConsoleEntry OpenConsole(SessionId id, TextView parentPassword);
  bool ConsoleOpen(SessionId id) const;
  void CloseConsole(SessionId id);
  // Every user's password, when the parent password is right; the parent password's wait of the
  // session applies, so that a console left open is no way to guess it.
  std::optional<std::vector<Text>> RevealPasswords(SessionId id, TextView parentPassword,
                                                   Outcome* outcome = nullptr);
  StoreResult StoreTable(SessionId id, const TableChange& change);
  // The session's main window is laid out anew for the stored table.
  void Rebuild(SessionId id);
  Outcome SetParentPassword(TextView password);
  // The current child asks for more minutes today; the parent grants them with the parent
  // password (under the session's wait) or refuses.
  Outcome GrantMoreTime(SessionId id, int minutes, TextView parentPassword);
  void RefuseMoreTime(SessionId id, int minutes);
  Outcome StoreDays(SessionId id, int user, const DaysChange& change);
  // The session is left alone until Windows starts again.
  void Pause(SessionId id);
  // Nothing is metered or enforced any more; the start of Windows no longer starts the program.
  void Remove();
  bool Removed() const { return removed_; }

  // The allowance of a user today: the weekday's or the daily one, plus today's extra minutes.
  std::int32_t DayAllowance(int user) const;

 private:
  struct Timer {
    std::optional<std::int64_t> dueMs;
    std::uint64_t order = 0;
  };
  enum class TimerKind { Startup, CheckTime, UserBeep, CountdownEnd, Force };
  struct Session {
    SessionId id = 0;
    std::int16_t currentUser = -1;
    // The child whose time ran out last, while nobody is current since (passwords in use).
    std::int16_t lastTimedOut = -1;
    // The child whose countdown ran out with a lock: the session is locked again whenever it is
    // unlocked, until the child has time again.
    std::int16_t lockHeldFor = -1;
    EndAction endAction = EndAction::PowerOff;
    std::optional<DateValue> meterStamp;
    std::int16_t checkTickCount = 0;
    std::int16_t chooseTickCount = 0;
    Timer startup, checkTime, userBeep, countdownEnd, force;
    std::int32_t chooseSeconds = -1;
    bool consoleOpen = false;
    bool paused = false;
    bool ended = false;
    std::uint32_t chimes = 0;
    std::uint32_t notices = 0;
    Text notice;
    std::array<Main::WarningState, kMaxUsers> warnings{};
    PasswordWait childWait{0};
    double passwordLines = kPasswordLineBurst;
    std::int64_t passwordLinesAtMs = 0;
    PasswordWait parentWait{kParentWaitForgetMs};
  };

  std::int64_t NowMs() const { return clock_.SteadyMs(); }
  DateValue NowDate() const { return DateFromFields(clock_.Now()); }
  DayNumber Today() const { return Main::DayOf(NowDate()); }
  Session* Find(SessionId id);
  const Session* Find(SessionId id) const;

  // Timers (supervisor_clocks.cpp).
  void SetOn(Timer& timer, int intervalMs);
  static void SetOff(Timer& timer) { timer.dueMs.reset(); }
  Timer& TimerOf(Session& session, TimerKind kind);
  void Tick(SessionId id, Session& session, TimerKind kind);
  void StartupTick(Session& session);
  // One metering step and the time-out check; true when it started the countdown.
  bool TimeOutStep(Session& session);
  void ChooseTick(Session& session);
  void CountdownEnd(SessionId id, Session& session);
  void Meter(Session& session);
  void TurnDayIfLater(DateValue now);
  void Inits(Session& session);
  void ChooseStartUser(Session& session);
  bool StartCountdown(Session& session);
  void GiveTimeWarning(Session& session);
  // Whether the user's time is up: the day's allowance used, or outside the day's hours.
  bool TimeIsUp(int user) const;
  // The seconds the user may still use today, and whether the day's hours end them first.
  struct TimeLeft {
    std::int64_t seconds = 0;
    bool hoursEndFirst = false;
  };
  TimeLeft LeftToday(int user) const;
  void HoldLocks();
  void GiveExtraMinutes(int user, std::int64_t difference);
  bool MoreTimeAsked(const Session& session, int minutes) const;
  void StopClocks(Session& session);
  Outcome CheckParentPassword(Session& session, TextView parentPassword);
  void Closing(Session& session);
  void RecordUsageOfTheDay();

  // The files.
  void UsageSummary(const Session& session, TextView word);
  void WriteLog(TextView line) { store_.WriteLog(line); }
  void WritePasswordLine(Session& session, TextView line);
  // Saves the table; a failure is left to the next save.
  void SaveSoon();
  bool Save();
  void SaveFamily();

  FolderRecords& store_;
  const platform::Clock& clock_;
  SupervisorHost& host_;
  const ParentPasswordRules parentRules_;
  Settings settings_;
  FamilyDays family_{};
  bool tableLoaded_ = false;
  bool removed_ = false;
  std::map<SessionId, Session> sessions_;
  // The clock reading at which each user was last credited, so that a child current in two
  // sessions is credited once.
  std::array<std::optional<DateValue>, kMaxUsers> creditedUntil_{};
  // The children whose time ran out with a lock today, by the Windows user they used: a log-on of
  // that user meters the same child.
  std::map<Text, std::int16_t> lockedOutUsers_;
  std::uint64_t nextTimerOrder_ = 0;
  std::int32_t wrongParentAttempts_ = 0;
  bool parentPasswordExposed_;
};

}  // namespace orlimo
