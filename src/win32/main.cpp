// Orlimo.exe: builds the Windows services and the window system, and runs the program from its
// own folder.
#include <string>

#include "app/program.h"
#include "platform/services.h"
#include "win32/dpi.h"
#include "win32/renderer.h"
#include "win32/ui_api.h"
#include "win32/wide_text.h"
#include "win32/win32_ansi_codepage.h"
#include "win32/win32_clock.h"
#include "win32/win32_registry.h"
#include "win32/win32_sound.h"
#include "win32/win32_system.h"

namespace {

// The folder of the executable, without a trailing "\".
orlimo::Text ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return orlimo::Text();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) path.resize(slash);
  return orlimo::win32::FromWide(path.c_str(), path.size());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace orlimo::win32;
  DeclarePerMonitorDpiAwareness();
  Win32Clock clock;
  Win32AnsiCodePage codePage;
  Win32Sound sound;
  Win32Registry registry;
  Win32System system;
  orlimo::platform::Services services{clock, codePage, sound, registry, system};
  Win32Renderer renderer;
  orlimo::Program program(ProgramFolder(), services, renderer);
  renderer.SetSessionEndingHandler([&program] { program.SessionEnding(); });
  program.Run();
  return 0;
}
