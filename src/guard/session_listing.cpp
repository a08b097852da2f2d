#include "guard/session_listing.h"

#include <algorithm>

namespace orlimo::guard {

const std::vector<SessionId>& SessionList::Update(const SessionListing& listing,
                                                  std::optional<SessionId> console) {
  if (!listing.succeeded) return last_;
  std::vector<SessionId> now;
  if (listing.named == 0) {
    if (console) now.push_back(*console);
  } else {
    now = listing.loggedOn;
    for (SessionId session : listing.unknown) {
      if (std::find(last_.begin(), last_.end(), session) != last_.end()) now.push_back(session);
    }
  }
  std::sort(now.begin(), now.end());
  now.erase(std::unique(now.begin(), now.end()), now.end());
  last_ = std::move(now);
  return last_;
}

}  // namespace orlimo::guard
