// The time-is-up countdown window: thirty seconds of advice and ticking. Its end, the power-off
// and the force a minute later are the supervisor's; the window shows them coming.
#pragma once

#include <algorithm>
#include <array>
#include <random>

#include "program/program.h"
#include "forms/form.h"

namespace orlimo {

class DialogEnd : public forms::Form {
 public:
  explicit DialogEnd(Program& program);

  forms::Label lUserName;
  forms::Label lTitle;
  forms::Label Label1;
  forms::Label lCountDown;
  forms::Label lGoodMsg;
  forms::Timer TimerSec;

  // The countdown's length at the next load: the seconds the supervisor says are left.
  void SetSecondsLeft(int seconds) { countdownMs_ = std::max(1, seconds) * 1000; }
  // The countdown ran out: the window goes, staying loaded so that the program outlives the
  // power-off request.
  void Finish();

  void Design() override;
  void Form_Load() override;

 private:
  void TimerSec_Timer();
  Text SecondsText(double milliseconds) const;

  Program& program_;
  std::array<Text, 6> GoodMessages_;
  int TickCount_ = 0;
  float ElapsedMs_ = 0;
  int countdownMs_ = 30000;
  std::mt19937 random_{20031204};
};

}  // namespace orlimo
