#include "guard/connection_limits.h"

namespace orlimo::guard {

bool ConnectionLimits::Admit(SessionId session, Caller caller) {
  const int most =
      caller == Caller::Program ? kProgramConnectionsPerSession : kOtherConnectionsPerSession;
  int& held = held_[{session, caller}];
  if (held >= most) return false;
  ++held;
  return true;
}

void ConnectionLimits::Release(SessionId session, Caller caller) {
  auto entry = held_.find({session, caller});
  if (entry == held_.end()) return;
  if (--entry->second <= 0) held_.erase(entry);
}

}  // namespace orlimo::guard
