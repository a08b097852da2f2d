#include "win32/win32_sound.h"

#include "win32/wide_text.h"
#include "win32/windows_api.h"

#include <mmsystem.h>

namespace orlimo::win32 {

Win32Sound::~Win32Sound() {
  Close();
}

void Win32Sound::Close() {
  PlaySoundW(nullptr, nullptr, 0);
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
  PlaySoundW(open_.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace orlimo::win32
