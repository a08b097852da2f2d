#include "win32/guard/request_queue.h"

namespace orlimo::win32 {

std::string RequestQueue::Ask(guard::ConnectionId connection, guard::SessionId session,
                              std::string frame) {
  Job job;
  job.connection = connection;
  job.session = session;
  job.frame = std::move(frame);
  std::future<std::string> answer = job.answer.get_future();
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(&job);
  }
  ready_.notify_one();
  return answer.get();
}

void RequestQueue::Disconnected(guard::ConnectionId connection) {
  Job job;
  job.connection = connection;
  job.disconnect = true;
  std::future<std::string> done = job.answer.get_future();
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back(&job);
  }
  ready_.notify_one();
  done.wait();
}

void RequestQueue::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  ready_.notify_one();
}

void RequestQueue::RunUntil(guard::Guard& guard, std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!ready_.wait_until(lock, deadline, [this] { return woken_ || !jobs_.empty(); })) return;
    if (woken_) {
      woken_ = false;
      return;
    }
    // A request takes a few milliseconds at most: the poll comes on time whatever waits.
    if (std::chrono::steady_clock::now() >= deadline) return;
    Job* job = jobs_.front();
    jobs_.pop_front();
    lock.unlock();
    if (job->disconnect) {
      guard.Disconnected(job->connection);
      job->answer.set_value({});
    } else {
      job->answer.set_value(guard.Handle(job->connection, job->session, job->frame));
    }
    lock.lock();
  }
}

}  // namespace orlimo::win32
