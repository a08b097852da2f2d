// A channel straight into a guard in the same process: one connection of one session, as the
// pipe gives it, for running the guard with its programs without Windows.
#pragma once

#include "guard/guard.h"
#include "guard/guard_client.h"

namespace orlimo::guard {

class InMemoryChannel : public GuardChannel {
 public:
  InMemoryChannel(Guard& guard, SessionId session);
  ~InMemoryChannel() override;
  InMemoryChannel(const InMemoryChannel&) = delete;
  InMemoryChannel& operator=(const InMemoryChannel&) = delete;

  std::optional<std::string> Exchange(std::string_view requestFrame) override;
  // The connection ends, as when the program's process ends.
  void Close();

 private:
  Guard& guard_;
  const SessionId session_;
  ConnectionId connection_;
  bool open_ = false;
};

}  // namespace orlimo::guard
