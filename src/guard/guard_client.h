// The program's side of the guard's pipe: a channel that carries one request frame and brings
// back its answer frame, and the client that speaks the protocol over it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "guard/protocol.h"

namespace orlimo::guard {

class GuardChannel {
 public:
  virtual ~GuardChannel() = default;
  // The answer frame; nothing when the guard cannot be reached (the channel then starts a new
  // connection at the next exchange).
  virtual std::optional<std::string> Exchange(std::string_view requestFrame) = 0;
};

class GuardClient {
 public:
  explicit GuardClient(GuardChannel& channel) : channel_(channel) {}

  // Sends the request, saying the protocol version first on a new connection. Nothing when the
  // guard cannot be reached or its answer cannot be read; a guard that refuses this program's
  // version answers every request with Result::VersionRefused.
  std::optional<Answer> Send(const Request& request);

 private:
  std::optional<Answer> Exchange(const Request& request);
  GuardChannel& channel_;
  bool greeted_ = false;
};

}  // namespace orlimo::guard
