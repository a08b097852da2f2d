#include "guard/in_memory_channel.h"

#include <atomic>

namespace orlimo::guard {
namespace {

ConnectionId NewConnectionId() {
  static std::atomic<ConnectionId> next{1};
  return next++;
}

}  // namespace

InMemoryChannel::InMemoryChannel(Guard& guard, SessionId session)
    : guard_(guard), session_(session), connection_(NewConnectionId()) {}

InMemoryChannel::~InMemoryChannel() {
  Close();
}

std::optional<std::string> InMemoryChannel::Exchange(std::string_view requestFrame) {
  if (!open_) {
    connection_ = NewConnectionId();
    open_ = true;
  }
  return guard_.Handle(connection_, session_, requestFrame);
}

void InMemoryChannel::Close() {
  if (!open_) return;
  open_ = false;
  guard_.Disconnected(connection_);
}

}  // namespace orlimo::guard
