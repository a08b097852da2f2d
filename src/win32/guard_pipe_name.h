// The name of the guard's pipe, which the guard creates and the program and its tests open.
#pragma once

namespace orlimo::win32 {

inline constexpr wchar_t kGuardPipeName[] = L"\\\\.\\pipe\\Orlimo.Guard";

}  // namespace orlimo::win32
