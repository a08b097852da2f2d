// What a window system does for the form runtime: the real Win32 one, or the tests' virtual one.
#pragma once

#include <functional>

#include "forms/control.h"
#include "forms/form.h"

namespace orlimo::forms {

enum class MessageBoxAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconInformation = 0x40;

struct ScreenSize {
  int width = 0;  // twips
  int height = 0;
};

class Renderer {
 public:
  virtual ~Renderer() = default;

  virtual void CreateFormWindow(Form& form) = 0;
  virtual void DestroyFormWindow(Form& form) = 0;
  virtual void FormChanged(Form& form, FormProperty property) = 0;
  virtual void ControlChanged(Control& control, Property property) = 0;
  // Twips the window frame adds to the client area: width and height.
  virtual Bounds FrameSize(const Form& form) = 0;

  virtual void StartTimer(Timer& timer) = 0;
  virtual void StopTimer(Timer& timer) = 0;

  // Runs the action as an event of its own, after the event being handled now.
  virtual void Post(std::function<void()> action) = 0;
  // Runs events until done() holds (checked after every event).
  virtual void RunUntil(const std::function<bool()>& done) = 0;
  // Runs the events that are due now, once.
  virtual void YieldOnce() = 0;

  virtual MessageBoxAnswer ShowMessageBox(const Text& text, unsigned flags, const Text& title) = 0;
  // The typed text on OK; an empty text on Cancel.
  virtual Text ShowInputBox(const Text& prompt, const Text& title) = 0;
  // Arms the masking of the next input box from the owner's window (one-shot, 10 ms timer): its
  // field shows "*" for every typed character and has the input method switched off.
  virtual void ArmInputBoxMask(Form& owner) = 0;

  virtual ScreenSize Screen() = 0;
  // Ends the process at once: no further handler runs.
  [[noreturn]] virtual void EndProcess() = 0;
};

}  // namespace orlimo::forms
