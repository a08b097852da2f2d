#include "support/virtual_renderer.h"

#include <stdexcept>
#include <utility>

namespace orlimo::testing {

VirtualRenderer::~VirtualRenderer() {
  Stop();
}

void VirtualRenderer::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    aborting_ = true;
    programsTurn_ = true;
  }
  turnChanged_.notify_all();
  thread_.join();
}

void VirtualRenderer::CreateFormWindow(forms::Form&) {}
void VirtualRenderer::DestroyFormWindow(forms::Form&) {}

forms::Bounds VirtualRenderer::FrameSize(const forms::Form&) {
  return {0, 0, 120, 465};  // 4-pixel borders and a 23-pixel title bar
}

void VirtualRenderer::StartTimer(forms::Timer& timer) {
  if (timer.Interval() <= 0) return;
  timers_[&timer] = {nowMs_ + timer.Interval(), nextOrder_++};
}

void VirtualRenderer::StopTimer(forms::Timer& timer) {
  timers_.erase(&timer);
}

void VirtualRenderer::MoveTimeTo(std::int64_t ms) {
  if (ms <= nowMs_) return;
  clock_.AdvanceMs(ms - nowMs_);
  nowMs_ = ms;
}

bool VirtualRenderer::RunOneEvent(std::int64_t untilMs) {
  if (aborting_) throw ProgramAborted{};
  if (!actions_.empty()) {
    auto action = std::move(actions_.front());
    actions_.pop_front();
    action();
    return true;
  }
  forms::Timer* next = nullptr;
  TimerState nextState;
  for (auto& [timer, state] : timers_) {
    if (state.dueMs > untilMs) continue;
    if (next == nullptr || state.dueMs < nextState.dueMs ||
        (state.dueMs == nextState.dueMs && state.order < nextState.order)) {
      next = timer;
      nextState = state;
    }
  }
  if (next == nullptr) return false;
  MoveTimeTo(nextState.dueMs);
  timers_[next] = {nowMs_ + next->Interval(), nextOrder_++};
  next->Owner().GetRuntime().DispatchTick(*next);
  return true;
}

void VirtualRenderer::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (RunOneEvent(targetMs_)) continue;
    MoveTimeTo(targetMs_);
    WaitForTest();
  }
}

void VirtualRenderer::YieldOnce() {
  // Only what is due now; a pending end of the program propagates from here.
  while (RunOneEvent(nowMs_)) {
  }
}

// Shows <box> as the open one until the test answers it, as a modal box's own loop would.
template <typename Box, typename Answer>
Answer VirtualRenderer::WaitForAnswer(const Box& box, std::vector<Box>& shown,
                                      std::optional<Box>& open, std::optional<Answer>& answer) {
  shown.push_back(box);
  open = box;
  answer.reset();
  RunUntil([&answer] { return answer.has_value(); });
  open.reset();
  return *answer;
}

forms::MessageBoxAnswer VirtualRenderer::ShowMessageBox(const Text& text, unsigned flags,
                                                        const Text& title) {
  return WaitForAnswer(ShownMessageBox{text, flags, title}, messageBoxes_, openMessageBox_,
                       messageBoxAnswer_);
}

Text VirtualRenderer::ShowInputBox(const Text& prompt, const Text& title) {
  const bool masked = std::exchange(maskArmed_, false);
  return WaitForAnswer(ShownInputBox{prompt, title, masked}, inputBoxes_, openInputBox_,
                       inputBoxAnswer_);
}

void VirtualRenderer::ArmInputBoxMask(forms::Form&) {
  maskArmed_ = true;
}

void VirtualRenderer::EndProcess() {
  endedAtOnce_ = true;
  throw ProgramEnded{};
}

void VirtualRenderer::WaitForTest() {
  std::unique_lock lock(mutex_);
  programsTurn_ = false;
  turnChanged_.notify_all();
  turnChanged_.wait(lock, [this] { return programsTurn_; });
  if (aborting_) throw ProgramAborted{};
}

void VirtualRenderer::GiveTurnToProgram() {
  if (finished_) return;
  std::unique_lock lock(mutex_);
  programsTurn_ = true;
  turnChanged_.notify_all();
  turnChanged_.wait(lock, [this] { return !programsTurn_; });
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void VirtualRenderer::Start(std::function<void()> programBody) {
  programsTurn_ = true;
  thread_ = std::thread([this, body = std::move(programBody)] {
    {
      std::unique_lock lock(mutex_);
      turnChanged_.wait(lock, [this] { return programsTurn_; });
    }
    try {
      body();
    } catch (const ProgramEnded&) {
    } catch (const ProgramAborted&) {
    } catch (...) {
      failure_ = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    finished_ = true;
    programsTurn_ = false;
    turnChanged_.notify_all();
  });
  std::unique_lock lock(mutex_);
  turnChanged_.wait(lock, [this] { return !programsTurn_; });
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void VirtualRenderer::Advance(std::int64_t ms) {
  targetMs_ = nowMs_ + ms;
  GiveTurnToProgram();
  if (finished_) MoveTimeTo(targetMs_);
}

void VirtualRenderer::Do(std::function<void()> action) {
  if (finished_) throw std::logic_error("the program has ended");
  actions_.push_back(std::move(action));
  GiveTurnToProgram();
}

void VirtualRenderer::AnswerMessageBox(forms::MessageBoxAnswer answer) {
  if (!openMessageBox_) throw std::logic_error("no message box is open");
  Do([this, answer] { messageBoxAnswer_ = answer; });
}

void VirtualRenderer::AnswerInputBox(const Text& text) {
  if (!openInputBox_) throw std::logic_error("no input box is open");
  Do([this, text] { inputBoxAnswer_ = text; });
}

}  // namespace orlimo::testing
