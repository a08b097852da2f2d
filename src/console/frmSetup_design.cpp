// The design values of the setup console: captions, colours and places (in twips).
#include "console/frmSetup.h"
#include "console/setup_texts.h"
#include "forms/runtime.h"

namespace orlimo {
namespace {

constexpr forms::Color kLightGreen = forms::Rgb(0xC0, 0xFF, 0xC0);
constexpr forms::Color kLightYellow = forms::Rgb(0xFF, 0xFF, 0xC0);
constexpr forms::Color kLightCyan = forms::Rgb(0xC0, 0xFF, 0xFF);
constexpr forms::Color kLightOrange = forms::Rgb(0xFF, 0xE0, 0xC0);
constexpr forms::Color kLightPink = forms::Rgb(0xFF, 0xC0, 0xC0);
constexpr forms::Color kLightGrey = forms::Rgb(0xE0, 0xE0, 0xE0);

constexpr int kClientWidth = 10230;
constexpr int kClientHeight = 8535;
constexpr int kRowHeight = 375;
constexpr int kUserPasswordLength = 20;
// The rows run from top 960 (row 0) to top 6300 (row 9).
constexpr int RowTop(int row) {
  return 960 + 5340 * row / 9;
}

constexpr char16_t kInformation[] =
    u"성명을 지우면 그 사용자는 삭제되고 아래 사용자가 한 줄씩 올라옵니다. 바꾼 내용은 "
    u"[저장+닫기]를 눌러야 기본 화면에 적용됩니다.";

struct ButtonDesign {
  forms::Button& button;
  const char16_t* caption;
  forms::Bounds bounds;
  forms::Color color;
};

}  // namespace

void frmSetup::Design() {
  SetCaption(forms::kAppTitle);
  SetClientSize(kClientWidth, kClientHeight);
  CenterOnScreen();
  Label1.Move(3675, 90, 4500, 375);
  Label1.SetCaption(u"컴퓨터 사용자 설정");
  Label1.SetFont({u"굴림", 14, true});
  DesignColumnHeadings();
  lDate.Move(705, 6860, 3000, 255);
  lDate.SetCaption(u"Current Date");
  chkPWDUse.Move(4245, 6860, 1500, 255);
  chkPWDUse.SetCaption(u"암호사용");
  chkPWDUse.SetValue(0);
  chkPWDUse.SetTabIndex(3 * kMaxUsers);
  // The whole width, so that the information takes one line where the font allows.
  Label5.Move(90, 7680, kClientWidth - 180, 750);
  Label5.SetCaption(kInformation);
  TimerSound.SetInterval(1000);
  TimerSound.SetOn(true);
  tMsg.Move(90, 510, kClientWidth - 180, kClientHeight - 600);
  tMsg.SetMultiLine(true);
  tMsg.SetText(u"");
  tMsg.SetVisible(false);
  DesignGrid();
  DesignButtons();
}

void frmSetup::DesignColumnHeadings() {
  struct Heading {
    forms::Label& label;
    const char16_t* caption;
    int left;
    int width;
  };
  const Heading headings[] = {
      {Label2, u"성명", 1267, 900},
      {Label3, u"하루시간(분)", 2490, 1500},
      {Label7, u"암호", 4530, 600},
      {Label6, u"사용시간.분(초)", 6105, 2000},
  };
  for (const Heading& heading : headings) {
    heading.label.Move(heading.left, 600, heading.width, 255);
    heading.label.SetCaption(heading.caption);
  }
}

void frmSetup::DesignGrid() {
  for (int r = 0; r < kMaxUsers; ++r) {
    int top = RowTop(r);
    Label4[r].Move(180, top + 60, 450, 255);
    Label4[r].SetCaption(DecimalText(r + 1));
    tNames[r].Move(720, top, 1755, kRowHeight);
    tLimitMins[r].Move(2580, top, 1545, kRowHeight);
    tUserPWD[r].Move(4200, top, 1545, kRowHeight);
    tUserPWD[r].SetPasswordChar(u'*');
    tUserPWD[r].SetMaxLength(kUserPasswordLength);
    tUserPWD[r].SetImeOff(true);
    int column = 0;
    for (forms::TextBox* box : {&tNames[r], &tLimitMins[r], &tUserPWD[r]}) {
      box->SetText(u"");
      box->SetBackColor(kLightGreen);
      box->SetForeColor(forms::kWindowText);
      box->SetTabIndex(3 * r + column++);
    }
    lUsedTime[r].Move(5910, top + 60, 2200, 255);
    lUsedTime[r].SetCaption(u"-");
    cmdDays[r].Move(8250, top, 1845, kRowHeight);
    cmdDays[r].SetBackColor(kLightOrange);
    cmdDays[r].SetToolTip(u"요일별 시간과 오늘 추가시간");
    cmdDays[r].SetVisible(false);
  }
}

void frmSetup::DesignButtons() {
  const ButtonDesign buttons[] = {
      {cmdSeeLogs, SetupTexts::kSeeLogs, {90, 60, 1455, 405}, kLightCyan},
      {cmdDelSave, u"삭제저장", {1590, 60, 915, 405}, forms::kButtonFace},
      {cmdSave, u"내용저장", {2550, 60, 915, 405}, forms::kButtonFace},
      {cmdPAUSE, u"프로그램 종료", {8400, 60, 1695, 405}, kLightGrey},
      {cmdSeeNoSee, SetupTexts::kShowPasswords, {5220, 570, 780, 315}, kLightOrange},
      {cmdReset, u"원본복구", {750, 7200, 1065, 405}, kLightCyan},
      {cmdStore, u"저장", {1867, 7200, 1065, 405}, kLightGreen},
      {cmdStoreEnd, u"저장+닫기", {2984, 7200, 1065, 405}, kLightGreen},
      {cmdCancel, u"그냥닫기", {4101, 7200, 1065, 405}, kLightYellow},
      {cmdChangePassword, u"암호변경", {5220, 7200, 1065, 405}, kLightPink},
      {cmdChart, u"사용 그래프", {6337, 7200, 1365, 405}, kLightCyan},
      {cmdUninstall, u"프로그램 제거", {8160, 7170, 1935, 435}, kLightGrey},
  };
  int tabIndex = 3 * kMaxUsers + 1;
  for (const ButtonDesign& design : buttons) {
    design.button.SetCaption(design.caption);
    design.button.SetBounds(design.bounds);
    design.button.SetBackColor(design.color);
    design.button.SetVisible(true);
    design.button.SetTabIndex(tabIndex++);
  }
  cmdSave.SetVisible(false);
  cmdDelSave.SetVisible(false);
}

}  // namespace orlimo
