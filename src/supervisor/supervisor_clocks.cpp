// The supervisor's clocks: the start-up tick, the metering step with its time-out check, the
// choose-a-user countdown, the time-is-up countdown and the power-off after it, and the day.
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <tuple>

#include "records/log_words.h"
#include "records/metering.h"
#include "supervisor/supervisor.h"

namespace orlimo {
namespace {

constexpr char16_t kFiveMinutesLeft[] = u" 님, 5분 남았습니다.";
constexpr char16_t kOneMinuteLeft[] = u" 님, 1분 남았습니다. 작업을 저장하십시오.";
// The day's hours end before the allowance does.
constexpr char16_t kFiveMinutesToHoursEnd[] = u" 님, 5분 뒤 사용 시간이 끝납니다.";
constexpr char16_t kOneMinuteToHoursEnd[] =
    u" 님, 1분 뒤 사용 시간이 끝납니다. 작업을 저장하십시오.";
// However late Poll comes, it runs no more timers than this in one call.
constexpr int kMostTicksPerPoll = 1000;

}  // namespace

void Supervisor::SetOn(Timer& timer, int intervalMs) {
  timer.dueMs = NowMs() + intervalMs;
  timer.order = nextTimerOrder_++;
}

Supervisor::Timer& Supervisor::TimerOf(Session& session, TimerKind kind) {
  switch (kind) {
    case TimerKind::Startup:
      return session.startup;
    case TimerKind::CheckTime:
      return session.checkTime;
    case TimerKind::UserBeep:
      return session.userBeep;
    case TimerKind::CountdownEnd:
      return session.countdownEnd;
    case TimerKind::Force:
      break;
  }
  return session.force;
}

// The timers run in the order they are due; two due at the same moment in the order they were
// switched on, as window timers do.
void Supervisor::Poll() {
  HoldLocks();
  for (int ran = 0; ran < kMostTicksPerPoll; ++ran) {
    const std::int64_t now = NowMs();
    SessionId dueSession = 0;
    std::optional<TimerKind> dueKind;
    std::tuple<std::int64_t, std::uint64_t> dueAt{};
    for (auto& [id, session] : sessions_) {
      for (TimerKind kind : {TimerKind::Startup, TimerKind::CheckTime, TimerKind::UserBeep,
                             TimerKind::CountdownEnd, TimerKind::Force}) {
        const Timer& timer = TimerOf(session, kind);
        if (!timer.dueMs || *timer.dueMs > now) continue;
        const std::tuple<std::int64_t, std::uint64_t> at{*timer.dueMs, timer.order};
        if (dueKind && at >= dueAt) continue;
        dueSession = id;
        dueKind = kind;
        dueAt = at;
      }
    }
    if (!dueKind) return;
    Tick(dueSession, sessions_.at(dueSession), *dueKind);
  }
}

// One tick of a timer. A periodic timer is due again one interval after it was due, so that a
// late poll catches up; a one-shot timer is off once it ran.
void Supervisor::Tick(SessionId id, Session& session, TimerKind kind) {
  Timer& timer = TimerOf(session, kind);
  const std::int64_t wasDue = *timer.dueMs;
  switch (kind) {
    case TimerKind::CheckTime:
      timer.dueMs = wasDue + kMeterEveryMs;
      timer.order = nextTimerOrder_++;
      TimeOutStep(session);
      return;
    case TimerKind::UserBeep:
      timer.dueMs = wasDue + kChooseTickMs;
      timer.order = nextTimerOrder_++;
      ChooseTick(session);
      return;
    case TimerKind::Startup:
      StartupTick(session);
      return;
    case TimerKind::CountdownEnd:
      SetOff(timer);
      CountdownEnd(id, session);
      return;
    case TimerKind::Force:
      SetOff(timer);
      host_.ForceEnd(id, session.endAction);
      return;
  }
}

void Supervisor::StartupTick(Session& session) {
  session.checkTickCount = 0;
  ++session.chimes;
  SetOff(session.startup);
  session.meterStamp = NowDate();
  SetOn(session.checkTime, kMeterEveryMs);
  // A countdown started by the step holds the rest of the tick, as the countdown window would.
  if (TimeOutStep(session)) return;
  UsageSummary(session, LogWords::kStart);
  Inits(session);
}

bool Supervisor::TimeOutStep(Session& session) {
  if (!tableLoaded_ || removed_) return false;
  Meter(session);
  const int current = session.currentUser;
  if (settings_.UserCount >= 0 && current >= 0) {
    GiveTimeWarning(session);
    if (TimeIsUp(current)) {
      if (settings_.PasswordsInUse != 0) {
        session.lastTimedOut = session.currentUser;
        session.currentUser = -1;
        Inits(session);
      } else if (StartCountdown(session)) {
        return true;
      }
    }
  }
  if (++session.checkTickCount > kTicksBetweenUsageLines) {
    UsageSummary(session, LogWords::kInUse);
    session.checkTickCount = 0;
  }
  return false;
}

// The seconds since the session's last step go to its current user; a child current in another
// session too is credited only from the later of the two steps. The first step past midnight
// closes the day the figures belong to.
void Supervisor::Meter(Session& session) {
  if (!tableLoaded_ || removed_ || !session.meterStamp) return;
  const DateValue now = NowDate();
  const int current = session.currentUser;
  const bool credits = current >= 0 && current < kMaxUsers;
  DateValue from = *session.meterStamp;
  if (credits && creditedUntil_[static_cast<std::size_t>(current)]) {
    from = std::max(from, *creditedUntil_[static_cast<std::size_t>(current)]);
  }
  int credited = Metering::CreditedSeconds(from, now);
  session.meterStamp = now;
  // The time a session is locked or left does not count for a child whose days say so.
  if (credits && !family_[static_cast<std::size_t>(current)].LockedTimeCounts &&
      host_.Away(session.id)) {
    credited = 0;
  }
  if (credits) {
    creditedUntil_[static_cast<std::size_t>(current)] = now;
    UserEntry& user = settings_.User(current);
    const std::int64_t seconds = std::int64_t{user.UsedSeconds} + credited;
    user.UsedSeconds = static_cast<std::int32_t>(
        std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max()));
    user.UsedMinutes = Metering::UsedMinutesOf(user.UsedSeconds);
  }
  TurnDayIfLater(now);
  SaveSoon();
}

