#include "app/frmNotice.h"

#include "app/frmMain.h"

namespace orlimo {
namespace {

constexpr int kClientWidth = 4800;
constexpr int kClientHeight = 900;
constexpr int kShownMilliseconds = 10000;
const forms::Font kMessageFont{u"굴림", 11, true};
constexpr forms::Color kNoticeYellow = forms::Rgb(0xFF, 0xFF, 0xC0);

}  // namespace

frmNotice::frmNotice(Program& program)
    : Form(program.runtime), lMessage(*this), TimerClose(*this), program_(program) {
  TimerClose.onTick = [this] { TimerClose_Timer(); };
}

void frmNotice::Design() {
  SetCaption(u"Orlimo");
  SetBackColor(kNoticeYellow);
  SetTopMost(true);
  SetNoActivate(true);
  SetClientSize(kClientWidth, kClientHeight);
  lMessage.Move(120, 120, kClientWidth - 240, kClientHeight - 240);
  lMessage.SetFont(kMessageFont);
  lMessage.SetForeColor(forms::kRed);
  lMessage.SetCentered(true);
  TimerClose.SetInterval(kShownMilliseconds);
}

void frmNotice::ShowNotice(TextView text) {
  Load();
  lMessage.SetCaption(text);
  // Near the top-right corner, under the main window when that is shown there.
  forms::ScreenSize screen = program_.runtime.Screen();
  int top = 0;
  if (program_.MainWindow().Visible()) {
    top = program_.MainWindow().Bounds().top + program_.MainWindow().Bounds().height;
  }
  if (top + Bounds().height > screen.height) top = 0;
  SetBounds({screen.width - Bounds().width, top, Bounds().width, Bounds().height});
  TimerClose.SetOn(true);  // a second notice gets its full 10 seconds
  Show();
}

void frmNotice::Form_Click() {
  Unload();
}

void frmNotice::TimerClose_Timer() {
  Unload();
}

}  // namespace orlimo
