// How many connections the guard's pipe holds for each log-on session. Any program of a session
// may connect, so the programs of one session must not take the connections that the other
// sessions, or that session's own Orlimo.exe, need: a session holds at most
// kOtherConnectionsPerSession connections of programs of any kind and, beside them,
// kProgramConnectionsPerSession of the program itself (Orlimo.exe by its full path in the program
// folder, which no user of a session can replace). A connection over its limit is refused.
#pragma once

#include <map>
#include <utility>

#include "platform/session_host.h"

namespace orlimo::guard {

using platform::SessionId;

inline constexpr int kOtherConnectionsPerSession = 8;
// One Orlimo.exe keeps one connection; room for a second instance's and for reconnections.
inline constexpr int kProgramConnectionsPerSession = 4;

enum class Caller { Program, Other };

class ConnectionLimits {
 public:
  // True, and the connection counted, when the session has room for it.
  bool Admit(SessionId session, Caller caller);
  // An admitted connection ended.
  void Release(SessionId session, Caller caller);

 private:
  std::map<std::pair<SessionId, Caller>, int> held_;
};

}  // namespace orlimo::guard
