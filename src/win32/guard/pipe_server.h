// The guard's pipe \\.\pipe\Orlimo.Guard: created first by the guard, local clients only, open to
// interactive users for reading and writing and to nobody else for new instances. Each client
// has a thread of its own that hands its requests to the guard's thread.
#pragma once

#include <atomic>

#include "win32/guard/request_queue.h"

namespace orlimo::win32 {

inline constexpr wchar_t kGuardPipeName[] = L"\\\\.\\pipe\\Orlimo.Guard";

class PipeServer {
 public:
  explicit PipeServer(RequestQueue& queue) : queue_(queue) {}
  // Creates the first instance and starts listening; false when the name is taken.
  bool Start();

 private:
  void Listen(void* firstInstance);
  void Serve(void* pipe, guard::ConnectionId connection);

  RequestQueue& queue_;
  std::atomic<int> clients_{0};
};

}  // namespace orlimo::win32
