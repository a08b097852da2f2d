// The form runtime: owns the renderer link, dispatches events to handlers, and ends the program.
#pragma once

#include <functional>
#include <vector>

#include "forms/form.h"
#include "forms/renderer.h"

namespace orlimo::forms {

inline constexpr Text::value_type kAppTitle[] = u"Orlimo";

class Runtime {
 public:
  explicit Runtime(Renderer& renderer) : renderer_(renderer) {}

  Renderer& GetRenderer() { return renderer_; }

  // Runs events until no form is loaded any more.
  void RunUntilAllUnloaded();
  // Runs a nested loop until the form has been unloaded (modal show).
  void RunModal(Form& form);
  // Runs the handler as an event of its own, after the one being handled now, with failures
  // trapped as in every handler.
  void Post(std::function<void()> handler);
  // Lets the events that are due now run, once.
  void Yield() { renderer_.YieldOnce(); }

  MessageBoxAnswer MessageBox(const Text& text, unsigned flags = kMbOk,
                              const Text& title = kAppTitle);
  Text InputBox(const Text& prompt, const Text& title = kAppTitle);
  ScreenSize Screen() { return renderer_.Screen(); }

  // Ends the program at once: no further handler runs, no form's termination step.
  [[noreturn]] void End();

  // Event entry points for renderers: each runs its handler with failures trapped.
  void DispatchTick(Timer& timer);
  void DispatchClick(Button& button);
  void DispatchKeyPress(TextBox& box, char16_t& character);
  void DispatchEdit(TextBox& box, TextView text);
  void DispatchFormClick(Form& form);
  void DispatchClose(Form& form);

  // The modal form that currently takes input, or nullptr.
  Form* ModalForm() const { return modalStack_.empty() ? nullptr : modalStack_.back(); }
  // Whether a window may take input now (not behind a modal form).
  bool TakesInput(const Form& form) const;

  void FormLoaded(Form& form);
  void FormUnloaded(Form& form);
  const std::vector<Form*>& LoadedForms() const { return loaded_; }

  // Runs one handler with failures trapped, as every event handler does.
  static void Guarded(const std::function<void()>& handler);

 private:
  Renderer& renderer_;
  std::vector<Form*> loaded_;
  std::vector<Form*> modalStack_;
};

}  // namespace orlimo::forms
