// The portable program's supervision: it hosts the supervisor itself, over the files of its own
// folder, for its one session, and powers the PC off itself.
#pragma once

#include "forms/runtime.h"
#include "platform/services.h"
#include "records/folder_records.h"
#include "supervisor/supervision.h"
#include "supervisor/supervisor.h"

namespace orlimo {

class LocalSupervision : public Supervision, private SupervisorHost {
 public:
  LocalSupervision(Text dataFolder, platform::Services& services, forms::Runtime& runtime);

  void LogStart(TextView caption) override { supervisor_.LogStart(kOwnSession, caption); }
  void Start() override;
  SessionSnapshot Poll() override;
  bool Reachable() const override { return true; }
  bool LocksHold() const override { return false; }
  void Closing() override { supervisor_.WindowClosing(kOwnSession); }
  void Released() override { supervisor_.ProgramReleased(kOwnSession); }

  Outcome ChooseUser(int user, TextView password) override {
    return supervisor_.ChooseUser(kOwnSession, user, password);
  }
  Outcome ChangeOwnPassword(int user, TextView current, TextView replacement) override {
    return supervisor_.ChangeOwnPassword(kOwnSession, user, current, replacement);
  }

  ConsoleEntry OpenConsole(TextView parentPassword) override {
    return supervisor_.OpenConsole(kOwnSession, parentPassword);
  }
  void CloseConsole() override { supervisor_.CloseConsole(kOwnSession); }
  std::optional<std::vector<Text>> RevealPasswords(TextView parentPassword) override {
    return supervisor_.RevealPasswords(kOwnSession, parentPassword);
  }
  StoreResult StoreTable(const TableChange& change) override {
    return supervisor_.StoreTable(kOwnSession, change);
  }
  void Rebuild() override { supervisor_.Rebuild(kOwnSession); }
  Outcome SetParentPassword(TextView password) override {
    return supervisor_.SetParentPassword(password);
  }
  Outcome GrantMoreTime(int minutes, TextView parentPassword) override {
    return supervisor_.GrantMoreTime(kOwnSession, minutes, parentPassword);
  }
  void RefuseMoreTime(int minutes) override { supervisor_.RefuseMoreTime(kOwnSession, minutes); }
  FamilyDays ReadDays() override { return supervisor_.family(); }
  Outcome StoreDays(int user, const DaysChange& change) override {
    return supervisor_.StoreDays(kOwnSession, user, change);
  }
  std::vector<Text> ReadLogLines() override { return store_.ReadLogLines(); }
  void RewriteLog(TextView text) override { store_.RewriteLog(text); }
  // Nothing is kept for the pause: the program simply ends.
  void Pause() override {}
  void Remove() override { supervisor_.Remove(); }

 private:
  static constexpr SessionId kOwnSession = 0;

  // SupervisorHost: the power-off or log-off request, forced a minute later, and the program
  // ends. The program cannot hold a lock against its own user, who can end it.
  void EndTime(SessionId, EndAction action) override;
  void ForceEnd(SessionId, EndAction action) override;
  bool Away(SessionId) override { return services_.system.SessionAway(); }
  Text WindowsUser(SessionId) override { return {}; }
  bool HoldsLocks() const override { return false; }

  platform::Services& services_;
  forms::Runtime& runtime_;
  FolderRecords store_;
  Supervisor supervisor_;
};

}  // namespace orlimo
