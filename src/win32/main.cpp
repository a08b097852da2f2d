// Orlimo.exe: builds the Windows services and the window system, and runs the program with its
// own folder and the rules: hosted by the program over the data folder's files, or the guard's
// where the installer set one up (the program then never opens the data folder and never falls
// back to it).
#include <memory>

#include "guard/guard_supervision.h"
#include "platform/services.h"
#include "program/local_supervision.h"
#include "program/program.h"
#include "win32/dpi.h"
#include "win32/guard_pipe_channel.h"
#include "win32/program_folders.h"
#include "win32/win32_renderer.h"
#include "win32/ui_api.h"
#include "win32/win32_ansi_codepage.h"
#include "win32/win32_clock.h"
#include "win32/win32_registry.h"
#include "win32/win32_sound.h"
#include "win32/win32_system.h"

namespace {

// Wine runs every process as one user, the guard's service included: there the guard shares the
// program's SID.
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace orlimo::win32;
  // DLLs loaded from now on come from the system folder only, never from the program's folder
  // or the current one, where someone else might have put one.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  DeclarePerMonitorDpiAwareness();
  Win32Clock clock;
  Win32AnsiCodePage codePage;
  Win32Sound sound;
  Win32Registry registry;
  Win32System system;
  orlimo::platform::Services services{clock, codePage, sound, registry, system};
  Win32Renderer renderer;
  const orlimo::Text ownFolder = OwnFolder();
  GuardPipeChannel guardChannel(UnderWine());
  std::unique_ptr<orlimo::Program> program;
  if (Guarded()) {
    program = std::make_unique<orlimo::Program>(
        std::make_unique<orlimo::guard::GuardSupervision>(guardChannel), ownFolder, services,
        renderer);
  } else {
    program =
        std::make_unique<orlimo::Program>(DataFolder(ownFolder), ownFolder, services, renderer);
  }
  renderer.SetSessionEndingHandler([&program] { program->SessionEnding(); });
  program->Run();
  return 0;
}
