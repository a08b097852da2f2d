// The family's data as files in one folder (Setup.ini, Family.ini, Logs.txt), kept by the program
// itself: the portable program, where the program meters and checks every password.
#pragma once

#include "platform/ansi_codepage.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "records/family_records.h"
#include "records/usage_log.h"

namespace orlimo {

class FolderRecords : public FamilyRecords {
 public:
  FolderRecords(Text folder, const platform::Clock& clock, const platform::AnsiCodePage& codePage,
                platform::Registry& registry);

  void Load(Settings& settings) override;
  void Meter(Settings& settings, std::int16_t& currentUser, int seconds) override;
  void Save(const Settings& settings) override;
  std::optional<OutsideClocks> Clocks() const override { return std::nullopt; }
  bool Reachable() const override { return true; }
  void Follow(Settings&, std::int16_t&) override {}

  FamilyDays LoadFamily(const Settings& settings) override;
  void SaveFamily(const FamilyDays& family, const Settings& settings) override;

  UserChoice ChooseUser(Settings& settings, int user, TextView password,
                        std::int32_t dayAllowance) override;
  std::optional<bool> PasswordMatches(const Settings& settings, int user,
                                      TextView typed) const override;
  bool ChangeOwnPassword(Settings& settings, int user, TextView current,
                         TextView replacement) override;

  bool OpenConsole(Settings& settings, TextView parentPassword, TextView logUserName) override;
  void CloseConsole(Settings&) override {}
  // The table is written with the next save, as every other change of the console.
  void StoreTable(Settings&, const UserMoves&) override {}
  void SetParentPassword(Settings& settings, TextView password) override;

  void WriteLog(TextView line) override;
  // The whole log as text; nothing when it cannot be read.
  std::optional<Text> ReadLog() const;
  std::vector<Text> ReadLogLines() override;
  void RewriteLog(TextView text) override;

  // Nothing is kept for the pause: the program simply ends.
  void Pause() override {}
  void Remove() override;

 private:
  const Text folder_;
  const Main::LogFile log_;
  platform::Registry& registry_;
  bool settingsCopyOwed_ = false;  // Setup.ini must be kept as a copy before it is written
  bool savingFails_ = false;
};

}  // namespace orlimo
