#include "supervisor/password_wait.h"

#include <algorithm>
#include <utility>

namespace orlimo {

int PasswordWait::SecondsLeft(std::int64_t nowMs) const {
  if (nowMs >= untilMs_) return 0;
  return static_cast<int>((untilMs_ - nowMs + 999) / 1000);
}

int PasswordWait::Wrong(std::int64_t nowMs) {
  if (forgetAfterMs_ > 0 && wrongAttempts_ > 0 && nowMs - lastWrongMs_ >= forgetAfterMs_) {
    wrongAttempts_ = 0;
  }
  wrongAttempts_ = std::min(wrongAttempts_ + 1, 16);
  const int seconds = std::min(1 << (wrongAttempts_ - 1), kLongestPasswordWaitSeconds);
  untilMs_ = nowMs + std::int64_t{seconds} * 1000;
  lastWrongMs_ = nowMs;
  attemptDuringWait_ = false;
  return seconds;
}

void PasswordWait::Right() {
  if (forgetAfterMs_ == 0) wrongAttempts_ = 0;
}

bool PasswordWait::FirstDuringWait() {
  return !std::exchange(attemptDuringWait_, true);
}

}  // namespace orlimo
