// Every call a fake receives, in order, with its arguments and the virtual time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace orlimo::fake {

struct RecordedCall {
  std::int64_t atMs = 0;  // virtual milliseconds since the fake clock's start
  std::string what;       // e.g. "OpenProcess(0x1F0FFF,false,42)"
};

class FakeClock;

class CallRecorder {
 public:
  explicit CallRecorder(const FakeClock& clock) : clock_(clock) {}
  void Record(std::string what);
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  // Just the call texts, for comparing sequences.
  std::vector<std::string> Texts() const;

 private:
  const FakeClock& clock_;
  std::vector<RecordedCall> calls_;
};

}  // namespace orlimo::fake
