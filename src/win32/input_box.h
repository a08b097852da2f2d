// The input box: a small modal dialog of the standard dialog class with a prompt, one empty
// edit field, OK and Cancel.
#pragma once

#include "base/text.h"
#include "win32/ui_api.h"

namespace orlimo::win32 {

// The id of the edit field.
inline constexpr int kInputBoxFieldId = 100;

// The typed text on OK; an empty text on Cancel or when the box is closed.
Text RunInputBox(HINSTANCE instance, HWND owner, const Text& prompt, const Text& title);

}  // namespace orlimo::win32