// A new day only ever starts forwards: a clock set back, or a stored day still ahead, never
// gives the day's minutes again.
void Supervisor::TurnDayIfLater(DateValue now) {
  if (!tableLoaded_) return;
  const DateTimeFields today = FieldsFromDate(now);
  const DateTimeFields counted = FieldsFromDate(settings_.User(0).Day);
  if (std::tie(today.year, today.month, today.day) <=
      std::tie(counted.year, counted.month, counted.day)) {
    return;
  }
  RecordUsageOfTheDay();
  for (int u = 0; u < kMaxUsers; ++u) {
    UserEntry& user = settings_.User(u);
    user.UsedSeconds = 0;
    user.UsedMinutes = 0;
    user.Day = now;
  }
  lockedOutUsers_.clear();
  SaveFamily();
}

void Supervisor::RecordUsageOfTheDay() {
  const DayNumber today = Today();
  for (int u = 0; u <= settings_.UserCount && u < kMaxUsers; ++u) {
    const UserEntry& user = settings_.User(u);
    ChildDays& days = family_[static_cast<std::size_t>(u)];
    const DayNumber day = Main::DayOf(user.Day);
    Main::RecordUsage(days, day, user.UsedMinutes, Main::DayAllowance(user, days, day), today);
  }
}

void Supervisor::Inits(Session& session) {
  ChooseStartUser(session);
  SaveSoon();
}

void Supervisor::ChooseStartUser(Session& session) {
  if (settings_.PasswordsInUse != 0) {
    session.chooseTickCount = 0;
    SetOn(session.userBeep, kChooseTickMs);
    return;
  }
  session.currentUser = -1;
  // Only the users in use take part: a slot past the last user may still hold an old entry.
  for (int u = 0; u <= settings_.UserCount; ++u) {
    if (!TimeIsUp(u)) {
      session.currentUser = static_cast<std::int16_t>(u);
      return;
    }
  }
  if (settings_.UserCount >= 0) session.currentUser = settings_.UserCount;
}

// With nobody choosing, the title counts 100 down to 0, a chime every 5 s; the tick that shows 0
// writes the end lines and starts the countdown, whoever was chosen during it.
void Supervisor::ChooseTick(Session& session) {
  session.chooseSeconds = kChooseSeconds - session.chooseTickCount;
  if (session.currentUser >= 0) {
    SetOff(session.userBeep);
    session.chooseSeconds = -1;
  }
  if (session.chooseTickCount % 5 == 0) ++session.chimes;
  ++session.chooseTickCount;
  if (session.chooseTickCount > kChooseSeconds) {
    UsageSummary(session, LogWords::kEnd);
    WriteLog(LogWords::kEndMark);
    StartCountdown(session);
  }
}

