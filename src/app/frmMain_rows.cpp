// The rows of the main window: one per user, with the current user marked by colour.
#include "app/frmMain.h"
#include "program/shared_texts.h"
#include "records/family_days.h"

namespace orlimo {
namespace {

constexpr forms::Color kLightGrey = forms::Rgb(224, 224, 224);
constexpr char16_t kMinutesUnit[] = u"분";
constexpr char16_t kTimeLeft[] = u"남은시간= ";
constexpr char16_t kSecondsUnitAndBracket[] = u"초)";
constexpr char16_t kChooseTitle[] = u"사용자 선택 남은 시간=";
constexpr char16_t kUntil[] = u"까지 ";

// "21:30"
Text HoursEnd(std::int32_t minute) {
  return Main::HoursText({0, minute}).substr(6);
}
constexpr char16_t kChooseSecondsUnit[] = u"초";

}  // namespace

// The rows of the users in use show, the others hide, and the window's height follows them.
void frmMain::LayOutRows() {
  const SessionSnapshot& view = program_.view;
  const int userCount = view.UserCount();
  for (int i = 0; i < kMaxUsers; ++i) {
    bool inUse = i <= userCount;
    cmdUser[i].SetVisible(inUse);
    lStatus[i].SetVisible(inUse);
    cmdPwd[i].SetVisible(inUse && view.passwordsInUse);
  }
  SetHeight(750 * userCount + 1100 + 500);
}

// Each row shows the day's allowance and the time left of it.
void frmMain::DisplayCurrent() {
  const SessionSnapshot& view = program_.view;
  for (int i = 0; i <= view.UserCount() && i < kMaxUsers; ++i) {
    const RowView& user = view.users[static_cast<std::size_t>(i)];
    bool current = i == view.currentUser;
    std::int64_t limit = user.dayAllowance;
    cmdUser[i].SetCaption(user.name + u" (" + DecimalText(limit) + kMinutesUnit + u")");
    cmdUser[i].SetBackColor(current ? forms::kGreen : kLightGrey);
    if (user.hoursEndMinute >= 0) {
      // The day's hours end before the allowance: their end, and the time left to it.
      lStatus[i].SetCaption(HoursEnd(user.hoursEndMinute) + kUntil +
                            DecimalText(user.hoursSecondsLeft / 60) + kMinutesUnit + u" (" +
                            DecimalText(user.hoursSecondsLeft) + kSecondsUnitAndBracket);
    } else {
      lStatus[i].SetCaption(kTimeLeft + DecimalText(limit - user.usedMinutes) + kMinutesUnit +
                            u" (" + DecimalText(limit * 60 - user.usedSeconds) +
                            kSecondsUnitAndBracket);
    }
    lStatus[i].SetForeColor(current ? forms::kRed : forms::kButtonText);
  }
}

void frmMain::ShowTitle() {
  const std::int32_t seconds = program_.view.chooseSeconds;
  lTitle.SetCaption(seconds < 0 ? Text(SharedTexts::kWhoIsUsing)
                                : kChooseTitle + DecimalText(seconds) + kChooseSecondsUnit);
}

}  // namespace orlimo
