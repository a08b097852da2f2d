// The guard's outside world on virtual time: a system clock whose time and time zone tests set,
// and sessions whose programs tests start, end and read back.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/session_host.h"
#include "platform/system_clock.h"

namespace orlimo::fake {

class FakeSystemClock : public platform::SystemClock {
 public:
  FakeSystemClock(std::int64_t utcSeconds, std::int64_t zoneOffsetSeconds)
      : utcMs_(utcSeconds * 1000), zoneOffsetSeconds_(zoneOffsetSeconds) {}
  std::int64_t UtcSeconds() const override { return utcMs_ / 1000; }
  std::int64_t ZoneOffsetSeconds() const override { return zoneOffsetSeconds_; }
  std::int64_t SteadyMs() const override { return steadyMs_; }

  // Time passes.
  void AdvanceMs(std::int64_t ms) {
    utcMs_ += ms;
    steadyMs_ += ms;
  }
  // The clock or the time zone is set; no time passes.
  void ShiftUtcSeconds(std::int64_t seconds) { utcMs_ += seconds * 1000; }
  void SetZoneOffsetSeconds(std::int64_t seconds) { zoneOffsetSeconds_ = seconds; }

 private:
  std::int64_t utcMs_;
  std::int64_t zoneOffsetSeconds_;
  std::int64_t steadyMs_ = 0;
};

struct StartedProgram {
  platform::SessionId session = 0;
  Text path;
  bool operator==(const StartedProgram&) const = default;
};

// A program started in a session runs there until a test ends it; a session logged off is gone.
class FakeSessionHost : public platform::SessionHost {
 public:
  std::vector<platform::SessionId> LogOnSessions() override {
    return {sessions.begin(), sessions.end()};
  }
  std::vector<Text> ProgramPaths(platform::SessionId session) override { return programs[session]; }
  bool StartProgramIn(platform::SessionId session, const Text& path) override {
    if (refusesStart) return false;
    started.push_back({session, path});
    programs[session].push_back(path);
    return true;
  }
  void PowerOffWithForce() override { ++powerOffs; }
  void LogOff(platform::SessionId session) override {
    loggedOff.push_back(session);
    sessions.erase(session);
  }
  void Lock(platform::SessionId session) override {
    ++locks;
    away.insert(session);
  }
  bool Away(platform::SessionId session) override { return away.contains(session); }
  Text UserName(platform::SessionId session) override { return userNames[session]; }

  // Set up by tests.
  std::set<platform::SessionId> sessions;
  std::map<platform::SessionId, std::vector<Text>> programs;
  bool refusesStart = false;
  std::set<platform::SessionId> away;  // locked or switched away from
  std::map<platform::SessionId, Text> userNames;

  // Read back by tests.
  std::vector<StartedProgram> started;
  int powerOffs = 0;
  int locks = 0;
  std::vector<platform::SessionId> loggedOff;
};

}  // namespace orlimo::fake
