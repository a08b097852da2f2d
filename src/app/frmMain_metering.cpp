// The metering of the current user, the time-out check, the choice of the current user and the
// choose-a-user countdown.
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <tuple>

#include "app/frmMain.h"
#include "program/shared_texts.h"
#include "app/frmNotice.h"
#include "records/metering.h"
#include "records/log_words.h"
#include "records/sound_cue.h"

namespace orlimo {
namespace {

constexpr int kChooseSeconds = 100;
constexpr int kTicksBetweenUsageLines = 60;

constexpr char16_t kChooseTitle[] = u"사용자 선택 남은 시간=";
constexpr char16_t kChooseSecondsUnit[] = u"초";
constexpr char16_t kFiveMinutesLeft[] = u" 님, 5분 남았습니다.";
constexpr char16_t kOneMinuteLeft[] = u" 님, 1분 남았습니다. 작업을 저장하십시오.";

}  // namespace

void frmMain::CheckTimeOut() {
  try {
    if (!program_.settingsRead || LastMeterStamp_.empty()) return;
    std::optional<DateValue> stamp = ParseDate(LastMeterStamp_);
    if (!stamp) return;
    DateValue now = DateFromFields(program_.services.clock.Now());
    int elapsed = Metering::CreditedSeconds(*stamp, now);
    ElapsedSeconds_ = static_cast<float>(elapsed);
    LastMeterStamp_ = TimestampText(program_.services.clock.Now());
    program_.records().Meter(program_.settings, program_.CurrentUser, elapsed);
    DisplayCurrent();
    program_.SaveSettings();
  } catch (const std::exception&) {
    // The step ends where it failed; the next one tries again.
  }
}

void frmMain::TimerCheckTime_Timer() {
  try {
    if (!program_.settingsRead) return;
    CheckTimeOut();
    const Settings& settings = program_.settings;
    const std::optional<OutsideClocks> clocks = program_.records().Clocks();
    if (clocks) FollowOutsideClocks(*clocks, true);
    if (settings.UserCount >= 0 && program_.CurrentUser >= 0) {
      const UserEntry& user = settings.User(program_.CurrentUser);
      GiveTimeWarning();
      if (!clocks && user.UsedMinutes >= program_.DayAllowance(program_.CurrentUser)) {
        if (settings.PasswordsInUse != 0) {
          program_.CurrentUser = -1;
          Inits();
        } else {
          program_.StartCountdown();
        }
      }
    }
    if (++CheckTickCount_ > kTicksBetweenUsageLines) {
      program_.UsageSummary(LogWords::kInUse);
      CheckTickCount_ = 0;
    }
  } catch (const std::exception&) {
  }
}

void frmMain::ChooseStartUser() {
  // The time-is-up countdown of a guard that has one running shows at the next follow, once
  // the window is up.
  if (std::optional<OutsideClocks> clocks = program_.records().Clocks()) {
    FollowOutsideClocks(*clocks, false);
    return;
  }
  Settings& settings = program_.settings;
  if (settings.PasswordsInUse != 0) {
    ChooseTickCount_ = 0;
    TimerUserBeep.SetOn(true);
    return;
  }
  program_.CurrentUser = -1;
  // Only the users in use take part: a slot past the last user may still hold an old entry.
  for (int u = 0; u <= settings.UserCount; ++u) {
    if (settings.User(u).UsedMinutes < program_.DayAllowance(u)) {
      program_.CurrentUser = static_cast<std::int16_t>(u);
      return;
    }
  }
  if (settings.UserCount >= 0) program_.CurrentUser = settings.UserCount;
}

// Where the guard keeps the clocks, the window shows its current user and its countdowns, each
// started with the seconds the guard says are left (also after the program started again).
void frmMain::FollowOutsideClocks(const OutsideClocks& clocks, bool showCountdown) {
  program_.CurrentUser = clocks.currentUser;
  if (clocks.chooseSecondsLeft >= 0) {
    ChooseTickCount_ = static_cast<std::int16_t>(
        std::max(0, kChooseSeconds - std::min(clocks.chooseSecondsLeft, kChooseSeconds)));
    TimerUserBeep.SetOn(true);
  }
  if (showCountdown && clocks.countdownSecondsLeft >= 0) {
    program_.StartCountdown(clocks.countdownSecondsLeft);
  }
}

void frmMain::TimerUserBeep_Timer() {
  try {
    lTitle.SetCaption(kChooseTitle + DecimalText(kChooseSeconds - ChooseTickCount_) +
                      kChooseSecondsUnit);
    if (program_.CurrentUser >= 0) {
      TimerUserBeep.SetOn(false);
      lTitle.SetCaption(SharedTexts::kWhoIsUsing);
    }
    if (ChooseTickCount_ % 5 == 0) program_.PlayCue(Main::kChimes);
    ++ChooseTickCount_;
    program_.runtime.Yield();
    if (ChooseTickCount_ > kChooseSeconds) {
      program_.UsageSummary(LogWords::kEnd);
      program_.WriteLog(LogWords::kEndMark);
      program_.StartCountdown();
    }
  } catch (const std::exception&) {
  }
}

void frmMain::ClearUsageOnNewDay() {
  Settings& settings = program_.settings;
  DateTimeFields today = program_.services.clock.Now();
  DateTimeFields lastReset = FieldsFromDate(settings.User(0).Day);
  // Only a later date resets: a clock or time zone set back a day, or a stored day still ahead,
  // must not give a fresh allowance.
  bool laterDate = std::tie(today.year, today.month, today.day) >
                   std::tie(lastReset.year, lastReset.month, lastReset.day);
  if (!laterDate) return;
  program_.RecordUsageOfTheDay();  // the end of the day the figures were counted for
  DateValue now = DateFromFields(today);
  for (int u = 0; u < kMaxUsers; ++u) {
    UserEntry& user = settings.User(u);
    user.UsedSeconds = 0;
    user.UsedMinutes = 0;
    user.Day = now;
  }
  program_.SaveFamily();
}

// The 5- and 1-minute notices of the current user, with a cue; none while the console is open.
void frmMain::GiveTimeWarning() {
  const int current = program_.CurrentUser;
  const UserEntry& user = program_.settings.User(current);
  std::int64_t secondsLeft =
      std::int64_t{program_.DayAllowance(current)} * 60 - std::int64_t{user.UsedSeconds};
  Main::TimeWarning due = Main::DueWarning(program_.warnings.at(static_cast<std::size_t>(current)),
                                           secondsLeft, program_.ConsoleOpen());
  if (due == Main::TimeWarning::None) return;
  program_.PlayCue(Main::kChimes);
  program_.Notice().ShowNotice(
      user.Name + (due == Main::TimeWarning::FiveMinutes ? kFiveMinutesLeft : kOneMinuteLeft));
}

}  // namespace orlimo
