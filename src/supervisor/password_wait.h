// The growing wait after wrong passwords: each wrong one makes the next check wait longer, 1, 2,
// 4 ... up to 30 s, so that guessing a password takes hours instead of minutes.
#pragma once

#include <cstdint>

namespace orlimo {

inline constexpr int kLongestPasswordWaitSeconds = 30;

class PasswordWait {
 public:
  // forgetAfterMs: a wait whose growth only time clears starts over this long after the last
  // wrong password; 0 for a wait that a right password clears.
  explicit PasswordWait(std::int64_t forgetAfterMs = 0) : forgetAfterMs_(forgetAfterMs) {}

  // Whole seconds left of the wait; 0 when a password may be checked now.
  int SecondsLeft(std::int64_t nowMs) const;
  // A wrong password: gives the seconds the next check waits.
  int Wrong(std::int64_t nowMs);
  // A right password: the waits start over, unless only time clears them.
  void Right();
  // True for the first attempt made during the current wait, false for the ones after it.
  bool FirstDuringWait();

 private:
  std::int64_t forgetAfterMs_;
  int wrongAttempts_ = 0;
  std::int64_t untilMs_ = 0;
  std::int64_t lastWrongMs_ = 0;
  bool attemptDuringWait_ = false;
};

}  // namespace orlimo
