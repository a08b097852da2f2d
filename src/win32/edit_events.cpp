// Typing in a text box: every typed character goes to the box's key-press handler first, which
// may swallow it (by setting it to 0) before the edit window sees it.
#include "forms/runtime.h"
#include "win32/common_controls.h"
#include "win32/desktop.h"

namespace orlimo::win32 {

LRESULT CALLBACK Desktop::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR refData) {
  if (message == WM_NCDESTROY) {
    RemoveSubclass(hwnd, EditProc, subclassId);
    return DefSubclass(hwnd, message, wParam, lParam);
  }
  if (message != WM_CHAR) return DefSubclass(hwnd, message, wParam, lParam);
  auto* desktop = reinterpret_cast<Desktop*>(refData);
  FormWindow* window = desktop->Find(GetAncestor(hwnd, GA_ROOT));
  forms::Control* control = window != nullptr ? window->ControlOf(hwnd) : nullptr;
  if (control == nullptr || control->Kind() != forms::ControlKind::TextBox) {
    return DefSubclass(hwnd, message, wParam, lParam);
  }
  auto& box = static_cast<forms::TextBox&>(*control);
  auto character = static_cast<char16_t>(wParam);
  box.Owner().GetRuntime().DispatchKeyPress(box, character);
  if (!IsWindow(hwnd)) return 0;  // the handler closed the form
  if (character == 0) return 0;
  // Enter has nothing to do in a single line (the edit window would only beep).
  if (character == u'\r' && !box.MultiLine()) return 0;
  return DefSubclass(hwnd, WM_CHAR, character, lParam);
}

}  // namespace orlimo::win32
