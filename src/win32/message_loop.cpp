// The program's message loop: nested loops for modal forms run here too, and a yield handles
// what is queued at that moment.
#include <memory>

#include "forms/runtime.h"
#include "win32/desktop.h"

namespace orlimo::win32 {
namespace {

constexpr wchar_t kPostClassName[] = L"OrlimoPosts";
constexpr UINT kPostedAction = WM_APP + 1;

// A yield handles the messages queued now; a timer that comes due again and again while it
// runs cannot keep it going for ever.
constexpr int kYieldLimit = 256;

bool IsEnterOrEscape(const MSG& message) {
  if (message.message == WM_KEYDOWN || message.message == WM_KEYUP) {
    return message.wParam == VK_RETURN || message.wParam == VK_ESCAPE;
  }
  if (message.message == WM_CHAR) {
    return message.wParam == L'\r' || message.wParam == L'\n' || message.wParam == 27;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK Desktop::PostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kPostedAction) return DefWindowProcW(hwnd, message, wParam, lParam);
  std::unique_ptr<std::function<void()>> action(reinterpret_cast<std::function<void()>*>(lParam));
  (*action)();
  return 0;
}

void Desktop::Post(std::function<void()> action) {
  if (posts_ == nullptr) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = PostProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = kPostClassName;
    RegisterClassExW(&windowClass);
    posts_ = CreateWindowExW(0, kPostClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             instance_, nullptr);
  }
  auto* posted = new std::function<void()>(std::move(action));
  if (!PostMessageW(posts_, kPostedAction, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

void Desktop::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    MSG message;
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) Quit();
    Handle(message);
  }
}

void Desktop::YieldOnce() {
  MSG message;
  for (int left = kYieldLimit; left > 0 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
       --left) {
    if (message.message == WM_QUIT) Quit();
    Handle(message);
  }
}

void Desktop::Handle(MSG& message) {
  if (PreTranslate(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// Tab and the arrow keys move between the controls as in a dialog box. Enter and Escape are
// not the dialog's: Enter reaches the key-press handler of a text box (and clicks a button that
// has the focus), Escape goes to the focused control.
bool Desktop::PreTranslate(const MSG& message) {
  if (message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  FormWindow* window = Find(root);
  if (window == nullptr || window->form == nullptr) return false;
  if (IsEnterOrEscape(message)) {
    bool firstPress = (message.lParam & (1 << 30)) == 0;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && firstPress) {
      forms::Control* control = window->ControlOf(message.hwnd);
      if (control != nullptr && control->Kind() == forms::ControlKind::Button) {
        control->Owner().GetRuntime().DispatchClick(static_cast<forms::Button&>(*control));
        return true;
      }
    }
    return false;
  }
  return IsDialogMessageW(root, const_cast<MSG*>(&message)) != FALSE;
}

void Desktop::Quit() {
  ExitProcess(0);
}

}  // namespace orlimo::win32
