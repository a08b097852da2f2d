// What the windows of a session do with the supervisor: the portable program asks the one it
// hosts, the program on a guarded PC asks the guard's. No window knows which.
#pragma once

#include <optional>
#include <vector>

#include "base/text.h"
#include "records/family_days.h"
#include "supervisor/requests.h"
#include "supervisor/snapshot.h"

namespace orlimo {

class Supervision {
 public:
  virtual ~Supervision() = default;

  // The program's start lines: the start mark and the main window's caption.
  virtual void LogStart(TextView caption) = 0;
  // The main window loads: the family's table is read and the session's supervision starts.
  // Throws when it cannot start.
  virtual void Start() = 0;
  // Runs whatever is due and gives what the session shows now.
  virtual SessionSnapshot Poll() = 0;
  // False while the keeper of the rules cannot be reached.
  virtual bool Reachable() const = 0;
  // Whether a session can be held locked against its child when the time is up.
  virtual bool LocksHold() const = 0;
  // The main window unloads; the program is finally released.
  virtual void Closing() = 0;
  virtual void Released() = 0;

  virtual Outcome ChooseUser(int user, TextView password) = 0;
  virtual Outcome ChangeOwnPassword(int user, TextView current, TextView replacement) = 0;

  virtual ConsoleEntry OpenConsole(TextView parentPassword) = 0;
  virtual void CloseConsole() = 0;
  // Every user's password, when the parent password is right.
  virtual std::optional<std::vector<Text>> RevealPasswords(TextView parentPassword) = 0;
  virtual StoreResult StoreTable(const TableChange& change) = 0;
  // The main window is laid out anew for the stored table (the console closes with its store).
  virtual void Rebuild() = 0;
  virtual Outcome SetParentPassword(TextView password) = 0;
  // The child at the PC asks for 10, 20 or 30 more minutes today: the parent grants them with the
  // parent password, or refuses.
  virtual Outcome GrantMoreTime(int minutes, TextView parentPassword) = 0;
  virtual void RefuseMoreTime(int minutes) = 0;
  // Each child's days: weekday allowances, today's extra minutes, the recent days of use.
  // Throws when they cannot be had.
  virtual FamilyDays ReadDays() = 0;
  virtual Outcome StoreDays(int user, const DaysChange& change) = 0;
  // The log's lines; throws when it cannot be read.
  virtual std::vector<Text> ReadLogLines() = 0;
  // Replaces the whole log with exactly this text.
  virtual void RewriteLog(TextView text) = 0;
  virtual void Pause() = 0;
  virtual void Remove() = 0;
};

}  // namespace orlimo
