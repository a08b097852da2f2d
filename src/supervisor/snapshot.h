// What the windows of a session show of the supervisor: the table with each child's allowance of
// the day, who is current, the title, the countdowns and the cues and notices given so far. The
// windows keep no supervision state of their own; they show the last snapshot they were given.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"

namespace orlimo {

struct RowView {
  Text name;
  std::int32_t limitMinutes = 0;  // the daily allowance of Setup.ini
  std::int32_t dayAllowance = 0;  // today's: the weekday's or the daily one, with today's extra
  std::int32_t usedMinutes = 0;
  std::int32_t usedSeconds = 0;
  bool hasPassword = false;
  // Where the day's hours end before the allowance: their end (minutes since midnight) and the
  // seconds left to it; -1 otherwise.
  std::int32_t hoursEndMinute = -1;
  std::int32_t hoursSecondsLeft = -1;
  bool operator==(const RowView&) const = default;
};

struct SessionSnapshot {
  bool passwordsInUse = false;
  std::vector<RowView> users;
  std::int16_t currentUser = -1;
  // The seconds the title shows while a child must be chosen; -1 while it asks who is using.
  std::int32_t chooseSeconds = -1;
  // Milliseconds left of the time-is-up countdown; -1 while it does not run.
  std::int32_t countdownMsLeft = -1;
  // The countdown ran out: the session's windows close and the PC powers off (or the session
  // logs off).
  bool ended = false;
  // The countdown ran out with a lock: the session stays locked while the child's time is up.
  bool locked = false;
  bool consoleOpen = false;
  bool paused = false;
  // Cues and notices given so far in the session: a window plays or shows each new one once.
  std::uint32_t chimes = 0;
  std::uint32_t notices = 0;
  Text notice;
  // Milliseconds until the supervisor next changes what this session shows; -1 when nothing is
  // due.
  std::int32_t msToNextChange = -1;
  bool operator==(const SessionSnapshot&) const = default;

  // The user a log line or the countdown names: the current user, or user 0 when nobody is.
  int LogUser() const { return currentUser >= 0 ? currentUser : 0; }
  // The name of a user, empty when there is no such user.
  Text NameOf(int user) const {
    return user >= 0 && static_cast<std::size_t>(user) < users.size()
               ? users[static_cast<std::size_t>(user)].name
               : Text();
  }
  int UserCount() const { return static_cast<int>(users.size()) - 1; }
};

}  // namespace orlimo
