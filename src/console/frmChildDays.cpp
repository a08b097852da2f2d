#include "console/frmChildDays.h"

#include <array>
#include <optional>

#include "base/number.h"
#include "console/setup_texts.h"
#include "records/day_allowance.h"
#include "supervisor/requests.h"

namespace orlimo {
namespace {

constexpr int kClientWidth = 10200;
constexpr int kClientHeight = 4920;
constexpr int kBoxLeft = 1500;
constexpr int kBoxWidth = 1170;
constexpr int kBoxStep = 1230;
constexpr forms::Color kLightGreen = forms::Rgb(0xC0, 0xFF, 0xC0);
constexpr forms::Color kLightYellow = forms::Rgb(0xFF, 0xFF, 0xC0);
constexpr forms::Color kLightOrange = forms::Rgb(0xFF, 0xE0, 0xC0);

constexpr char16_t kTitleSuffix[] = u" 님의 요일별 하루시간(분)과 쓸 수 있는 시간대";
constexpr char16_t kMinutesRow[] = u"하루시간(분)";
constexpr char16_t kHoursRow[] = u"시간대";
constexpr char16_t kNotePrefix[] = u"빈칸인 요일은 하루시간(";
constexpr char16_t kNoteSuffix[] =
    u"분)을 씁니다. 시간대는 07:00-21:30처럼 적고, 빈칸이면 하루 종일 쓸 수 있습니다.";
constexpr char16_t kExtraCaption[] = u"오늘 추가시간(분)";
constexpr char16_t kEndCaption[] = u"시간이 다 되면:";
constexpr char16_t kEndPowerOff[] = u"전원 끄기";
constexpr char16_t kEndLogOff[] = u"로그오프";
constexpr char16_t kEndLock[] = u"화면 잠금";
constexpr char16_t kNoLockHere[] =
    u"설치하지 않고 실행 중이라 화면 잠금은 고를 수 없습니다. 아이가 Orlimo를 끌 수 있기 "
    u"때문입니다.";
constexpr char16_t kLockedCaption[] =
    u"화면이 잠겨 있거나 다른 사용자로 바뀐 동안은 시간에 넣지 않기";
constexpr char16_t kTodayPrefix[] = u"오늘 쓸 수 있는 시간= ";
constexpr char16_t kNumbersOnly[] =
    u"요일별 시간과 추가시간에는 빈칸이나 -2147483648부터 2147483647까지의 수만 쓸 수 "
    u"있습니다.";
constexpr char16_t kHoursOnly[] =
    u"시간대는 빈칸이나 07:00-21:30처럼 시작과 끝을 적어야 합니다 (끝은 24:00까지).";
constexpr char16_t kNotStored[] = u"저장하지 못했습니다. 다시 저장하십시오.";

}  // namespace

frmChildDays::frmChildDays(Program& program)
    : Form(program.runtime),
      lTitle(*this),
      lWeekday(*this),
      lMinutes(*this),
      tWeekday(*this),
      lHours(*this),
      tHours(*this),
      lNote(*this),
      lExtra(*this),
      tExtra(*this),
      lEnd(*this),
      cmdEnd(*this),
      lEndNote(*this),
      chkLocked(*this),
      lToday(*this),
      cmdOK(*this),
      cmdCancel(*this),
      program_(program) {
  cmdOK.onClick = [this] { cmdOK_Click(); };
  cmdCancel.onClick = [this] { Unload(); };
  cmdEnd.onClick = [this] { cmdEnd_Click(); };
}

void frmChildDays::Design() {
  SetCaption(forms::kAppTitle);
  SetClientSize(kClientWidth, kClientHeight);
  CenterOnScreen();
  lTitle.Move(180, 150, kClientWidth - 360, 300);
  lTitle.SetFont({u"굴림", 11, true});
  lMinutes.Move(180, 960, kBoxLeft - 240, 255);
  lMinutes.SetCaption(kMinutesRow);
  lHours.Move(180, 1440, kBoxLeft - 240, 255);
  lHours.SetCaption(kHoursRow);
  for (int d = 0; d < 7; ++d) {
    const int left = kBoxLeft + kBoxStep * d;
    lWeekday[d].Move(left, 600, kBoxWidth, 255);
    lWeekday[d].SetCaption(SetupTexts::kWeekdayNames[static_cast<std::size_t>(d)]);
    lWeekday[d].SetCentered(true);
    for (forms::TextBox* box : {&tWeekday[d], &tHours[d]}) {
      box->SetBackColor(kLightGreen);
      box->SetForeColor(forms::kWindowText);
    }
    tWeekday[d].Move(left, 900, kBoxWidth, 375);
    tWeekday[d].SetTabIndex(d);
    tHours[d].Move(left, 1380, kBoxWidth, 375);
    tHours[d].SetTabIndex(7 + d);
  }
  lNote.Move(180, 1860, kClientWidth - 360, 255);
  lExtra.Move(180, 2340, 2000, 255);
  lExtra.SetCaption(kExtraCaption);
  tExtra.Move(2280, 2280, 1200, 375);
  tExtra.SetBackColor(kLightGreen);
  tExtra.SetForeColor(forms::kWindowText);
  tExtra.SetTabIndex(14);
  lEnd.Move(180, 2820, 2000, 255);
  lEnd.SetCaption(kEndCaption);
  cmdEnd.SetBounds({2280, 2760, 1500, 405});
  cmdEnd.SetBackColor(kLightOrange);
  cmdEnd.SetTabIndex(15);
  lEndNote.Move(3900, 2760, kClientWidth - 4080, 510);
  lEndNote.SetCaption(kNoLockHere);
  chkLocked.Move(180, 3360, kClientWidth - 360, 315);
  chkLocked.SetCaption(kLockedCaption);
  chkLocked.SetTabIndex(16);
  lToday.Move(180, 3840, kClientWidth - 360, 255);
  cmdOK.SetCaption(u"저장");
  cmdOK.SetBounds({kClientWidth - 3360, 4320, 1500, 435});
  cmdOK.SetBackColor(kLightGreen);
  cmdOK.SetTabIndex(17);
  cmdCancel.SetCaption(u"그냥닫기");
  cmdCancel.SetBounds({kClientWidth - 1680, 4320, 1500, 435});
  cmdCancel.SetBackColor(kLightYellow);
  cmdCancel.SetTabIndex(18);
}

void frmChildDays::ShowFor(int user) {
  user_ = user;
  Show(true);
}

void frmChildDays::Form_Load() {
  const ChildDays days = program_.supervision().ReadDays().at(static_cast<std::size_t>(user_));
  const RowView& user = program_.view.users.at(static_cast<std::size_t>(user_));
  lTitle.SetCaption(user.name + kTitleSuffix);
  for (int d = 0; d < 7; ++d) {
    const std::size_t day = static_cast<std::size_t>(d);
    const std::optional<std::int32_t>& minutes = days.WeekdayMinutes[day];
    tWeekday[d].SetText(minutes ? DecimalText(*minutes) : Text());
    tHours[d].SetText(days.Hours[day] ? Main::HoursText(*days.Hours[day]) : Text());
  }
  lNote.SetCaption(kNotePrefix + DecimalText(user.limitMinutes) + kNoteSuffix);
  std::int32_t extra = days.ExtraDay == program_.Today() ? days.ExtraMinutes : 0;
  tExtra.SetText(DecimalText(extra));
  end_ = days.End;
  if (end_ == EndAction::Lock && !program_.supervision().LocksHold()) end_ = EndAction::PowerOff;
  lEndNote.SetVisible(!program_.supervision().LocksHold());
  ShowEnd();
  chkLocked.SetValue(days.LockedTimeCounts ? 0 : 1);
  lToday.SetCaption(kTodayPrefix + DecimalText(user.dayAllowance) + SetupTexts::kMinutes);
}

// Power off, log off, and where the session can be held locked, the lock.
void frmChildDays::cmdEnd_Click() {
  switch (end_) {
    case EndAction::PowerOff:
      end_ = EndAction::LogOff;
      break;
    case EndAction::LogOff:
      end_ = program_.supervision().LocksHold() ? EndAction::Lock : EndAction::PowerOff;
      break;
    case EndAction::Lock:
      end_ = EndAction::PowerOff;
      break;
  }
  ShowEnd();
}

void frmChildDays::ShowEnd() {
  cmdEnd.SetCaption(end_ == EndAction::LogOff ? kEndLogOff
                    : end_ == EndAction::Lock ? kEndLock
                                              : kEndPowerOff);
}

std::optional<DaysChange> frmChildDays::TypedChange() {
  DaysChange change;
  for (int d = 0; d < 7; ++d) {
    const std::size_t day = static_cast<std::size_t>(d);
    const Text minutes = Trim(tWeekday[d].GetText());
    if (!minutes.empty()) {
      change.weekdayMinutes[day] = ReadInt32(minutes);
      if (!change.weekdayMinutes[day]) {
        program_.runtime.MessageBox(kNumbersOnly, forms::kMbOk | forms::kMbIconInformation);
        return std::nullopt;
      }
    }
    const Text hours = Trim(tHours[d].GetText());
    if (!hours.empty()) {
      change.hours[day] = Main::ReadHours(hours);
      if (!change.hours[day]) {
        program_.runtime.MessageBox(kHoursOnly, forms::kMbOk | forms::kMbIconInformation);
        return std::nullopt;
      }
    }
  }
  const Text extraText = Trim(tExtra.GetText());
  const std::optional<std::int32_t> extra = extraText.empty() ? 0 : ReadInt32(extraText);
  if (!extra) {
    program_.runtime.MessageBox(kNumbersOnly, forms::kMbOk | forms::kMbIconInformation);
    return std::nullopt;
  }
  change.extraToday = *extra;
  change.end = end_;
  change.lockedTimeCounts = chkLocked.Value() == 0;
  return change;
}

void frmChildDays::cmdOK_Click() {
  const std::optional<DaysChange> change = TypedChange();
  if (!change) return;
  if (program_.supervision().StoreDays(user_, *change).verdict != Verdict::Done) {
    program_.runtime.MessageBox(kNotStored, forms::kMbOk | forms::kMbIconInformation);
    return;
  }
  program_.Follow();
  Unload();
}

}  // namespace orlimo
