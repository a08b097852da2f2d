// The guard's pipe \\.\pipe\Orlimo.Guard: created first by the guard, local clients only, open to
// interactive users for reading and writing and to nobody else for new instances. Each client
// has a thread of its own that hands its requests to the guard's thread; each log-on session
// holds only so many connections (guard/connection_limits.h). While another process holds the
// name, the guard goes on without its pipe and tries again every few seconds; once the pipe is
// the guard's, a next instance is always made before one is let go, so the name is never free.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "guard/connection_limits.h"
#include "win32/guard/request_queue.h"
#include "win32/guard_pipe_name.h"

namespace orlimo::win32 {

class PipeServer {
 public:
  // programPath: Orlimo.exe's full path, whose connections have room of their own.
  PipeServer(RequestQueue& queue, std::wstring programPath)
      : queue_(queue), programPath_(std::move(programPath)) {}
  // Starts listening on a thread of its own, as soon as the name can be had.
  void Start();
  // True once after each time the pipe could not be made.
  bool OutageBegan() { return outageBegan_.exchange(false); }

 private:
  struct Caller {
    guard::SessionId session = 0;
    guard::Caller kind = guard::Caller::Other;
  };
  void Listen();
  void* FirstInstance();
  // The client's session and kind, when the session has room for it (counted then).
  bool Admit(void* pipe, Caller& caller);
  void Serve(void* pipe, guard::ConnectionId connection, Caller caller);

  RequestQueue& queue_;
  const std::wstring programPath_;
  std::atomic<bool> outageBegan_{false};
  std::mutex limitsMutex_;
  guard::ConnectionLimits limits_;
};

}  // namespace orlimo::win32
