// A stand-in WINMM.dll for the DLL loading test: when any process loads it, it writes
// "winmm_loaded.txt" beside itself. Its PlaySoundW plays nothing. Dropped into a program folder,
// it shows whether the program takes DLLs from its own folder.
#include <cstdio>

#include "win32/own_path.h"
#include "win32/windows_api.h"

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD) {
  return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  const std::wstring folder = orlimo::win32::FolderOf(orlimo::win32::ModulePath(instance));
  FILE* marker = folder.empty() ? nullptr : _wfopen((folder + L"\\winmm_loaded.txt").c_str(), L"w");
  if (marker != nullptr) std::fclose(marker);
  return TRUE;
}
