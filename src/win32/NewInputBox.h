// Masking of the input box: armed by a one-shot timer just before the box opens, the callback
// finds the box and makes its field show "*" for every typed character.
#pragma once

#include "win32/ui_api.h"

namespace orlimo::win32 {

inline constexpr UINT_PTR kMaskTimerId = 0x5000;
inline constexpr UINT kMaskDelayMs = 10;

// The timer callback: finds the dialog titled "Orlimo" and its first edit field with an empty
// text, sets the field's password character to "*", switches its input method off, and kills its
// own timer.
void CALLBACK MaskInputBox(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

}  // namespace orlimo::win32
