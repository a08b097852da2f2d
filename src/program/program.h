// The program: everything that lives for the whole run, and the one instance of each window.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "forms/runtime.h"
#include "platform/services.h"
#include "records/family_days.h"
#include "supervisor/snapshot.h"
#include "supervisor/supervision.h"

namespace orlimo {

class frmMain;
class frmSmall;
class DialogEnd;
class frmChangeUser;
class frmMastPWD;
class frmSetup;
class frmChangePWD;
class frmNotice;
class frmChildDays;
class frmUsageChart;
class frmMoreTime;

class Program {
 public:
  // <dataFolder> holds the family's Setup.ini and Logs.txt; <programFolder> the executables and
  // the cues. The two are the same folder when the program runs portable, hosting the
  // supervisor itself.
  Program(Text dataFolder, Text programFolder, platform::Services& services,
          forms::Renderer& renderer);
  // The supervision kept by <supervision> instead: the windows only ask it.
  Program(std::unique_ptr<Supervision> supervision, Text programFolder,
          platform::Services& services, forms::Renderer& renderer);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Loads and shows the main window, runs events until every window has been unloaded, then
  // runs the main window's final release.
  void Run();
  // Windows is logging off or shutting down: the main window unloads, the final line is
  // logged, and the program ends. It does not return.
  [[noreturn]] void SessionEnding();

  // What the session shows now, as the supervision last gave it.
  SessionSnapshot view;
  std::int16_t ChosenUser = 0;
  std::int16_t PasswordTarget = 0;

  const Text programFolder;
  platform::Services& services;
  forms::Runtime runtime;

  // The rules: every question and change of the windows goes through it.
  Supervision& supervision() { return *supervision_; }

  frmMain& MainWindow() { return *main_; }
  frmSmall& SmallWindow() { return *small_; }
  DialogEnd& EndDialog() { return *dialogEnd_; }
  frmChangeUser& UserPrompt() { return *userPrompt_; }
  frmMastPWD& ParentPrompt() { return *parentPrompt_; }
  frmSetup& SetupConsole() { return *setupConsole_; }
  frmChangePWD& PasswordDialog() { return *passwordDialog_; }
  frmNotice& Notice() { return *notice_; }
  frmChildDays& DaysDialog() { return *childDays_; }
  frmUsageChart& ChartWindow() { return *usageChart_; }
  frmMoreTime& MoreTimeWindow() { return *moreTime_; }

  // What a window asks of a window in another folder: no window includes another folder's
  // windows, it asks the program (window_requests.cpp).
  // Runs what the supervision has due and shows its snapshot in every window: the rows and the
  // title, the cues and notices it gave, the countdown and the end.
  void Follow();
  // Shows a snapshot the windows were given.
  void Show(const SessionSnapshot& next);
  // The time-is-up countdown, unless it is showing already, with the seconds the supervision
  // says are left.
  void ShowCountdown();
  // ChosenUser has moved to another row, or is gone: an open user prompt follows it or closes.
  void FollowChosenUser(bool gone);
  // The change-password dialog for a child, following it when it is open already.
  void OpenPasswordDialog(int user);
  void OpenParentPrompt();
  void OpenConsole(const ConsoleEntry& entry);
  bool ConsoleOpen() const;
  // The console stored its table: whatever acts on a child goes on acting on that child.
  void FollowRenumbering(const Renumbering& renumbering);

  // The user a log line or the countdown names: the current user, or user 0 when nobody is.
  int LogUser() const { return view.LogUser(); }
  // Plays one of the cues in the program's folder.
  void PlayCue(TextView fileName) const;
  // Today by the clock.
  DayNumber Today() const;
  // The allowance of a user today, as the supervision gives it.
  std::int32_t DayAllowance(int user) const;

 private:
  std::unique_ptr<Supervision> supervision_;
  bool viewShown_ = false;
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmSmall> small_;
  std::unique_ptr<DialogEnd> dialogEnd_;
  std::unique_ptr<frmChangeUser> userPrompt_;
  std::unique_ptr<frmMastPWD> parentPrompt_;
  std::unique_ptr<frmSetup> setupConsole_;
  std::unique_ptr<frmChangePWD> passwordDialog_;
  std::unique_ptr<frmNotice> notice_;
  std::unique_ptr<frmChildDays> childDays_;
  std::unique_ptr<frmUsageChart> usageChart_;
  std::unique_ptr<frmMoreTime> moreTime_;
};

}  // namespace orlimo
