// Requests from the pipe's connection threads, handed to the guard's one thread and answered
// there, one at a time and in the order they came, between the guard's polls: the guard's thread
// leaves the queue when its next poll is due, however many requests wait, so that no number of
// connections or requests holds its clocks back. It also leaves it at once for session changes.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <string>

#include "guard/guard.h"

namespace orlimo::win32 {

class RequestQueue {
 public:
  // From a connection thread: the answer frame, once the guard's thread has handled it.
  std::string Ask(guard::ConnectionId connection, guard::SessionId session, std::string frame);
  void Disconnected(guard::ConnectionId connection);
  // Makes the guard's thread poll now (a session logged on or off, or the service stops).
  void Wake();

  // On the guard's thread: handles queued requests until the deadline, waiting for them while
  // there are none; returns at the deadline, or at once when woken.
  void RunUntil(guard::Guard& guard, std::chrono::steady_clock::time_point deadline);

 private:
  struct Job {
    guard::ConnectionId connection = 0;
    guard::SessionId session = 0;
    std::string frame;
    bool disconnect = false;
    std::promise<std::string> answer;
  };
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Job*> jobs_;
  bool woken_ = false;
};

}  // namespace orlimo::win32
