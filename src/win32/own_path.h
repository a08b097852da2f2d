// Where the running program, or a module it loaded, lies: its full path and its folder, read
// from Windows however long the path is.
#pragma once

#include <string>

#include "win32/windows_api.h"

namespace orlimo::win32 {

// The full path of <module>, of the running executable when null; empty when unknown.
std::wstring ModulePath(HMODULE module = nullptr);

// The folder of <path>: everything before its last "\" or "/"; empty when it has none.
std::wstring FolderOf(const std::wstring& path);

// The running executable's folder, without a closing "\"; empty when unknown.
std::wstring OwnFolderPath();

}  // namespace orlimo::win32
