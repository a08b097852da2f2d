// The child windows of a form's controls: one real window per control (timers excepted), whose
// window text is the control's caption or text and whose id is the control's id.
#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "win32/common_controls.h"
#include "win32/desktop.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace orlimo::win32 {
namespace {

constexpr UINT_PTR kEditSubclassId = 1;

void MoveControl(HWND hwnd, const forms::Bounds& bounds, UINT dpi) {
  MoveWindow(hwnd, TwipsToPixels(bounds.left, dpi), TwipsToPixels(bounds.top, dpi),
             TwipsToPixels(bounds.width, dpi), TwipsToPixels(bounds.height, dpi), TRUE);
}

void SetInputMethodOff(HWND hwnd, bool off) {
  ImmAssociateContextEx(hwnd, nullptr, off ? 0 : IACE_DEFAULT);
}

}  // namespace

Text WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  return FromWide(text.c_str(), static_cast<std::size_t>(std::max(copied, 0)));
}

HWND Desktop::MakeControlWindow(FormWindow& window, forms::Control& control) {
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  // Buttons draw themselves and labels are plain text: only text boxes and check boxes take
  // the look of the common controls.
  std::optional<CommonControlsScope> commonControls;
  if (control.Visible()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  const wchar_t* className = L"Button";
  switch (control.Kind()) {
    case forms::ControlKind::Label:
      className = L"Static";
      style |= SS_NOPREFIX | (static_cast<forms::Label&>(control).Centered() ? SS_CENTER : SS_LEFT);
      break;
    case forms::ControlKind::Button:
      style |= WS_TABSTOP | BS_OWNERDRAW;
      break;
    case forms::ControlKind::TextBox:
      className = L"Edit";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      if (static_cast<forms::TextBox&>(control).MultiLine()) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
      }
      exStyle |= WS_EX_CLIENTEDGE;
      commonControls.emplace();
      break;
    case forms::ControlKind::CheckBox:
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      commonControls.emplace();
      break;
    case forms::ControlKind::BarChart:
      className = L"Static";
      style |= SS_OWNERDRAW;
      break;
    case forms::ControlKind::Timer:
      return nullptr;
  }
  const forms::Bounds& bounds = control.Bounds();
  std::wstring text = ToWide(control.Caption());
  ++settingText_;
  HWND hwnd = CreateWindowExW(
      exStyle, className, text.c_str(), style, TwipsToPixels(bounds.left, window.dpi),
      TwipsToPixels(bounds.top, window.dpi), TwipsToPixels(bounds.width, window.dpi),
      TwipsToPixels(bounds.height, window.dpi), window.hwnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id())), instance_, nullptr);
  --settingText_;
  return hwnd;
}

void Desktop::MakeControls(FormWindow& window) {
  window.controlsMade = true;
  for (forms::Control* control : window.form->Controls()) {
    if (control->Visible()) CreateControl(window, *control);
  }
  OrderTabs(window);
}

void Desktop::CreateControl(FormWindow& window, forms::Control& control) {
  HWND hwnd = MakeControlWindow(window, control);
  if (hwnd == nullptr) return;
  window.controls[&control] = hwnd;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(gdi_.Font(control.Font(), window.dpi)),
               FALSE);
  if (control.Kind() == forms::ControlKind::TextBox) {
    auto& box = static_cast<forms::TextBox&>(control);
    if (box.PasswordChar() != 0 && !box.MultiLine()) {
      SendMessageW(hwnd, EM_SETPASSWORDCHAR, box.PasswordChar(), 0);
    }
    SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(box.MaxLength()), 0);
    if (box.ImeOff()) SetInputMethodOff(hwnd, true);
    SetSubclass(hwnd, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  if (control.Kind() == forms::ControlKind::CheckBox) {
    SendMessageW(hwnd, BM_SETCHECK,
                 static_cast<forms::CheckBox&>(control).Value() != 0 ? BST_CHECKED : BST_UNCHECKED,
                 0);
  }
  if (!control.ToolTip().empty()) SetToolTip(window, control, hwnd);
}

void Desktop::SetControlText(HWND hwnd, const forms::Control& control) {
  if (WindowText(hwnd) == control.Caption()) return;
  ++settingText_;
  SetWindowTextW(hwnd, ToWide(control.Caption()).c_str());
  --settingText_;
  if (control.Kind() == forms::ControlKind::Button) InvalidateRect(hwnd, nullptr, TRUE);
}

