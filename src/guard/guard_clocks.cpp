// The guard's own clocks: sessions followed, metering, the day, the time-outs to the power-off
// and the programs kept running.
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "guard/guard.h"
#include "records/day_allowance.h"
#include "records/metering.h"

namespace orlimo::guard {

Guard::Guard(GuardPlatform platform, Text dataFolder, Text programPath)
    : platform_(platform),
      files_(std::move(dataFolder), platform.clock, platform.codePage, platform.registry),
      programPath_(std::move(programPath)),
      zoneOffsetSeconds_(platform.clock.ZoneOffsetSeconds()),
      settings_(files_.Load()),
      family_(files_.LoadFamily(settings_)),
      removed_(files_.RemovedForGood()) {
  lastMeterStamp_ = DayClock();
  ResetDayIfLater(lastMeterStamp_);
  Save();
  nextMeterMs_ = Now() + kMeterEveryMs;
  nextProgramCheckMs_ = Now();
}

// The local time in the time zone that was in force when the guard started.
DateValue Guard::DayClock() const {
  return DateFromFields(FieldsFromSeconds(platform_.clock.UtcSeconds() + zoneOffsetSeconds_));
}

void Guard::Poll() {
  const std::int64_t now = Now();
  FollowSessions(now);
  if (now >= nextMeterMs_) {
    nextMeterMs_ = now + kMeterEveryMs;
    MeterStep();
    CheckTimeOuts(now);
  }
  RunDeadlines(now);
  if (now >= nextProgramCheckMs_) {
    nextProgramCheckMs_ = now + kProgramCheckEveryMs;
    KeepProgramsRunning(now);
  }
}

void Guard::FollowSessions(std::int64_t now) {
  const std::vector<SessionId> list = platform_.sessions.LogOnSessions();
  const std::set<SessionId> present(list.begin(), list.end());
  bool gone = false;
  for (const auto& [id, session] : sessions_) gone = gone || !present.contains(id);
  // The time up to a session's end still counts for its user.
  if (gone) MeterStep();
  std::erase_if(sessions_, [&](const auto& entry) { return !present.contains(entry.first); });
  for (SessionId id : present) {
    auto [entry, added] = sessions_.try_emplace(id);
    if (!added) continue;
    entry->second.seenAtMs = now;
    ApplyChoiceRules(entry->second, true, kStartUpMs + kChooseMs);
  }
}

void Guard::MeterStep() {
  const DateValue now = DayClock();
  ResetDayIfLater(now);
  const int credited = Metering::CreditedSeconds(lastMeterStamp_, now);
  lastMeterStamp_ = now;
  if (removed_) return;
  // A user current in two sessions is one child at two screens: credited once.
  std::set<int> users;
  for (const auto& [id, session] : sessions_) {
    if (session.paused || session.console) continue;
    if (session.currentUser >= 0 && session.currentUser <= settings_.UserCount) {
      users.insert(session.currentUser);
    }
  }
  for (int user : users) {
    UserEntry& entry = settings_.User(user);
    std::int64_t seconds = std::int64_t{entry.UsedSeconds} + credited;
    entry.UsedSeconds = static_cast<std::int32_t>(
        std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max()));
    entry.UsedMinutes = Metering::UsedMinutesOf(entry.UsedSeconds);
  }
  Save();
}

// A new day only ever starts forwards: a clock set back, or a time zone changed after the
// guard started, never gives the day's minutes again.
void Guard::ResetDayIfLater(DateValue now) {
  if (std::floor(now) <= std::floor(settings_.User(0).Day)) return;
  // The end of the day the figures were counted for goes into each child's history.
  for (int user = 0; user <= settings_.UserCount && user < kMaxUsers; ++user) {
    const UserEntry& entry = settings_.User(user);
    ChildDays& days = family_[static_cast<std::size_t>(user)];
    const DayNumber day = Main::DayOf(entry.Day);
    Main::RecordUsage(days, day, entry.UsedMinutes, Main::DayAllowance(entry, days, day),
                      Main::DayOf(now));
  }
  files_.SaveFamily(family_, settings_);
  for (int user = 0; user < kMaxUsers; ++user) {
    UserEntry& entry = settings_.User(user);
    entry.UsedSeconds = 0;
    entry.UsedMinutes = 0;
    entry.Day = now;
  }
}

