// Everything the windows do with the family's data, in one place: the user table, the passwords,
// the usage, the log, pause and removal. The portable program keeps them in files of its data
// folder; a guarded PC keeps them in the guard, which the program only asks.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"
#include "records/family_days.h"
#include "records/settings.h"

namespace orlimo {

enum class UserChoice { Chosen, WrongPassword, NoTimeLeft };

// Who is current in this session and the clocks of its countdowns, as kept outside the program
// (-1 while a countdown does not run).
struct OutsideClocks {
  std::int16_t currentUser = -1;
  std::int32_t chooseSecondsLeft = -1;
  std::int32_t countdownSecondsLeft = -1;
};

// For each user before a store, its number after it; -1 for a deleted user.
using UserMoves = std::array<int, kMaxUsers>;

class FamilyRecords {
 public:
  virtual ~FamilyRecords() = default;

  // Reads the table into settings at the main window's load (passwords only where the program
  // may see them).
  virtual void Load(Settings& settings) = 0;
  // One metering step of `seconds`: credited to the current user where the program meters, or
  // the table and the current user brought up to date from the one who does.
  virtual void Meter(Settings& settings, std::int16_t& currentUser, int seconds) = 0;
  // Writes the table as the windows hold it. Throws when it fails.
  virtual void Save(const Settings& settings) = 0;
  // The clocks kept outside the program; nothing when the program keeps its own.
  virtual std::optional<OutsideClocks> Clocks() const = 0;
  // False while the keeper of the data cannot be reached.
  virtual bool Reachable() const = 0;
  // Brings the table, the current user and the clocks up to date from their keeper outside the
  // program (reaching it again after a failure); nothing to do where the program keeps them.
  virtual void Follow(Settings& settings, std::int16_t& currentUser) = 0;

  // Each child's days (Family.ini). Throws when they cannot be read or written.
  virtual FamilyDays LoadFamily(const Settings& settings) = 0;
  virtual void SaveFamily(const FamilyDays& family, const Settings& settings) = 0;

  // Checks the user's password and time left (the day's allowance) before the user is chosen.
  virtual UserChoice ChooseUser(Settings& settings, int user, TextView password,
                                std::int32_t dayAllowance) = 0;
  // Whether a typed password is the user's own; nothing when it can only be known by trying.
  virtual std::optional<bool> PasswordMatches(const Settings& settings, int user,
                                              TextView typed) const = 0;
  // Replaces the user's own password on proof of the current one; false when that was wrong.
  virtual bool ChangeOwnPassword(Settings& settings, int user, TextView current,
                                 TextView replacement) = 0;

  // Checks the parent password, logs the attempt for the log user and, when it is right, opens
  // the console: settings then hold every password.
  virtual bool OpenConsole(Settings& settings, TextView parentPassword, TextView logUserName) = 0;
  // The console closes: the secrets leave settings again.
  virtual void CloseConsole(Settings& settings) = 0;
  // The console stored its grid into settings; moves says where each old user went.
  virtual void StoreTable(Settings& settings, const UserMoves& moves) = 0;
  // Throws when it could not be stored.
  virtual void SetParentPassword(Settings& settings, TextView password) = 0;

  virtual void WriteLog(TextView line) = 0;
  // The log's lines: a line ends at CR or CR LF, without its end. Throws when it cannot be read.
  virtual std::vector<Text> ReadLogLines() = 0;
  // Replaces the whole log with exactly this text.
  virtual void RewriteLog(TextView text) = 0;

  // The parent stops the program until Windows starts again.
  virtual void Pause() = 0;
  // The parent removes the program from the start of Windows for good.
  virtual void Remove() = 0;
};

}  // namespace orlimo
