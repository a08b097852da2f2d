#include "win32/NewInputBox.h"

namespace orlimo::win32 {

void CALLBACK MaskInputBox(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  static const WORD zero16 = 0;  // the message ignores its second parameter
  HWND dialog = FindWindowA("#32770", "Orlimo");
  HWND field = FindWindowExA(dialog, nullptr, "Edit", "");
  SendMessageA(field, EM_SETPASSWORDCHAR, 42, reinterpret_cast<LPARAM>(&zero16));
  // Like every other password box, the field takes no Hangul composition: a password typed in
  // Hangul mode here could not be typed again at a prompt whose input method is off.
  ImmAssociateContextEx(field, nullptr, 0);
  KillTimer(hwnd, id);
}

}  // namespace orlimo::win32
