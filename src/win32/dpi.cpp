#include "win32/dpi.h"

namespace orlimo::win32 {
namespace {

template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using SetAwarenessContext = BOOL(WINAPI*)(HANDLE);
using GetDpiForSystemCall = UINT(WINAPI*)();
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustForDpiCall = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));

}  // namespace

void DeclarePerMonitorDpiAwareness() {
  if (auto set = User32Function<SetAwarenessContext>("SetProcessDpiAwarenessContext")) {
    set(kPerMonitorAwareV2);
  }
}

UINT SystemDpi() {
  if (auto get = User32Function<GetDpiForSystemCall>("GetDpiForSystem")) {
    UINT dpi = get();
    if (dpi != 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND window) {
  if (window != nullptr) {
    if (auto get = User32Function<GetDpiForWindowCall>("GetDpiForWindow")) {
      UINT dpi = get(window);
      if (dpi != 0) return dpi;
    }
  }
  return SystemDpi();
}

void AdjustForFrame(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  if (auto adjust = User32Function<AdjustForDpiCall>("AdjustWindowRectExForDpi")) {
    if (adjust(&rect, style, FALSE, exStyle, dpi)) return;
  }
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace orlimo::win32
