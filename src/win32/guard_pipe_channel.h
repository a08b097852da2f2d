// The program's channel to the guard on Windows: one connection to \\.\pipe\Orlimo.Guard in
// message mode, opened at the first exchange and again after any failure, and only kept when the
// pipe's server is the real guard.
#pragma once

#include <string>

#include "guard/guard_client.h"
#include "win32/guard_server_check.h"

namespace orlimo::win32 {

class GuardPipeChannel : public guard::GuardChannel {
 public:
  // The guard is OrlimoGuard.exe beside the running program; mayShareClientSid as in
  // ExpectedGuard.
  explicit GuardPipeChannel(bool mayShareClientSid);
  explicit GuardPipeChannel(ExpectedGuard guard);
  ~GuardPipeChannel() override;
  GuardPipeChannel(const GuardPipeChannel&) = delete;
  GuardPipeChannel& operator=(const GuardPipeChannel&) = delete;

  std::optional<std::string> Exchange(std::string_view requestFrame) override;

 private:
  bool Connect();
  void Close();
  ExpectedGuard guard_;
  void* pipe_ = nullptr;
};

}  // namespace orlimo::win32
