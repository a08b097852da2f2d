// The rules the guard's service host follows with the system: which sessions it goes on following
// after a listing of the sessions, and how many pipe connections each session may hold.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "guard/connection_limits.h"
#include "guard/session_listing.h"

namespace orlimo::guard {
namespace {

SessionListing Failed() {
  return {};
}
SessionListing Listed(std::vector<SessionId> loggedOn, std::vector<SessionId> unknown = {},
                      int others = 0) {
  const int named = static_cast<int>(loggedOn.size() + unknown.size()) + others;
  return {true, named, std::move(loggedOn), std::move(unknown)};
}

TEST(SessionList, AFailedListingKeepsTheSessionsAndOnlyAnEmptyOneStandsForTheConsole) {
  struct Case {
    const char* what;
    std::vector<SessionListing> listings;
    std::optional<SessionId> console;
    std::vector<SessionId> followed;
  };
  const Case cases[] = {
      {"the first listing fails", {Failed()}, 1, {}},
      {"a later listing fails", {Listed({2, 1}), Failed()}, 1, {1, 2}},
      {"two listings fail in a row", {Listed({3}), Failed(), Failed()}, 1, {3}},
      {"it succeeds again after a failure", {Listed({1, 2}), Failed(), Listed({2})}, 1, {2}},
      {"it names none (Wine): the console's session", {Listed({})}, 1, {1}},
      {"it names none and there is no console session", {Listed({}), Failed()}, std::nullopt, {}},
      {"it names sessions without a user: none, not the console", {Listed({}, {}, 2)}, 1, {}},
      {"sessions with users, the console aside", {Listed({5, 3}, {}, 1)}, 1, {3, 5}},
      {"a session whose user cannot be asked is kept",
       {Listed({1, 2}), Listed({1}, {2})},
       1,
       {1, 2}},
      {"a new session whose user cannot be asked waits", {Listed({1}), Listed({1}, {4})}, 1, {1}},
  };
  for (const Case& c : cases) {
    SessionList list;
    std::vector<SessionId> followed;
    for (const SessionListing& listing : c.listings) followed = list.Update(listing, c.console);
    EXPECT_EQ(followed, c.followed) << c.what;
  }
}

TEST(ConnectionLimits, ASessionsFloodTakesNeitherAnotherSessionsRoomNorItsOwnProgramsRoom) {
  ConnectionLimits limits;
  int admitted = 0;
  for (int i = 0; i < 64; ++i) admitted += limits.Admit(1, Caller::Other) ? 1 : 0;
  EXPECT_EQ(admitted, kOtherConnectionsPerSession);
  EXPECT_TRUE(limits.Admit(1, Caller::Program)) << "the session's own program";
  EXPECT_TRUE(limits.Admit(2, Caller::Other)) << "another session";

  for (int i = 1; i < kProgramConnectionsPerSession; ++i) limits.Admit(1, Caller::Program);
  EXPECT_FALSE(limits.Admit(1, Caller::Program)) << "the program's room has its limit too";
  limits.Release(1, Caller::Other);
  EXPECT_TRUE(limits.Admit(1, Caller::Other)) << "an ended connection makes room";
  EXPECT_FALSE(limits.Admit(1, Caller::Other));
  limits.Release(3, Caller::Other);
  EXPECT_FALSE(limits.Admit(1, Caller::Other)) << "ending what was never held frees nothing";
}

}  // namespace
}  // namespace orlimo::guard
