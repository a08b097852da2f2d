#include "enforce/DialogEnd.h"

#include <cmath>

#include "records/sound_cue.h"

namespace orlimo {
namespace {

constexpr char16_t kCaption[] = u"시간이 다 되었습니다. 이제 종료합니다.";
constexpr char16_t kTodayIsOver[] = u"오늘은 시간이 다 되었습니다.";
constexpr char16_t kEndingNow[] = u"이제 종료합니다.";
constexpr char16_t kFirstAdvice[] = u"독서를 열심히 합니다.";
constexpr char16_t kHonorific[] = u" 님";
// The countdown sets its unit off from the number, as the title of the choosing does not.
constexpr char16_t kCountdownSecondsUnit[] = u" 초";
constexpr std::array<const char16_t*, 6> kAdvice = {u"독서를 합시다",     u"운동을 합시다",
                                                    u"음악감상 합시다",   u"엄마와 대화합시다",
                                                    u"아빠와 대화합시다", u"컴.중독되지맙시다"};

constexpr int kClientWidth = 5310;
const forms::Font kTextFont{u"굴림", 18, true};
const forms::Font kCountFont{u"Arial Black", 72, true};

}  // namespace

DialogEnd::DialogEnd(Program& program)
    : Form(program.runtime),
      lUserName(*this),
      lTitle(*this),
      Label1(*this),
      lCountDown(*this),
      lGoodMsg(*this),
      TimerSec(*this),
      program_(program) {
  TimerSec.onTick = [this] { TimerSec_Timer(); };
}

void DialogEnd::Design() {
  SetCaption(kCaption);
  SetBackColor(forms::kRed);
  SetNoClose(true);
  SetTopMost(true);
  SetClientSize(kClientWidth, 4365);
  CenterOnScreen();
  struct Line {
    forms::Label& label;
    const char16_t* text;
    int top;
    int height;
    const forms::Font& font;
  };
  for (const Line& line :
       {Line{lUserName, u"-", 150, 480, kTextFont}, Line{lTitle, kTodayIsOver, 660, 480, kTextFont},
        Line{Label1, kEndingNow, 1170, 480, kTextFont},
        Line{lCountDown, u"30 초", 1680, 1800, kCountFont},
        Line{lGoodMsg, kFirstAdvice, 3630, 480, kTextFont}}) {
    line.label.Move(0, line.top, kClientWidth, line.height);
    line.label.SetCaption(line.text);
    line.label.SetFont(line.font);
    line.label.SetForeColor(forms::kWhite);
    line.label.SetCentered(true);
  }
  TimerSec.SetInterval(500);
  TimerSec.SetOn(true);
}

Text DialogEnd::SecondsText(double milliseconds) const {
  return DecimalText(static_cast<std::int64_t>(std::floor(milliseconds / 1000 + 0.5))) +
         kCountdownSecondsUnit;
}

void DialogEnd::Form_Load() {
  lUserName.SetCaption(program_.view.NameOf(program_.LogUser()) + kHonorific);
  lCountDown.SetCaption(DecimalText(countdownMs_ / 1000) + kCountdownSecondsUnit);
  for (std::size_t i = 0; i < kAdvice.size(); ++i) GoodMessages_[i] = kAdvice[i];
  program_.PlayCue(Main::kCashRegister);
  TickCount_ = 0;
  ElapsedMs_ = 0;
}

void DialogEnd::TimerSec_Timer() {
  program_.PlayCue(Main::kButton);
  program_.runtime.Yield();
  lGoodMsg.SetCaption(GoodMessages_[static_cast<std::size_t>(TickCount_ % 6)]);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto channel = [&] { return static_cast<int>(std::lround(unit(random_) * 255)); };
  int red = channel();
  int green = channel();
  int blue = channel();
  lGoodMsg.SetForeColor(forms::Rgb(red, green, blue));
  ++TickCount_;
  ElapsedMs_ += static_cast<float>(TimerSec.Interval());
  lCountDown.SetCaption(SecondsText(countdownMs_ - ElapsedMs_));
}

void DialogEnd::Finish() {
  TimerSec.SetOn(false);
  Hide();
}

}  // namespace orlimo
