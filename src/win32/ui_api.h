// The Windows headers of the form renderer. <windows.h> defines macros over names the program
// uses for its own operations (the runtime's MessageBox and Yield, for instance); they are
// removed right here, so a file of the renderer may include the form runtime as well.
#pragma once

#include "win32/windows_api.h"

#include <commctrl.h>
#include <imm.h>

#undef MessageBox
#undef Yield
#undef PlaySound
#undef GetObject
#undef ExitWindows
#undef LookupPrivilegeValue
