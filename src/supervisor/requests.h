// What the windows ask of the supervisor and what it answers, the same whether the supervisor runs
// in the program or in the guard.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"
#include "records/family_days.h"
#include "records/settings.h"

namespace orlimo {

enum class Verdict : std::uint8_t {
  Done,
  WrongPassword,  // waitSeconds says how long the next check waits
  Wait,           // a check came before the wait was over: waitSeconds are left
  NoTimeLeft,
  Refused,  // not allowed here, or a value the files cannot hold
  Failed,   // the file could not be written; nothing changed
};

struct Outcome {
  Verdict verdict = Verdict::Done;
  std::int32_t waitSeconds = 0;
  bool operator==(const Outcome&) const = default;
};

// The parent's way into the console.
struct ConsoleEntry {
  Outcome outcome;
  // Wrong parent passwords tried since the console last opened.
  std::int32_t wrongAttempts = 0;
  // The parent password is known to others (the published first one, or one that lay where the
  // children could read it): the console asks for a new one before anything else.
  bool newParentPasswordNeeded = false;
  bool operator==(const ConsoleEntry&) const = default;
};

// One user as the console stores it: the user whose usage of the day the row keeps (-1 for a new
// user), and the password, or nothing to keep the one the user has.
struct StoredUser {
  std::int32_t fromUser = -1;
  Text name;
  std::int32_t limitMinutes = 0;
  std::optional<Text> password;
  bool operator==(const StoredUser&) const = default;
};

// The console's table: users 0, 1, ... in order.
struct TableChange {
  bool passwordsInUse = false;
  std::vector<StoredUser> users;
  bool operator==(const TableChange&) const = default;
};

// For each user before a store, its number after it; -1 for a deleted user.
using Renumbering = std::array<int, kMaxUsers>;

struct StoreResult {
  Outcome outcome;
  Renumbering renumbering{};
};

// One child's days as the console's days window stores them: the minutes of each weekday
// (Sunday first, nothing for the daily allowance), the extra minutes for today, the hours of each
// weekday (nothing for the whole day), what happens when the time is up, and whether locked time
// counts.
struct DaysChange {
  std::array<std::optional<std::int32_t>, 7> weekdayMinutes{};
  std::int32_t extraToday = 0;
  std::array<std::optional<AllowedHours>, 7> hours{};
  EndAction end = EndAction::PowerOff;
  bool lockedTimeCounts = true;
  bool operator==(const DaysChange&) const = default;
};

}  // namespace orlimo
