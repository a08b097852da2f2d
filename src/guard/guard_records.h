// The family's data kept by the guard: every read and change is a request to it, and the table,
// the current user and the countdowns shown are the guard's. Nothing of the data folder is opened
// here, and a guard that cannot be reached leaves the windows showing what they last had.
#pragma once

#include "guard/guard_client.h"
#include "platform/clock.h"
#include "records/family_records.h"

namespace orlimo::guard {

class GuardRecords : public FamilyRecords {
 public:
  GuardRecords(GuardChannel& channel, const platform::Clock& clock);

  void Load(Settings& settings) override;
  void Meter(Settings& settings, std::int16_t& currentUser, int seconds) override;
  // The guard saves its table itself.
  void Save(const Settings&) override {}
  std::optional<OutsideClocks> Clocks() const override { return clocks_; }
  bool Reachable() const override { return reachable_; }
  void Follow(Settings& settings, std::int16_t& currentUser) override;

  // The plans of days the guard enforces; the history of past days stays with the guard.
  FamilyDays LoadFamily(const Settings& settings) override;
  // Stores the plans; where the console is not open the guard keeps its own.
  void SaveFamily(const FamilyDays& family, const Settings& settings) override;

  UserChoice ChooseUser(Settings& settings, int user, TextView password,
                        std::int32_t dayAllowance) override;
  std::optional<bool> PasswordMatches(const Settings&, int, TextView) const override {
    return std::nullopt;
  }
  bool ChangeOwnPassword(Settings& settings, int user, TextView current,
                         TextView replacement) override;

  bool OpenConsole(Settings& settings, TextView parentPassword, TextView logUserName) override;
  void CloseConsole(Settings& settings) override;
  void StoreTable(Settings& settings, const UserMoves& moves) override;
  void SetParentPassword(Settings& settings, TextView password) override;

  void WriteLog(TextView line) override;
  std::vector<Text> ReadLogLines() override;
  void RewriteLog(TextView text) override;

  void Pause() override;
  void Remove() override;

 private:
  // Sends a request; nothing (and the guard marked unreachable) when no answer came.
  std::optional<Answer> Send(const Request& request);
  // Reads the table and this session's state from the guard into settings.
  bool Refresh(Settings& settings);
  // The table and the session an answer carries, taken into settings.
  void Take(const Answer& answer, Settings& settings);
  // Every password and the parent password, while the console is open.
  void ReadSecrets(Settings& settings);

  GuardClient client_;
  const platform::Clock& clock_;
  std::optional<OutsideClocks> clocks_;
  bool reachable_ = true;
};

}  // namespace orlimo::guard
