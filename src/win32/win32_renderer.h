// The real window system of the forms: each form a top-level Win32 window, each control a child
// window, timers as window timers, modal forms in nested message loops.
#pragma once

#include <functional>
#include <memory>

#include "forms/renderer.h"

namespace orlimo::win32 {

class Desktop;

class Win32Renderer : public forms::Renderer {
 public:
  // The pictures and the icon come from the resources of the program's executable.
  Win32Renderer();
  ~Win32Renderer() override;
  Win32Renderer(const Win32Renderer&) = delete;
  Win32Renderer& operator=(const Win32Renderer&) = delete;

  // Called once when Windows ends the session (log-off or shut-down); the process ends right
  // after it, without the program's final steps.
  void SetSessionEndingHandler(std::function<void()> handler);

  void CreateFormWindow(forms::Form& form) override;
  void DestroyFormWindow(forms::Form& form) override;
  void FormChanged(forms::Form& form, forms::FormProperty property) override;
  void ControlChanged(forms::Control& control, forms::Property property) override;
  forms::Bounds FrameSize(const forms::Form& form) override;
  void StartTimer(forms::Timer& timer) override;
  void StopTimer(forms::Timer& timer) override;
  void Post(std::function<void()> action) override;
  void RunUntil(const std::function<bool()>& done) override;
  void YieldOnce() override;
  forms::MessageBoxAnswer ShowMessageBox(const Text& text, unsigned flags,
                                         const Text& title) override;
  Text ShowInputBox(const Text& prompt, const Text& title) override;
  void ArmInputBoxMask(forms::Form& owner) override;
  forms::ScreenSize Screen() override;
  [[noreturn]] void EndProcess() override;

 private:
  std::unique_ptr<Desktop> desktop_;
};

}  // namespace orlimo::win32
