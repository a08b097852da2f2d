#include "program/local_supervision.h"

#include "enforce/ShutDown.h"

namespace orlimo {

LocalSupervision::LocalSupervision(Text dataFolder, platform::Services& services,
                                   forms::Runtime& runtime)
    : services_(services),
      runtime_(runtime),
      store_(std::move(dataFolder), services.clock, services.codePage, services.registry),
      supervisor_(store_, services.clock, *this) {}

void LocalSupervision::Start() {
  supervisor_.LoadTable();
  supervisor_.OpenSession(kOwnSession);
}

SessionSnapshot LocalSupervision::Poll() {
  supervisor_.Poll();
  return supervisor_.Snapshot(kOwnSession);
}

void LocalSupervision::EndTime(SessionId, EndAction action) {
  if (action == EndAction::LogOff) {
    ShutDown::LogOffWindows(services_.system, ShutDown::ExitForce::IfHung);
  } else {
    ShutDown::ForceWindowsExit(services_.system, ShutDown::ExitForce::IfHung);
  }
}

void LocalSupervision::ForceEnd(SessionId, EndAction action) {
  if (action == EndAction::LogOff) {
    ShutDown::LogOffWindows(services_.system, ShutDown::ExitForce::Always);
  } else {
    ShutDown::ForceWindowsExit(services_.system, ShutDown::ExitForce::Always);
  }
  runtime_.End();
}

}  // namespace orlimo
