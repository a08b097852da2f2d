#include "win32/common_controls.h"

#include <string>

#include "win32/own_path.h"
#include "win32/resources/resource_ids.h"

namespace orlimo::win32 {
namespace {

struct CommonControls {
  bool tried = false;
  HANDLE context = INVALID_HANDLE_VALUE;  // the activation context of the manifest
  decltype(&SetWindowSubclass) setSubclass = nullptr;
  decltype(&RemoveWindowSubclass) removeSubclass = nullptr;
  decltype(&DefSubclassProc) defSubclass = nullptr;
};

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The activation context of the common controls' manifest, resource IDR_COMMON_CONTROLS (stored
// language-neutral, which the context's search by language always reaches).
HANDLE ManifestContext() {
  const std::wstring self = ModulePath();
  if (self.empty()) return INVALID_HANDLE_VALUE;
  ACTCTXW request{};
  request.cbSize = sizeof(request);
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = self.c_str();
  request.hModule = GetModuleHandleW(nullptr);
  request.lpResourceName = MAKEINTRESOURCEW(IDR_COMMON_CONTROLS);
  return CreateActCtxW(&request);
}

// The activation context of the manifest in the program's resources, and comctl32 loaded under
// it, from the side-by-side store (never from the program's folder); tried once. Without the
// context comctl32 is still loaded, the system folder's, whose subclassing the text boxes need
// as much.
CommonControls& Loaded() {
  static CommonControls loaded;
  if (loaded.tried) return loaded;
  loaded.tried = true;
  loaded.context = ManifestContext();
  ULONG_PTR cookie = 0;
  const bool active =
      loaded.context != INVALID_HANDLE_VALUE && ActivateActCtx(loaded.context, &cookie);
  if (HMODULE comctl32 = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (auto init = Export<decltype(&InitCommonControlsEx)>(comctl32, "InitCommonControlsEx")) {
      INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
      init(&classes);
    }
    loaded.setSubclass = Export<decltype(&SetWindowSubclass)>(comctl32, "SetWindowSubclass");
    loaded.removeSubclass =
        Export<decltype(&RemoveWindowSubclass)>(comctl32, "RemoveWindowSubclass");
    loaded.defSubclass = Export<decltype(&DefSubclassProc)>(comctl32, "DefSubclassProc");
  }
  if (active) DeactivateActCtx(0, cookie);
  return loaded;
}

}  // namespace

CommonControlsScope::CommonControlsScope() {
  const CommonControls& loaded = Loaded();
  if (loaded.context != INVALID_HANDLE_VALUE) active_ = ActivateActCtx(loaded.context, &cookie_);
}

CommonControlsScope::~CommonControlsScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

bool SetSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  const CommonControls& loaded = Loaded();
  return loaded.setSubclass != nullptr && loaded.setSubclass(hwnd, proc, id, data);
}

void RemoveSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
  const CommonControls& loaded = Loaded();
  if (loaded.removeSubclass != nullptr) loaded.removeSubclass(hwnd, proc, id);
}

LRESULT DefSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const CommonControls& loaded = Loaded();
  if (loaded.defSubclass == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return loaded.defSubclass(hwnd, message, wParam, lParam);
}

}  // namespace orlimo::win32
