#include "win32/win32_sound.h"

#include "win32/wide_text.h"
#include "win32/windows_api.h"

#include <mmsystem.h>

namespace orlimo::win32 {
namespace {

using PlaySoundCall = decltype(&PlaySoundW);

// PlaySoundW of the system's winmm.dll, loaded when <load> and not tried before; null until then
// or when it cannot be loaded (the cues then stay silent). winmm.dll is not one of the DLLs
// Windows always takes from the system folder, so the program does not import it: it is loaded
// from the system folder alone, never from the program's folder.
PlaySoundCall SystemPlaySound(bool load) {
  static PlaySoundCall play = nullptr;
  static bool tried = false;
  if (load && !tried) {
    tried = true;
    if (HMODULE winmm = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
      play = reinterpret_cast<PlaySoundCall>(
          reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundW")));
    }
  }
  return play;
}

}  // namespace

Win32Sound::~Win32Sound() {
  Close();
}

void Win32Sound::Close() {
  // Nothing can be playing before the sound player was first loaded.
  if (PlaySoundCall play = SystemPlaySound(false)) play(nullptr, nullptr, 0);
  open_.clear();
}

bool Win32Sound::Open(const Text& path) {
  open_.clear();
  std::wstring wide = ToWide(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  open_ = std::move(wide);
  return true;
}

void Win32Sound::Play() {
  if (open_.empty()) return;
  if (PlaySoundCall play = SystemPlaySound(true)) {
    play(open_.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  }
}

}  // namespace orlimo::win32
