// What Windows reports to a form's window: clicks, typing, timers, closing, the end of the
// session; each becomes an event of the form runtime.
#include "forms/runtime.h"
#include "win32/desktop.h"

namespace orlimo::win32 {
namespace {

forms::Timer* TimerOf(const forms::Form& form, WPARAM id) {
  const auto& controls = form.Controls();
  if (id == 0 || id > controls.size()) return nullptr;
  forms::Control* control = controls[id - 1];
  if (control->Id() != static_cast<int>(id) || control->Kind() != forms::ControlKind::Timer) {
    return nullptr;
  }
  return static_cast<forms::Timer*>(control);
}

// The first control in the tab order that can take the focus now.
HWND FirstTabStop(HWND form) {
  for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0) {
      return child;
    }
  }
  return nullptr;
}

}  // namespace

LRESULT CALLBACK Desktop::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window =
        static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (window == nullptr || window->form == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return window->desktop->OnFormMessage(*window, message, wParam, lParam);
}

// A handler may unload the form, which destroys this very window: after a runtime event, the
// window's record is not touched again.
LRESULT Desktop::OnFormMessage(FormWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = window.hwnd;
  forms::Form& form = *window.form;
  forms::Runtime& runtime = form.GetRuntime();
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, gdi_.Brush(form.BackColor()));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return OnControlColor(window, message, reinterpret_cast<HDC>(wParam),
                            reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const forms::Control* control = window.ControlOf(item.hwndItem);
      if (control == nullptr) return TRUE;
      if (control->Kind() == forms::ControlKind::BarChart) {
        DrawBarChart(window, static_cast<const forms::BarChart&>(*control), item);
      } else if (control->Kind() == forms::ControlKind::Button) {
        DrawButton(window, static_cast<const forms::Button&>(*control), item);
      }
      return TRUE;
    }
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_TIMER:
      if (forms::Timer* timer = TimerOf(form, wParam)) runtime.DispatchTick(*timer);
      return 0;
    case WM_LBUTTONDOWN:
      window.mouseDown = true;
      return 0;
    case WM_LBUTTONUP:
      if (window.mouseDown) {
        window.mouseDown = false;
        runtime.DispatchFormClick(form);
      }
      return 0;
    case WM_CLOSE:
      // The system close command unloads the form (never for a form that must stay); the
      // window goes when the form is unloaded, not here.
      runtime.DispatchClose(form);
      if (InSendMessage()) WakeLoop();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd, focus)) window.lastFocus = focus;
        return 0;
      }
      // The focus goes back to the control that had it, or to the first in the tab order.
      if (HIWORD(wParam) == 0 && IsWindowVisible(hwnd)) {
        HWND focus = window.lastFocus;
        if (focus == nullptr || !IsWindow(focus) || !IsChild(hwnd, focus) ||
            !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
          focus = FirstTabStop(hwnd);
        }
        SetFocus(focus != nullptr ? focus : hwnd);
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows is logging off or shutting down: the main window's closing steps run now, and
      // then the program ends, since Windows may end it at any moment from here on (nothing
      // more is started or written halfway).
      if (wParam != FALSE && !sessionEnded_) {
        sessionEnded_ = true;
        if (sessionEnding_) sessionEnding_();
        Quit();
      }
      return 0;
    case WM_SETCURSOR:
      MakeToolTips(window, reinterpret_cast<HWND>(wParam));
      break;  // and on to the default handling, which sets the cursor
    case WM_WINDOWPOSCHANGED:
      ReportPlace(window);
      break;  // and on to the default handling, which reports the new size and place
    case WM_DPICHANGED:
      OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Desktop::OnCommand(FormWindow& window, WPARAM wParam, LPARAM lParam) {
  HWND child = reinterpret_cast<HWND>(lParam);
  forms::Control* control = child != nullptr ? window.ControlOf(child) : nullptr;
  if (control == nullptr) return 0;
  forms::Runtime& runtime = control->Owner().GetRuntime();
  int code = HIWORD(wParam);
  switch (control->Kind()) {
    case forms::ControlKind::Button:
      if (code == BN_CLICKED) runtime.DispatchClick(static_cast<forms::Button&>(*control));
      break;
    case forms::ControlKind::CheckBox:
      if (code == BN_CLICKED) {
        auto& box = static_cast<forms::CheckBox&>(*control);
        bool ticked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (runtime.TakesInput(box.Owner()) && box.Enabled()) {
          forms::Runtime::Guarded([&] { box.SetValue(ticked ? 1 : 0); });
        }
        if (IsWindow(child)) {
          SendMessageW(child, BM_SETCHECK, box.Value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
        }
      }
      break;
    case forms::ControlKind::TextBox:
      if (code == EN_CHANGE && settingText_ == 0) {
        runtime.DispatchEdit(static_cast<forms::TextBox&>(*control), WindowText(child));
        // The box shows the text the program holds (cut to its maximum length, for instance).
        if (IsWindow(child)) SetControlText(child, *control);
      }
      break;
    case forms::ControlKind::Label:
    case forms::ControlKind::Timer:
    case forms::ControlKind::BarChart:
      break;
  }
  return 0;
}

LRESULT Desktop::OnControlColor(FormWindow& window, UINT message, HDC dc, HWND child) {
  forms::Control* control = window.ControlOf(child);
  if (control == nullptr) {
    return DefWindowProcW(window.hwnd, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(child));
  }
  forms::Color back = control->BackColor();
  // A label has no background of its own: it shows the window's colour.
  bool transparent = control->Kind() == forms::ControlKind::Label;
  if (transparent) back = window.form->BackColor();
  SetTextColor(dc, ColorRefOf(control->ForeColor()));
  SetBkColor(dc, ColorRefOf(back));
  if (transparent) SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(gdi_.Brush(back));
}

void Desktop::OnDpiChanged(FormWindow& window, UINT dpi, const RECT& suggested) {
  if (dpi == 0) return;
  window.dpi = dpi;
  SetWindowPos(window.hwnd, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls(window);
}

}  // namespace orlimo::win32
