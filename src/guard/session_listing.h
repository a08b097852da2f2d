// Which log-on sessions the guard follows, from what the system's listing of sessions gave. A
// listing that fails (terminal-service calls can fail early at boot) changes nothing: one failed
// listing must not end every session and forget who is current in it. Only a listing that
// succeeds naming no session at all (as Wine's does) stands for the console's one session.
#pragma once

#include <optional>
#include <vector>

#include "platform/session_host.h"

namespace orlimo::guard {

using platform::SessionId;

// What one listing of the sessions gave.
struct SessionListing {
  bool succeeded = false;
  // Every session the listing named, whatever its state.
  int named = 0;
  // Those with a user logged on.
  std::vector<SessionId> loggedOn;
  // Those whose user could not be asked for: kept if they were followed before, not added.
  std::vector<SessionId> unknown;
};

class SessionList {
 public:
  // The sessions to follow after this listing, in increasing order. console is the active
  // console session, if any; it counts only when the listing succeeded naming none.
  const std::vector<SessionId>& Update(const SessionListing& listing,
                                       std::optional<SessionId> console);

 private:
  std::vector<SessionId> last_;
};

}  // namespace orlimo::guard
