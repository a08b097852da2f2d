// The guard's care of the log-on sessions: followed as they come and go, supervised from their
// program's start, their consoles closed when their program stops asking, their program kept
// running, and the power-off.
#include <algorithm>
#include <set>

#include "guard/guard.h"

namespace orlimo::guard {

Guard::Guard(GuardPlatform platform, Text dataFolder, Text programPath)
    : platform_(platform),
      files_(std::move(dataFolder), platform.clock, platform.codePage, platform.registry),
      dayClock_(platform.clock),
      programPath_(std::move(programPath)),
      supervisor_(files_.records(), dayClock_, *this,
                  ParentPasswordRules{true, files_.ParentPasswordExposed()}) {
  supervisor_.LoadTable();
  if (files_.RemovedForGood()) supervisor_.Remove();
  nextSessionsMs_ = Now();
  nextProgramCheckMs_ = Now();
}

void Guard::Poll() {
  const std::int64_t now = Now();
  if (now >= nextSessionsMs_) {
    nextSessionsMs_ = now + kFollowSessionsEveryMs;
    FollowSessions(now);
  }
  SuperviseLateSessions(now);
  CloseLapsedConsoles(now);
  supervisor_.Poll();
  if (now >= nextProgramCheckMs_) {
    nextProgramCheckMs_ = now + kProgramCheckEveryMs;
    KeepProgramsRunning(now);
  }
}

Guard::SessionCare* Guard::Care(SessionId id) {
  auto found = care_.find(id);
  return found == care_.end() ? nullptr : &found->second;
}

// A session that is gone has its time up to now credited.
void Guard::FollowSessions(std::int64_t now) {
  const std::vector<SessionId> list = platform_.sessions.LogOnSessions();
  const std::set<SessionId> present(list.begin(), list.end());
  for (auto entry = care_.begin(); entry != care_.end();) {
    if (present.contains(entry->first)) {
      ++entry;
      continue;
    }
    supervisor_.EndSession(entry->first);
    entry = care_.erase(entry);
  }
  for (SessionId id : present) {
    auto [entry, added] = care_.try_emplace(id);
    if (added) entry->second.seenAtMs = now;
  }
}

// A session whose program never said it started (ended again and again before it could) is
// supervised all the same.
void Guard::SuperviseLateSessions(std::int64_t now) {
  for (const auto& [id, care] : care_) {
    if (!supervisor_.SessionOpen(id) && now >= care.seenAtMs + kSuperviseAnywayAfterMs) {
      supervisor_.OpenSession(id);
    }
  }
}

// A console counts as open only while its program keeps asking: a program ended, suspended or
// left behind does not hold the metering of its session off.
void Guard::CloseLapsedConsoles(std::int64_t now) {
  for (auto& [id, care] : care_) {
    if (care.console && now >= care.consoleHeardMs + kConsoleLapseMs) CloseConsoleOf(id, care);
  }
}

void Guard::CloseConsoleOf(SessionId id, SessionCare& care) {
  care.console.reset();
  supervisor_.CloseConsole(id);
}

// Each session runs an Orlimo.exe from the program folder, found by its full path; where none
// runs, the guard starts one as the session's user, and logs it when one had been running.
void Guard::KeepProgramsRunning(std::int64_t now) {
  if (supervisor_.Removed()) return;
  const Text wanted = ToLower(programPath_);
  for (auto& [id, care] : care_) {
    if (supervisor_.SessionPaused(id)) continue;
    if (care.startedAtMs && now < *care.startedAtMs + kStartedProgramGraceMs) continue;
    const std::vector<Text> paths = platform_.sessions.ProgramPaths(id);
    const bool running = std::any_of(paths.begin(), paths.end(),
                                     [&](const Text& path) { return ToLower(path) == wanted; });
    if (running) {
      care.programSeen = true;
      continue;
    }
    if (!care.programSeen && !care.startedAtMs && now < care.seenAtMs + kNewSessionGraceMs) {
      continue;
    }
    if (!platform_.sessions.StartProgramIn(id, programPath_)) continue;
    if (care.programSeen) files_.records().WriteLog(kProgramStartedAgainLine);
    care.programSeen = false;
    care.startedAtMs = now;
  }
}

// The log line comes first: the power-off may end the guard before anything after it.
void Guard::EndTime(SessionId session, EndAction action) {
  switch (action) {
    case EndAction::LogOff:
      files_.records().WriteLog(kSessionLogOffLine);
      platform_.sessions.LogOff(session);
      return;
    case EndAction::Lock:
      files_.records().WriteLog(kSessionLockLine);
      platform_.sessions.Lock(session);
      return;
    case EndAction::PowerOff:
      break;
  }
  files_.records().WriteLog(kPowerOffLine);
  platform_.sessions.PowerOffWithForce();
}

// A session still there a minute after its power-off or log-off is logged off; one held locked
// and found unlocked is locked again.
void Guard::ForceEnd(SessionId session, EndAction action) {
  if (!care_.contains(session)) return;
  if (action == EndAction::Lock) {
    platform_.sessions.Lock(session);
    return;
  }
  files_.records().WriteLog(kSessionLogOffLine);
  platform_.sessions.LogOff(session);
}

}  // namespace orlimo::guard
