// The program's channel to the guard on Windows: one connection to \\.\pipe\Orlimo.Guard in
// message mode, opened at the first exchange and again after any failure.
#pragma once

#include "guard/guard_client.h"

namespace orlimo::win32 {

class GuardPipeChannel : public guard::GuardChannel {
 public:
  GuardPipeChannel() = default;
  ~GuardPipeChannel() override;
  GuardPipeChannel(const GuardPipeChannel&) = delete;
  GuardPipeChannel& operator=(const GuardPipeChannel&) = delete;

  std::optional<std::string> Exchange(std::string_view requestFrame) override;

 private:
  bool Connect();
  void Close();
  void* pipe_ = nullptr;
};

}  // namespace orlimo::win32
