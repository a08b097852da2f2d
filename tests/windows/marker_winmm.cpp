// A stand-in WINMM.dll for the DLL loading test: when any process loads it, it writes
// "winmm_loaded.txt" beside itself. Its PlaySoundW plays nothing. Dropped into a program folder,
// it shows whether the program takes DLLs from its own folder.
#include "win32/windows_api.h"

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD) {
  return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[4096] = {};
  const DWORD length = GetModuleFileNameW(instance, path, 4096);
  if (length == 0 || length >= 4096) return TRUE;
  wchar_t* slash = path + length;
  while (slash > path && *slash != L'\\') --slash;
  const wchar_t marker[] = L"\\winmm_loaded.txt";
  if (slash - path + sizeof(marker) / sizeof(wchar_t) >= 4096) return TRUE;
  for (const wchar_t* c = marker; (*slash++ = *c++) != L'\0';) {
  }
  HANDLE file =
      CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