void Desktop::SetToolTip(FormWindow& window, forms::Control& control, HWND hwnd) {
  if (window.tooltip == nullptr) {
    if (!window.tipsWanted || control.ToolTip().empty()) return;
    CommonControlsScope commonControls;
    window.tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window.hwnd, nullptr, instance_, nullptr);
    if (window.tooltip == nullptr) return;
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window.hwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  SendMessageW(window.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (control.ToolTip().empty()) return;
  std::wstring text = ToWide(control.ToolTip());
  tool.lpszText = text.data();
  SendMessageW(window.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Desktop::MakeToolTips(FormWindow& window, HWND under) {
  if (window.tipsWanted) return;
  window.tipsWanted = true;
  for (const auto& [control, hwnd] : window.controls) {
    if (!control->ToolTip().empty()) SetToolTip(window, *control, hwnd);
  }
  if (window.tooltip == nullptr) return;
  // The tooltip watches the mouse from now on; this first move over a control counts too.
  MSG move{};
  move.hwnd = under;
  move.message = WM_MOUSEMOVE;
  GetCursorPos(&move.pt);
  POINT client = move.pt;
  ScreenToClient(under, &client);
  move.lParam = MAKELPARAM(client.x, client.y);
  move.time = GetMessageTime();
  SendMessageW(window.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

// Tab order follows the tab indexes (controls without one after them, in the order they were
// made); Windows moves the focus along the order of the child windows.
void Desktop::OrderTabs(FormWindow& window) {
  std::vector<std::pair<forms::Control*, HWND>> order(window.controls.begin(),
                                                      window.controls.end());
  auto key = [](const forms::Control* control) {
    return std::make_pair(control->TabIndex() < 0 ? INT_MAX : control->TabIndex(), control->Id());
  };
  std::sort(order.begin(), order.end(),
            [&](const auto& a, const auto& b) { return key(a.first) < key(b.first); });
  HWND after = HWND_TOP;
  for (const auto& [control, hwnd] : order) {
    SetWindowPos(hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = hwnd;
  }
}

void Desktop::PlaceControls(FormWindow& window) {
  for (const auto& [control, hwnd] : window.controls) {
    MoveControl(hwnd, control->Bounds(), window.dpi);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(gdi_.Font(control->Font(), window.dpi)),
                 TRUE);
  }
}

void Desktop::ControlChanged(forms::Control& control, forms::Property property) {
  FormWindow* window = Find(control.Owner());
  if (window == nullptr) return;
  auto found = window->controls.find(&control);
  if (found == window->controls.end()) {
    if (window->controlsMade && property == forms::Property::Visible && control.Visible()) {
      CreateControl(*window, control);
      OrderTabs(*window);
    }
    return;
  }
  HWND hwnd = found->second;
  switch (property) {
    case forms::Property::Caption:
      SetControlText(hwnd, control);
      break;
    case forms::Property::ForeColor:
    case forms::Property::BackColor:
    case forms::Property::Picture:
    case forms::Property::Bars:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case forms::Property::Font:
      SendMessageW(hwnd, WM_SETFONT,
                   reinterpret_cast<WPARAM>(gdi_.Font(control.Font(), window->dpi)), TRUE);
      break;
    case forms::Property::Visible:
      ShowWindow(hwnd, control.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case forms::Property::Enabled:
      EnableWindow(hwnd, control.Enabled());
      break;
    case forms::Property::ToolTip:
      SetToolTip(*window, control, hwnd);
      break;
    case forms::Property::Bounds:
      MoveControl(hwnd, control.Bounds(), window->dpi);
      break;
    case forms::Property::PasswordChar: {
      auto& box = static_cast<forms::TextBox&>(control);
      if (!box.MultiLine()) SendMessageW(hwnd, EM_SETPASSWORDCHAR, box.PasswordChar(), 0);
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    }
    case forms::Property::MaxLength:
      SendMessageW(hwnd, EM_LIMITTEXT,
                   static_cast<WPARAM>(static_cast<forms::TextBox&>(control).MaxLength()), 0);
      break;
    case forms::Property::ImeOff:
      SetInputMethodOff(hwnd, static_cast<forms::TextBox&>(control).ImeOff());
      break;
    case forms::Property::MultiLine:
      // An edit window cannot change between one line and many: it is made anew.
      window->controls.erase(found);
      DestroyWindow(hwnd);
      CreateControl(*window, control);
      OrderTabs(*window);
      break;
    case forms::Property::Value:
      SendMessageW(
          hwnd, BM_SETCHECK,
          static_cast<forms::CheckBox&>(control).Value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case forms::Property::TabIndex:
      OrderTabs(*window);
      break;
    case forms::Property::Interval:
      break;
  }
}

}  // namespace orlimo::win32
