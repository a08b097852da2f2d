#include "win32/input_box.h"

#include <string_view>
#include <vector>

#include "win32/desktop.h"
#include "win32/wide_text.h"

namespace orlimo::win32 {
namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kNoId = 0xFFFF;

// A dialog template in memory, laid out as DialogBoxIndirect reads it.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height, std::wstring_view title, WORD points,
                 std::wstring_view face) {
    Dword(style);
    Dword(0);  // extended style
    countAt_ = words_.size();
    Word(0);  // number of items, counted as they are added
    Word(0);  // x, y: DS_CENTER places the box
    Word(0);
    Word(static_cast<WORD>(width));
    Word(static_cast<WORD>(height));
    Word(0);  // no menu
    Word(0);  // the standard dialog class "#32770"
    String(title);
    Word(points);
    String(face);
  }

  void Item(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height,
            std::wstring_view text) {
    if (words_.size() % 2 != 0) Word(0);  // items start on a DWORD boundary
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(width));
    Word(static_cast<WORD>(height));
    Word(id);
    Word(0xFFFF);
    Word(classAtom);
    String(text);
    Word(0);  // no creation data
    ++words_[countAt_];
  }

  const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void String(std::wstring_view text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }

  std::vector<WORD> words_;  // WORD-aligned as allocated; DWORD alignment is kept by offsets
  std::size_t countAt_ = 0;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetFocus(GetDlgItem(dialog, kInputBoxFieldId));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* typed = reinterpret_cast<Text*>(GetWindowLongPtrW(dialog, DWLP_USER));
        *typed = WindowText(GetDlgItem(dialog, kInputBoxFieldId));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

Text RunInputBox(HINSTANCE instance, HWND owner, const Text& prompt, const Text& title) {
  std::wstring titleText = ToWide(title);
  std::wstring promptText = ToWide(prompt);
  DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER,
                     241, 84, titleText, 9, L"굴림");
  box.Item(kStaticClass, kNoId, SS_LEFT | SS_NOPREFIX, 7, 7, 170, 50, promptText);
  box.Item(kButtonClass, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 50, 14, L"확인");
  box.Item(kButtonClass, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 50, 14, L"취소");
  // The field starts empty: the masking finds it as the edit whose text is "".
  box.Item(kEditClass, kInputBoxFieldId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 63, 227, 13,
           L"");
  Text typed;
  INT_PTR result = DialogBoxIndirectParamW(instance, box.Data(), owner, InputBoxProc,
                                           reinterpret_cast<LPARAM>(&typed));
  return result == IDOK ? typed : Text();
}

}  // namespace orlimo::win32
