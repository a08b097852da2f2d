#include "forms/runtime.h"

#include <algorithm>
#include <exception>

namespace orlimo::forms {

void Runtime::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception&) {
    // A failing handler ends quietly; the program goes on with the next event.
  }
}

void Runtime::Post(std::function<void()> handler) {
  renderer_.Post([handler = std::move(handler)] { Guarded(handler); });
}

void Runtime::RunUntilAllUnloaded() {
  renderer_.RunUntil([this] { return loaded_.empty(); });
}

void Runtime::RunModal(Form& form) {
  modalStack_.push_back(&form);
  renderer_.RunUntil([&form] { return !form.Loaded(); });
  std::erase(modalStack_, &form);
}

MessageBoxAnswer Runtime::MessageBox(const Text& text, unsigned flags, const Text& title) {
  return renderer_.ShowMessageBox(text, flags, title);
}

Text Runtime::InputBox(const Text& prompt, const Text& title) {
  return renderer_.ShowInputBox(prompt, title);
}

void Runtime::End() {
  renderer_.EndProcess();
  std::terminate();  // a renderer's EndProcess never comes back
}

bool Runtime::TakesInput(const Form& form) const {
  const Form* modal = ModalForm();
  return form.Loaded() && (modal == nullptr || modal == &form);
}

void Runtime::DispatchTick(Timer& timer) {
  if (timer.inTick || !timer.Enabled() || !timer.Owner().Loaded() || !timer.onTick) return;
  timer.inTick = true;
  struct Reset {
    Timer& timer;
    ~Reset() { timer.inTick = false; }
  } reset{timer};
  Guarded(timer.onTick);
}

void Runtime::DispatchClick(Button& button) {
  if (!TakesInput(button.Owner()) || !button.Enabled() || !button.Visible()) return;
  if (button.onClick) Guarded(button.onClick);
}

void Runtime::DispatchKeyPress(TextBox& box, char16_t& character) {
  if (!TakesInput(box.Owner()) || !box.Enabled()) return;
  if (box.onKeyPress) Guarded([&] { box.onKeyPress(character); });
}

void Runtime::DispatchEdit(TextBox& box, TextView text) {
  if (!TakesInput(box.Owner()) || !box.Enabled()) return;
  Guarded([&] { box.UserEdited(text); });
}

void Runtime::DispatchFormClick(Form& form) {
  if (!TakesInput(form)) return;
  Guarded([&] { form.Clicked(); });
}

void Runtime::DispatchClose(Form& form) {
  if (!TakesInput(form) || form.NoClose()) return;
  form.CloseRequested();
}

void Runtime::FormLoaded(Form& form) {
  if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end()) loaded_.push_back(&form);
}

void Runtime::FormUnloaded(Form& form) {
  std::erase(loaded_, &form);
  std::erase(modalStack_, &form);
}

}  // namespace orlimo::forms
