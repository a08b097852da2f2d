#include "console/frmChildDays.h"

#include <array>
#include <optional>

#include "base/number.h"
#include "console/setup_texts.h"
#include "records/day_allowance.h"
#include "supervisor/requests.h"

namespace orlimo {
namespace {

constexpr int kClientWidth = 6240;
constexpr int kClientHeight = 3480;
constexpr int kBoxWidth = 780;
constexpr int kBoxStep = 840;
constexpr forms::Color kLightGreen = forms::Rgb(0xC0, 0xFF, 0xC0);
constexpr forms::Color kLightYellow = forms::Rgb(0xFF, 0xFF, 0xC0);

constexpr char16_t kTitleSuffix[] = u" 님의 요일별 하루시간(분)";
constexpr char16_t kNotePrefix[] = u"빈칸인 요일은 하루시간(";
constexpr char16_t kNoteSuffix[] = u"분)을 씁니다.";
constexpr char16_t kExtraCaption[] = u"오늘 추가시간(분)";
constexpr char16_t kTodayPrefix[] = u"오늘 쓸 수 있는 시간= ";
constexpr char16_t kNumbersOnly[] =
    u"요일별 시간과 추가시간에는 빈칸이나 -2147483648부터 2147483647까지의 수만 쓸 수 "
    u"있습니다.";
constexpr char16_t kNotStored[] = u"저장하지 못했습니다. 다시 저장하십시오.";

}  // namespace

frmChildDays::frmChildDays(Program& program)
    : Form(program.runtime),
      lTitle(*this),
      lWeekday(*this),
      tWeekday(*this),
      lNote(*this),
      lExtra(*this),
      tExtra(*this),
      lToday(*this),
      cmdOK(*this),
      cmdCancel(*this),
      program_(program) {
  cmdOK.onClick = [this] { cmdOK_Click(); };
  cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void frmChildDays::Design() {
  SetCaption(forms::kAppTitle);
  SetClientSize(kClientWidth, kClientHeight);
  CenterOnScreen();
  lTitle.Move(180, 150, kClientWidth - 360, 300);
  lTitle.SetFont({u"굴림", 11, true});
  for (int d = 0; d < 7; ++d) {
    int left = 180 + kBoxStep * d;
    lWeekday[d].Move(left, 600, kBoxWidth, 255);
    lWeekday[d].SetCaption(SetupTexts::kWeekdayNames[static_cast<std::size_t>(d)]);
    lWeekday[d].SetCentered(true);
    tWeekday[d].Move(left, 900, kBoxWidth, 375);
    tWeekday[d].SetBackColor(kLightGreen);
    tWeekday[d].SetForeColor(forms::kWindowText);
    tWeekday[d].SetTabIndex(d);
  }
  lNote.Move(180, 1380, kClientWidth - 360, 255);
  lExtra.Move(180, 1890, 2000, 255);
  lExtra.SetCaption(kExtraCaption);
  tExtra.Move(2280, 1830, 1200, 375);
  tExtra.SetBackColor(kLightGreen);
  tExtra.SetForeColor(forms::kWindowText);
  tExtra.SetTabIndex(7);
  lToday.Move(180, 2400, kClientWidth - 360, 255);
  cmdOK.SetCaption(u"저장");
  cmdOK.SetBounds({2880, 2820, 1500, 435});
  cmdOK.SetBackColor(kLightGreen);
  cmdOK.SetTabIndex(8);
  cmdCancel.SetCaption(u"그냥닫기");
  cmdCancel.SetBounds({4560, 2820, 1500, 435});
  cmdCancel.SetBackColor(kLightYellow);
  cmdCancel.SetTabIndex(9);
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
    const std::optional<std::int32_t>& minutes = days.WeekdayMinutes[static_cast<std::size_t>(d)];
    tWeekday[d].SetText(minutes ? DecimalText(*minutes) : Text());
  }
  lNote.SetCaption(kNotePrefix + DecimalText(user.limitMinutes) + kNoteSuffix);
  std::int32_t extra = days.ExtraDay == program_.Today() ? days.ExtraMinutes : 0;
  tExtra.SetText(DecimalText(extra));
  lToday.SetCaption(kTodayPrefix + DecimalText(user.dayAllowance) + SetupTexts::kMinutes);
}

void frmChildDays::cmdOK_Click() {
  DaysChange change;
  for (int d = 0; d < 7; ++d) {
    Text text = Trim(tWeekday[d].GetText());
    if (text.empty()) continue;
    change.weekdayMinutes[static_cast<std::size_t>(d)] = ReadInt32(text);
    if (!change.weekdayMinutes[static_cast<std::size_t>(d)]) {
      program_.runtime.MessageBox(kNumbersOnly, forms::kMbOk | forms::kMbIconInformation);
      return;
    }
  }
  Text extraText = Trim(tExtra.GetText());
  std::optional<std::int32_t> extra = extraText.empty() ? 0 : ReadInt32(extraText);
  if (!extra) {
    program_.runtime.MessageBox(kNumbersOnly, forms::kMbOk | forms::kMbIconInformation);
    return;
  }
  change.extraToday = *extra;
  if (program_.supervision().StoreDays(user_, change).verdict != Verdict::Done) {
    program_.runtime.MessageBox(kNotStored, forms::kMbOk | forms::kMbIconInformation);
    return;
  }
  program_.Follow();
  Unload();
}

void frmChildDays::cmdCancel_Click() {
  Unload();
}

}  // namespace orlimo
