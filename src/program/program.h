// The program: everything that lives for the whole run, and the one instance of each window.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "forms/runtime.h"
#include "platform/services.h"
#include "records/day_allowance.h"
#include "records/family_days.h"
#include "records/family_records.h"
#include "records/settings.h"
#include "records/usage_log.h"

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

class Program {
 public:
  // <dataFolder> holds the family's Setup.ini and Logs.txt; <programFolder> the executables and
  // the cues. The two are the same folder when the program runs portable.
  Program(Text dataFolder, Text programFolder, platform::Services& services,
          forms::Renderer& renderer);
  // The family's data kept by <records> instead: the windows only ask it.
  Program(std::unique_ptr<FamilyRecords> records, Text programFolder, platform::Services& services,
          forms::Renderer& renderer);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Loads and shows the main window, runs events until every window has been unloaded, then
  // runs the main window's final release.
  void Run();
  // Windows is logging off or shutting down: the main window unloads, the final line is
  // logged, and the program ends. It does not return.
  [[noreturn]] void SessionEnding();

  // The settings: UserTable, UserCount, ParentPassword, PasswordsInUse.
  Settings settings;
  // Whether the settings have been read; until then nothing is saved, metered or enforced.
  bool settingsRead = false;
  // Each child's weekday allowances, extra minutes for today and usage history (Family.ini).
  FamilyDays family{};
  // Which end-of-time warnings each child has been given.
  std::array<Main::WarningState, kMaxUsers> warnings{};
  std::int16_t CurrentUser = -1;
  std::int16_t ChosenUser = 0;
  std::int16_t PasswordTarget = 0;

  const Text programFolder;
  platform::Services& services;
  forms::Runtime runtime;

  // The family's data: every read and change the windows make goes through it.
  FamilyRecords& records() { return *records_; }

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

  // What a window asks of a window in another folder: no window includes another folder's
  // windows, it asks the program (window_requests.cpp).
  // The main window: its metering and start-up timers stop, and start again with the title
  // asking who is using the PC.
  void StopMetering();
  void ResumeMetering();
  // One metering step now.
  void MeterNow();
  void SilenceUserBeep();
  // Refreshes the rows; lays them out anew, settling who is current and saving.
  void RefreshMainWindow();
  void RebuildMainWindow();
  void CloseMainWindow();
  // ChosenUser has moved to another row, or is gone: an open user prompt follows it or closes.
  void FollowChosenUser(bool gone);
  // The change-password dialog for a child, following it when it is open already.
  void OpenPasswordDialog(int user);
  void OpenParentPrompt();
  bool ConsoleOpen() const;
  // The time-is-up countdown, unless it is showing already: the full time, or the seconds the
  // guard says are left.
  void StartCountdown(std::optional<std::int32_t> secondsLeft = std::nullopt);

  // The user a log line or the countdown names: the current user, or user 0 when nobody is.
  int LogUser() const { return CurrentUser >= 0 ? CurrentUser : 0; }
  void WriteLog(TextView text) const;
  // The usage line of the log user.
  void UsageSummary(TextView word) const;
  // Plays one of the cues in the program's folder.
  void PlayCue(TextView fileName) const;
  // Reads the table into settings (once, at the main window's load).
  void LoadSettings();
  // Writes the table; does nothing while the settings have not been read. Throws when it fails.
  void SaveSettings();
  // Saves as above, but a failure is only logged: the next save makes it again.
  void SaveSettingsOrLater();
  // Writes each child's days; does nothing while the settings have not been read, and swallows
  // failures (the next writing tries again).
  void SaveFamily() const;

  // Today by the clock.
  DayNumber Today() const;
  // The allowance of a user today: the weekday's or the daily one, plus today's extra minutes.
  std::int32_t DayAllowance(int user) const;
  // Records each user's use of the day that user's figures belong to (end of a day, closing).
  void RecordUsageOfTheDay();

 private:
  std::unique_ptr<FamilyRecords> records_;
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
};

}  // namespace orlimo
