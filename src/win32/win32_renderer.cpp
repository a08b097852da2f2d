#include "win32/win32_renderer.h"

#include "win32/NewInputBox.h"
#include "win32/common_controls.h"
#include "win32/desktop.h"
#include "win32/dpi.h"
#include "win32/input_box.h"
#include "win32/wide_text.h"

namespace orlimo::win32 {

Win32Renderer::Win32Renderer() : desktop_(std::make_unique<Desktop>(GetModuleHandleW(nullptr))) {}

Win32Renderer::~Win32Renderer() = default;

void Win32Renderer::SetSessionEndingHandler(std::function<void()> handler) {
  desktop_->SetSessionEndingHandler(std::move(handler));
}

void Win32Renderer::CreateFormWindow(forms::Form& form) {
  desktop_->CreateForm(form);
}

void Win32Renderer::DestroyFormWindow(forms::Form& form) {
  desktop_->DestroyForm(form);
}

void Win32Renderer::FormChanged(forms::Form& form, forms::FormProperty property) {
  desktop_->FormChanged(form, property);
}

void Win32Renderer::ControlChanged(forms::Control& control, forms::Property property) {
  desktop_->ControlChanged(control, property);
}

forms::Bounds Win32Renderer::FrameSize(const forms::Form& form) {
  return desktop_->FrameSize(form);
}

void Win32Renderer::StartTimer(forms::Timer& timer) {
  desktop_->StartTimer(timer);
}

void Win32Renderer::StopTimer(forms::Timer& timer) {
  desktop_->StopTimer(timer);
}

void Win32Renderer::Post(std::function<void()> action) {
  desktop_->Post(std::move(action));
}

void Win32Renderer::RunUntil(const std::function<bool()>& done) {
  desktop_->RunUntil(done);
}

void Win32Renderer::YieldOnce() {
  desktop_->YieldOnce();
}

forms::MessageBoxAnswer Win32Renderer::ShowMessageBox(const Text& text, unsigned flags,
                                                      const Text& title) {
  HWND owner = desktop_->BoxOwner();
  desktop_->BeginBox(owner);
  int answer = 0;
  {
    CommonControlsScope commonControls;
    answer = MessageBoxW(owner, ToWide(text).c_str(), ToWide(title).c_str(), flags);
  }
  desktop_->EndBox();
  switch (answer) {
    case IDYES:
      return forms::MessageBoxAnswer::Yes;
    case IDNO:
      return forms::MessageBoxAnswer::No;
    case IDCANCEL:
      return forms::MessageBoxAnswer::Cancel;
    default:
      return forms::MessageBoxAnswer::Ok;
  }
}

Text Win32Renderer::ShowInputBox(const Text& prompt, const Text& title) {
  HWND owner = desktop_->BoxOwner();
  desktop_->BeginBox(owner);
  Text typed;
  {
    CommonControlsScope commonControls;
    typed = RunInputBox(desktop_->Instance(), owner, prompt, title);
  }
  desktop_->EndBox();
  return typed;
}

void Win32Renderer::ArmInputBoxMask(forms::Form& owner) {
  FormWindow* window = desktop_->Find(owner);
  SetTimer(window != nullptr ? window->hwnd : nullptr, kMaskTimerId, kMaskDelayMs, MaskInputBox);
}

forms::ScreenSize Win32Renderer::Screen() {
  UINT dpi = SystemDpi();
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
          PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

void Win32Renderer::EndProcess() {
  ExitProcess(0);
}

}  // namespace orlimo::win32
