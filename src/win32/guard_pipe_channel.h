// The program's channel to the guard on Windows: one connection to \\.\pipe\Orlimo.Guard in
// message mode, opened at the first exchange and again after any failure, and only kept when the
// pipe's server is the real guard.
#pragma once

#include <string>

#include "guard/guard_client.h"

namespace orlimo::win32 {

class GuardPipeChannel : public guard::GuardChannel {
 public:
  // The guard is OrlimoGuard.exe beside the running program.
  GuardPipeChannel();
  // The guard is the OrlimoGuard.exe at this full path.
  explicit GuardPipeChannel(std::wstring guardImagePath);
  ~GuardPipeChannel() override;
  GuardPipeChannel(const GuardPipeChannel&) = delete;
  GuardPipeChannel& operator=(const GuardPipeChannel&) = delete;

  std::optional<std::string> Exchange(std::string_view requestFrame) override;

 private:
  bool Connect();
  void Close();
  std::wstring guardImagePath_;
  void* pipe_ = nullptr;
};

}  // namespace orlimo::win32
