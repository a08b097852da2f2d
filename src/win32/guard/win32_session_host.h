// The log-on sessions on Windows: enumerated through the terminal services (the active console
// session when they list none, as under Wine; the last list when the listing fails), programs
// started as the session's user on its visible desktop, the forced power-off and the log-off.
#pragma once

#include "guard/session_listing.h"
#include "platform/session_host.h"

namespace orlimo::win32 {

class Win32SessionHost : public platform::SessionHost {
 public:
  std::vector<platform::SessionId> LogOnSessions() override;
  std::vector<Text> ProgramPaths(platform::SessionId session) override;
  bool StartProgramIn(platform::SessionId session, const Text& path) override;
  void PowerOffWithForce() override;
  void LogOff(platform::SessionId session) override;
  void Lock(platform::SessionId session) override;
  bool Away(platform::SessionId session) override;
  Text UserName(platform::SessionId session) override;

 private:
  guard::SessionList followed_;
};

}  // namespace orlimo::win32
