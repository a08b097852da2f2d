// The tests' window system: draws nothing, runs on virtual time, and takes turns with the test.
//
// The program runs on its own thread. Whenever it has nothing left to do before the test's
// target time, it hands the turn back to the test and waits; the test looks at any window,
// acts (click, type, answer a box) or moves time on, and hands the turn back. Exactly one of
// the two threads runs at any moment, so the test can stop anywhere, even inside a modal loop.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "forms/renderer.h"
#include "forms/runtime.h"
#include "platform/fake/fake_clock.h"

namespace orlimo::testing {

struct ProgramEnded {};    // EndProcess: the program ends at once
struct ProgramAborted {};  // the test is over while the program still runs

struct ShownMessageBox {
  Text text;
  unsigned flags = 0;
  Text title;
};

struct ShownInputBox {
  Text prompt;
  Text title;
  bool masked = false;
};

class VirtualRenderer : public forms::Renderer {
 public:
  explicit VirtualRenderer(fake::FakeClock& clock) : clock_(clock) {}
  ~VirtualRenderer() override;

  // Renderer: windows exist only as the forms' own state, on a screen of 1024 x 768 pixels.
  void CreateFormWindow(forms::Form& form) override;
  void DestroyFormWindow(forms::Form& form) override;
  void FormChanged(forms::Form&, forms::FormProperty) override {}
  void ControlChanged(forms::Control&, forms::Property) override {}
  forms::Bounds FrameSize(const forms::Form& form) override;
  forms::ScreenSize Screen() override { return {15360, 11520}; }
  // Renderer: the boxes wait for the test's answer.
  forms::MessageBoxAnswer ShowMessageBox(const Text& text, unsigned flags,
                                         const Text& title) override;
  Text ShowInputBox(const Text& prompt, const Text& title) override;
  void ArmInputBoxMask(forms::Form& owner) override;
  // Renderer: timers and the turns of the two threads.
  void StartTimer(forms::Timer& timer) override;
  void StopTimer(forms::Timer& timer) override;
  void Post(std::function<void()> action) override { actions_.push_back(std::move(action)); }
  void RunUntil(const std::function<bool()>& done) override;
  void YieldOnce() override;
  [[noreturn]] void EndProcess() override;

  // Test side. Starts the program's thread with its body and waits for its first turn.
  void Start(std::function<void()> programBody);
  // Lets virtual time run for ms milliseconds (every event due meanwhile runs).
  void Advance(std::int64_t ms);
  // Runs an action on the program's thread, as an event of the window system, then waits.
  void Do(std::function<void()> action);
  // Answers the open message box or input box.
  void AnswerMessageBox(forms::MessageBoxAnswer answer);
  void AnswerInputBox(const Text& text);  // an empty text is Cancel

  // Ends a program that still runs (the test is over) and waits for its thread.
  void Stop();

  bool ProgramFinished() const { return finished_; }
  bool ProgramEndedAtOnce() const { return endedAtOnce_; }
  const std::optional<ShownMessageBox>& OpenMessageBox() const { return openMessageBox_; }
  const std::optional<ShownInputBox>& OpenInputBox() const { return openInputBox_; }
  const std::vector<ShownMessageBox>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<ShownInputBox>& InputBoxes() const { return inputBoxes_; }

 private:
  struct TimerState {
    std::int64_t dueMs = 0;
    std::uint64_t order = 0;
  };

  // Program side.
  template <typename Box, typename Answer>
  Answer WaitForAnswer(const Box& box, std::vector<Box>& shown, std::optional<Box>& open,
                       std::optional<Answer>& answer);
  bool RunOneEvent(std::int64_t untilMs);
  void MoveTimeTo(std::int64_t ms);
  void WaitForTest();
  // Test side.
  void GiveTurnToProgram();

  fake::FakeClock& clock_;
  std::int64_t nowMs_ = 0;
  std::int64_t targetMs_ = 0;
  std::map<forms::Timer*, TimerState> timers_;
  std::uint64_t nextOrder_ = 0;
  std::deque<std::function<void()>> actions_;
  bool maskArmed_ = false;

  std::optional<ShownMessageBox> openMessageBox_;
  std::optional<forms::MessageBoxAnswer> messageBoxAnswer_;
  std::optional<ShownInputBox> openInputBox_;
  std::optional<Text> inputBoxAnswer_;
  std::vector<ShownMessageBox> messageBoxes_;
  std::vector<ShownInputBox> inputBoxes_;

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable turnChanged_;
  bool programsTurn_ = false;
  bool aborting_ = false;
  bool finished_ = false;
  bool endedAtOnce_ = false;
  std::exception_ptr failure_;
};

}  // namespace orlimo::testing