// Unless it runs already: its first line, and no metering, start-up or choosing while it runs.
bool Supervisor::StartCountdown(Session& session) {
  if (session.countdownEnd.dueMs || session.ended) return false;
  UsageSummary(session, LogWords::kEndStart);
  SetOff(session.checkTime);
  SetOff(session.startup);
  SetOff(session.userBeep);
  SetOn(session.countdownEnd, kCountdownMs);
  return true;
}

// The end lines, then what the child's days say: the session's windows closed with their closing
// line and last step and the power-off or log-off, forced a minute later if the session is still
// there; or the session locked, and locked again whenever it is unlocked while the child's time
// is up.
void Supervisor::CountdownEnd(SessionId id, Session& session) {
  UsageSummary(session, LogWords::kEnd);
  WriteLog(LogWords::kEndMark);
  const int child = session.currentUser >= 0 ? session.currentUser : session.lastTimedOut;
  session.endAction =
      child >= 0 ? family_[static_cast<std::size_t>(child)].End : EndAction::PowerOff;
  if (session.endAction == EndAction::Lock && !host_.HoldsLocks()) {
    session.endAction = EndAction::PowerOff;
  }
  if (session.endAction == EndAction::Lock) {
    session.lockHeldFor = static_cast<std::int16_t>(child);
    if (const Text user = host_.WindowsUser(id); !user.empty()) {
      lockedOutUsers_[user] = static_cast<std::int16_t>(child);
    }
    host_.EndTime(id, EndAction::Lock);
    return;
  }
  Closing(session);
  session.ended = true;
  SetOn(session.force, kForceAfterMs);
  host_.EndTime(id, session.endAction);
}

// A session held locked is locked again whenever it is found unlocked; once the child has time
// again (extra minutes, a new day) it goes on as after the console.
void Supervisor::HoldLocks() {
  for (auto& [id, session] : sessions_) {
    if (session.lockHeldFor < 0) continue;
    if (!TimeIsUp(session.lockHeldFor)) {
      session.lockHeldFor = -1;
      SetOn(session.checkTime, kMeterEveryMs);
      SetOn(session.startup, kStartUpMs);
      session.chooseSeconds = -1;
      continue;
    }
    if (!host_.Away(id)) host_.ForceEnd(id, EndAction::Lock);
  }
}

bool Supervisor::TimeIsUp(int user) const {
  if (settings_.User(user).UsedMinutes >= DayAllowance(user)) return true;
  const std::optional<std::int64_t> hours =
      Main::SecondsLeftInHours(family_[static_cast<std::size_t>(user)], NowDate());
  return hours && *hours <= 0;
}

Supervisor::TimeLeft Supervisor::LeftToday(int user) const {
  TimeLeft left{std::int64_t{DayAllowance(user)} * 60 - settings_.User(user).UsedSeconds, false};
  const std::optional<std::int64_t> hours =
      Main::SecondsLeftInHours(family_[static_cast<std::size_t>(user)], NowDate());
  if (hours && *hours < left.seconds) left = {*hours, true};
  return left;
}

// The 5- and 1-minute notices of the current user, with a chime; none while the console is open.
void Supervisor::GiveTimeWarning(Session& session) {
  const int current = session.currentUser;
  const TimeLeft left = LeftToday(current);
  const Main::TimeWarning due = Main::DueWarning(
      session.warnings.at(static_cast<std::size_t>(current)), left.seconds, session.consoleOpen);
  if (due == Main::TimeWarning::None) return;
  ++session.chimes;
  ++session.notices;
  const bool five = due == Main::TimeWarning::FiveMinutes;
  session.notice = settings_.User(current).Name +
                   (left.hoursEndFirst ? (five ? kFiveMinutesToHoursEnd : kOneMinuteToHoursEnd)
                                       : (five ? kFiveMinutesLeft : kOneMinuteLeft));
}

void Supervisor::StopClocks(Session& session) {
  for (Timer* timer : {&session.startup, &session.checkTime, &session.userBeep,
                       &session.countdownEnd, &session.force}) {
    SetOff(*timer);
  }
}

// The unload of a session's main window: its line, a last step, and the day's use recorded.
void Supervisor::Closing(Session& session) {
  UsageSummary(session, LogWords::kClosed);
  Meter(session);
  if (!tableLoaded_) return;
  RecordUsageOfTheDay();
  SaveFamily();
}

}  // namespace orlimo
