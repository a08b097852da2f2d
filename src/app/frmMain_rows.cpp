// The rows of the main window: one per user, with the current user marked by colour.
#include "app/frmMain.h"

namespace orlimo {
namespace {

constexpr forms::Color kLightGrey = forms::Rgb(224, 224, 224);
constexpr char16_t kMinutesUnit[] = u"분";
constexpr char16_t kTimeLeft[] = u"남은시간= ";
constexpr char16_t kSecondsUnitAndBracket[] = u"초)";

}  // namespace

void frmMain::LayOutRows() {
  const Settings& settings = program_.settings;
  for (int i = 0; i < kMaxUsers; ++i) {
    cmdUser[i].SetCaption(u"");
    cmdUser[i].SetBackColor(kLightGrey);
    lStatus[i].SetCaption(u"");
    lStatus[i].SetForeColor(forms::kButtonText);
    bool inUse = i <= settings.UserCount;
    cmdUser[i].SetVisible(inUse);
    lStatus[i].SetVisible(inUse);
    cmdPwd[i].SetVisible(inUse && settings.PasswordsInUse != 0);
  }
  SetHeight(750 * settings.UserCount + 1100 + 500);
}

void frmMain::DisplayCurrent() {
  const Settings& settings = program_.settings;
  for (int i = 0; i <= settings.UserCount && i < kMaxUsers; ++i) {
    const UserEntry& user = settings.User(i);
    bool current = i == program_.CurrentUser;
    std::int64_t limit = program_.DayAllowance(i);
    cmdUser[i].SetCaption(user.Name + u" (" + DecimalText(limit) + kMinutesUnit + u")");
    cmdUser[i].SetBackColor(current ? forms::kGreen : kLightGrey);
    lStatus[i].SetCaption(kTimeLeft + DecimalText(limit - user.UsedMinutes) + kMinutesUnit + u" (" +
                          DecimalText(limit * 60 - user.UsedSeconds) + kSecondsUnitAndBracket);
    lStatus[i].SetForeColor(current ? forms::kRed : forms::kButtonText);
  }
}

}  // namespace orlimo
