// A stand-in WINMM.dll for the DLL loading test: when any process loads it, it writes
// "winmm_loaded.txt" beside itself. Its PlaySoundW plays nothing. Dropped into a program folder,
// it shows whether the program takes DLLs from its own folder.
#include <string>

#include "win32/own_path.h"
#include "win32/windows_api.h"

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD) {
  return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  const std::wstring folder = orlimo::win32::FolderOf(orlimo::win32::ModulePath(instance));
  if (folder.empty()) return TRUE;
  const std::wstring marker = folder + L"\\winmm_loaded.txt";
  HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
