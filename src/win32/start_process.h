// Starting another program with CreateProcessW: its command line is its quoted path followed by
// its arguments.
#pragma once

#include <string>

#include "win32/windows_api.h"

namespace orlimo::win32 {

// The command line that starts <path>: the path in quotes, then " <arguments>" when there are any.
std::wstring CommandLineOf(const std::wstring& path, const std::wstring& arguments = {});

struct StartedProcess {
  HANDLE handle = nullptr;  // the caller's to close; null when the start failed
  DWORD id = 0;
};

// Starts the program at <path> with <arguments>, in <folder> (this process's current folder when
// empty), its first window shown as <show> (an SW_ value; as it chooses when negative). When the
// start fails, GetLastError says why.
StartedProcess StartProcess(const std::wstring& path, const std::wstring& arguments = {},
                            const std::wstring& folder = {}, int show = -1);

// Starts the program at <path>, its first window shown as <show>, and lets it run on its own:
// whether it started.
bool StartAndLetRun(const std::wstring& path, int show);

// Waits up to <milliseconds> for the process to end, then closes its handle: its exit code, or
// -1 when it did not end in time (it goes on running) or <process> is null.
long ExitCodeOf(HANDLE process, DWORD milliseconds);

}  // namespace orlimo::win32