void Guard::CheckTimeOuts(std::int64_t now) {
  if (removed_) return;
  for (auto& [id, session] : sessions_) {
    // A session that outlived the power-off is logged off next; nothing starts over before.
    if (session.paused || session.console || session.logOffAtMs) continue;
    const int user = session.currentUser;
    if (settings_.UserCount < 0 || user < 0 || user > settings_.UserCount) continue;
    const UserEntry& entry = settings_.User(user);
    if (entry.UsedMinutes < DayAllowance(user)) continue;
    if (settings_.PasswordsInUse != 0) {
      session.currentUser = -1;
      if (!session.chooseEndsMs) session.chooseEndsMs = now + kChooseMs;
    } else if (!session.countdownEndsMs) {
      session.countdownEndsMs = now + kCountdownMs;
    }
  }
}

void Guard::RunDeadlines(std::int64_t now) {
  bool powerOff = false;
  for (auto& [id, session] : sessions_) {
    if (session.chooseEndsMs && now >= *session.chooseEndsMs) {
      session.chooseEndsMs.reset();
      if (!session.countdownEndsMs) session.countdownEndsMs = now + kCountdownMs;
    }
    if (session.countdownEndsMs && now >= *session.countdownEndsMs) {
      session.countdownEndsMs.reset();
      if (!session.logOffAtMs) session.logOffAtMs = now + kLogOffAfterPowerOffMs;
      powerOff = true;
    }
    if (session.logOffAtMs && now >= *session.logOffAtMs) {
      session.logOffAtMs.reset();
      files_.WriteLog(kSessionLogOffLine);
      platform_.sessions.LogOff(id);
    }
  }
  if (!powerOff) return;
  MeterStep();
  files_.WriteLog(kPowerOffLine);
  platform_.sessions.PowerOffWithForce();
}

void Guard::KeepProgramsRunning(std::int64_t now) {
  if (removed_) return;
  const Text wanted = ToLower(programPath_);
  for (auto& [id, session] : sessions_) {
    if (session.paused) continue;
    if (session.startedAtMs && now < *session.startedAtMs + kStartedProgramGraceMs) continue;
    const std::vector<Text> paths = platform_.sessions.ProgramPaths(id);
    const bool running = std::any_of(paths.begin(), paths.end(),
                                     [&](const Text& path) { return ToLower(path) == wanted; });
    if (running) {
      session.programSeen = true;
      continue;
    }
    if (!session.programSeen && now < session.seenAtMs + kNewSessionGraceMs) continue;
    if (!platform_.sessions.StartProgramIn(id, programPath_)) continue;
    if (session.programSeen) files_.WriteLog(kProgramStartedAgainLine);
    session.programSeen = false;
    session.startedAtMs = now;
  }
}

// Who is current after a session starts or its console closes: with passwords in use somebody
// must be chosen within the grace; without, the first user with time left is, as the program
// does it.
void Guard::ApplyChoiceRules(SessionState& session, bool chooseAgain, std::int64_t graceMs) {
  if (removed_ || session.paused || session.console) return;
  if (settings_.PasswordsInUse != 0) {
    if (session.currentUser < 0 && !session.chooseEndsMs) session.chooseEndsMs = Now() + graceMs;
    return;
  }
  session.chooseEndsMs.reset();
  if (chooseAgain || session.currentUser < 0) session.currentUser = FirstUserWithTimeLeft();
}

std::int16_t Guard::FirstUserWithTimeLeft() const {
  for (int user = 0; user <= settings_.UserCount; ++user) {
    const UserEntry& entry = settings_.User(user);
    if (entry.UsedMinutes < DayAllowance(user)) return static_cast<std::int16_t>(user);
  }
  return settings_.UserCount;
}

std::int32_t Guard::DayAllowance(int user) const {
  return Main::DayAllowance(settings_.User(user), family_.at(static_cast<std::size_t>(user)),
                            Main::DayOf(DayClock()));
}

void Guard::CloseConsoleOf(SessionState& session) {
  MeterStep();
  session.console.reset();
  ApplyChoiceRules(session, true, kStartUpMs + kChooseMs);
}

bool Guard::Save() {
  return files_.Save(settings_);
}

}  // namespace orlimo::guard
