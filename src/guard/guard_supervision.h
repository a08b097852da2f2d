// The supervision of a guarded PC: every question and change of the windows is a request to the
// guard, which hosts the rules; the program only shows what it answers. Nothing of the data
// folder is opened here, and a guard that cannot be reached leaves the windows showing what
// they last had while the guard goes on.
#pragma once

#include "guard/guard_client.h"
#include "supervisor/supervision.h"

namespace orlimo::guard {

class GuardSupervision : public Supervision {
 public:
  explicit GuardSupervision(GuardChannel& channel) : client_(channel) {}

  // The guard writes its own copy of the start lines. A start it did not take (a guard still
  // starting, every connection taken by a flood) is told again at each poll until it does.
  void LogStart(TextView) override { TellStart(); }
  void Start() override { Poll(); }
  SessionSnapshot Poll() override;
  bool Reachable() const override { return reachable_; }
  bool LocksHold() const override { return true; }
  void Closing() override { Send(guard::Closing{}); }
  void Released() override { Send(guard::Released{}); }

  Outcome ChooseUser(int user, TextView password) override;
  Outcome ChangeOwnPassword(int user, TextView current, TextView replacement) override;

  ConsoleEntry OpenConsole(TextView parentPassword) override;
  void CloseConsole() override { Ask(guard::CloseConsole{}); }
  std::optional<std::vector<Text>> RevealPasswords(TextView parentPassword) override;
  StoreResult StoreTable(const TableChange& change) override;
  void Rebuild() override { Ask(guard::Rebuild{}); }
  Outcome SetParentPassword(TextView password) override;
  Outcome GrantMoreTime(int minutes, TextView parentPassword) override {
    return Ask(guard::AskMoreTime{minutes, true, Text(parentPassword)});
  }
  void RefuseMoreTime(int minutes) override { Ask(guard::AskMoreTime{minutes, false, {}}); }
  FamilyDays ReadDays() override;
  Outcome StoreDays(int user, const DaysChange& change) override;
  std::vector<Text> ReadLogLines() override;
  void RewriteLog(TextView text) override;
  void Pause() override { Send(guard::Pause{}); }
  void Remove() override { Send(guard::Remove{}); }

 private:
  // Sends a request; nothing (and the guard marked unreachable) when no answer came.
  std::optional<Answer> Send(const Request& request);
  // Sends a request and takes the session it answers with; the outcome it says.
  Outcome Ask(const Request& request);
  void TellStart();

  GuardClient client_;
  SessionSnapshot last_;
  bool reachable_ = true;
  bool startUntold_ = false;
};

}  // namespace orlimo::guard
