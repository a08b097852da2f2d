#include "win32/desktop.h"

#include <algorithm>

#include "win32/dpi.h"
#include "win32/resources/resource_ids.h"
#include "win32/wide_text.h"

namespace orlimo::win32 {
namespace {

struct FrameStyle {
  DWORD style;
  DWORD exStyle;
};

// A fixed dialog frame has neither minimise nor maximise button and cannot be resized; a form
// that must not be dismissed has no system menu, hence no close button and no close command.
FrameStyle FrameStyleOf(const forms::Form& form) {
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (!form.NoClose()) style |= WS_SYSMENU;
  if (!form.FixedDialog()) style |= WS_MINIMIZEBOX;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (form.FixedDialog()) exStyle |= WS_EX_DLGMODALFRAME;
  if (form.TopMost()) exStyle |= WS_EX_TOPMOST;
  if (form.NoActivate()) exStyle |= WS_EX_NOACTIVATE;
  return {style, exStyle};
}

RECT PixelRect(const forms::Bounds& bounds, UINT dpi) {
  int left = TwipsToPixels(bounds.left, dpi);
  int top = TwipsToPixels(bounds.top, dpi);
  return {left, top, left + TwipsToPixels(bounds.width, dpi),
          top + TwipsToPixels(bounds.height, dpi)};
}

}  // namespace

forms::Control* FormWindow::ControlOf(HWND child) const {
  for (const auto& [control, window] : controls) {
    if (window == child) return control;
  }
  return nullptr;
}

Desktop::Desktop(HINSTANCE instance) : instance_(instance), gdi_(instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = FormProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = kFormClassName;
  RegisterClassExW(&windowClass);
}

Desktop::~Desktop() {
  for (auto& [form, window] : forms_) {
    window->form = nullptr;  // the form may be gone already: its window only closes now
    if (window->hwnd != nullptr) DestroyWindow(window->hwnd);
  }
}

FormWindow* Desktop::Find(const forms::Form& form) const {
  auto found = forms_.find(&form);
  return found == forms_.end() ? nullptr : found->second.get();
}

FormWindow* Desktop::Find(HWND topLevel) const {
  if (topLevel == nullptr) return nullptr;
  for (const auto& [form, window] : forms_) {
    if (window->hwnd == topLevel) return window.get();
  }
  return nullptr;
}

void Desktop::CreateForm(forms::Form& form) {
  if (Find(form) != nullptr) return;
  auto owned = std::make_unique<FormWindow>();
  FormWindow& window = *owned;
  window.desktop = this;
  window.form = &form;
  window.dpi = SystemDpi();
  forms_[&form] = std::move(owned);
  FrameStyle frame = FrameStyleOf(form);
  RECT outer = PixelRect(form.Bounds(), window.dpi);
  std::wstring caption = ToWide(form.Caption());
  // The window procedure takes the window's handle from its first message on.
  CreateWindowExW(frame.exStyle, kFormClassName, caption.c_str(), frame.style, outer.left,
                  outer.top, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                  instance_, &window);
  if (window.hwnd == nullptr) {
    forms_.erase(&form);
    return;
  }
  UINT dpi = WindowDpi(window.hwnd);
  if (dpi != window.dpi) {
    window.dpi = dpi;
    PlaceForm(window);
  }
  ReportPlace(window);
  ApplyEnabled();
}

void Desktop::DestroyForm(forms::Form& form) {
  FormWindow* window = Find(form);
  if (window == nullptr) return;
  std::erase(modalStack_, &form);
  HWND hwnd = window->hwnd;
  // The other windows take input again before this one goes, so that Windows activates one of
  // them rather than another program's window.
  window->form = nullptr;
  ApplyEnabled();
  if (hwnd != nullptr) DestroyWindow(hwnd);
  forms_.erase(&form);
}

void Desktop::PlaceForm(FormWindow& window) {
  RECT outer = PixelRect(window.form->Bounds(), window.dpi);
  SetWindowPos(window.hwnd, nullptr, outer.left, outer.top, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows may give a window another place or size than the form asked for: the form then reads
// the real ones, so that what it computes from its own size (its place in a corner of the
// screen) holds for the window that shows.
void Desktop::ReportPlace(FormWindow& window) {
  RECT real;
  if (window.form == nullptr || IsIconic(window.hwnd) || !GetWindowRect(window.hwnd, &real)) return;
  RECT asked = PixelRect(window.form->Bounds(), window.dpi);
  if (EqualRect(&real, &asked)) return;
  window.form->Placed({PixelsToTwips(real.left, window.dpi), PixelsToTwips(real.top, window.dpi),
                       PixelsToTwips(real.right - real.left, window.dpi),
                       PixelsToTwips(real.bottom - real.top, window.dpi)});
}

void Desktop::FormChanged(forms::Form& form, forms::FormProperty property) {
  FormWindow* window = Find(form);
  if (window == nullptr) return;
  switch (property) {
    case forms::FormProperty::Caption:
      SetWindowTextW(window->hwnd, ToWide(form.Caption()).c_str());
      break;
    case forms::FormProperty::Bounds:
      PlaceForm(*window);
      break;
    case forms::FormProperty::BackColor:
      RedrawWindow(window->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case forms::FormProperty::Visible:
      if (!form.Visible()) {
        ShowWindow(window->hwnd, SW_HIDE);
        break;
      }
      if (form.Modal() &&
          std::find(modalStack_.begin(), modalStack_.end(), &form) == modalStack_.end()) {
        modalStack_.push_back(&form);
      }
      ApplyEnabled();
      if (!window->controlsMade) MakeControls(*window);
      if (form.NoActivate()) {
        ShowWindow(window->hwnd, SW_SHOWNOACTIVATE);
        break;
      }
      ShowWindow(window->hwnd, IsIconic(window->hwnd) ? SW_RESTORE : SW_SHOW);
      SetForegroundWindow(window->hwnd);
      break;
    case forms::FormProperty::Enabled:
      ApplyEnabled();
      break;
  }
}

forms::Bounds Desktop::FrameSize(const forms::Form& form) const {
  FrameStyle frame = FrameStyleOf(form);
  const FormWindow* window = Find(form);
  UINT dpi = window != nullptr ? window->dpi : SystemDpi();
  RECT rect{0, 0, 0, 0};
  AdjustForFrame(rect, frame.style, frame.exStyle, dpi);
  return {0, 0, PixelsToTwips(rect.right - rect.left, dpi),
          PixelsToTwips(rect.bottom - rect.top, dpi)};
}

void Desktop::StartTimer(forms::Timer& timer) {
  FormWindow* window = Find(timer.Owner());
  if (window == nullptr || timer.Interval() <= 0) return;
  // Setting a timer that runs already restarts its interval.
  SetTimer(window->hwnd, static_cast<UINT_PTR>(timer.Id()), static_cast<UINT>(timer.Interval()),
           nullptr);
}

void Desktop::StopTimer(forms::Timer& timer) {
  FormWindow* window = Find(timer.Owner());
  if (window == nullptr) return;
  KillTimer(window->hwnd, static_cast<UINT_PTR>(timer.Id()));
}

void Desktop::ApplyEnabled() {
  const forms::Form* modal = modalStack_.empty() ? nullptr : modalStack_.back();
  for (auto& [form, window] : forms_) {
    if (window->form == nullptr) continue;  // going
    bool enabled = modal == nullptr || modal == form;
    // A box disables its owner itself, and enables it again before it closes.
    if (!boxOwners_.empty() && window->hwnd != boxOwners_.back()) enabled = false;
    if ((IsWindowEnabled(window->hwnd) != FALSE) != enabled) EnableWindow(window->hwnd, enabled);
  }
}

HWND Desktop::BoxOwner() const {
  HWND active = GetActiveWindow();
  if (IsFormWindow(active)) return active;
  if (!modalStack_.empty()) {
    if (FormWindow* window = Find(*modalStack_.back())) return window->hwnd;
  }
  return nullptr;
}

void Desktop::BeginBox(HWND owner) {
  boxOwners_.push_back(owner);
  ApplyEnabled();
}

void Desktop::EndBox() {
  if (!boxOwners_.empty()) boxOwners_.pop_back();
  ApplyEnabled();
}

void Desktop::WakeLoop() {
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

}  // namespace orlimo::win32
