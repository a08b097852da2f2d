// The log-on sessions of the machine as the guard sees them: which exist, which programs run in
// each, and the guard's means of acting on them.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"

namespace orlimo::platform {

using SessionId = std::uint32_t;

class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // The sessions a user is logged on to.
  virtual std::vector<SessionId> LogOnSessions() = 0;
  // The full image paths of the processes running in the session.
  virtual std::vector<Text> ProgramPaths(SessionId session) = 0;
  // Starts the program in the session as the session's user, on its visible desktop; false
  // when it could not be started.
  virtual bool StartProgramIn(SessionId session, const Text& path) = 0;
  // Powers the machine off, ending every program without asking.
  virtual void PowerOffWithForce() = 0;
  virtual void LogOff(SessionId session) = 0;
  // Takes the session off its screen: its user must give the Windows password to come back.
  virtual void Lock(SessionId session) = 0;
  // Whether the session is locked, disconnected or switched away from.
  virtual bool Away(SessionId session) = 0;
  // The name of the Windows user logged on to the session, in lower case; empty when it cannot
  // be told.
  virtual Text UserName(SessionId session) = 0;
};

}  // namespace orlimo::platform
