// Drawing of the buttons: the button's own background colour, a raised or pressed edge, the
// picture at the left and the caption after it.
#include "win32/desktop.h"

namespace orlimo::win32 {
namespace {

// The pictures' background: light grey in every corner, left out when drawn.
constexpr COLORREF kPictureBackground = RGB(192, 192, 192);

}  // namespace

void Desktop::DrawButton(FormWindow& window, const forms::Button& button,
                         const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  bool disabled = (item.itemState & ODS_DISABLED) != 0;
  int margin = MulDiv(4, static_cast<int>(window.dpi), 96);
  int shift = pressed ? 1 : 0;

  RECT inner = item.rcItem;
  FillRect(dc, &inner, gdi_.Brush(button.BackColor()));
  DrawEdge(dc, &inner, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

  const Text& caption = button.Caption();
  int textLeft = inner.left;
  if (HBITMAP picture = gdi_.Picture(button.Picture())) {
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    int width = MulDiv(info.bmWidth, static_cast<int>(window.dpi), 96);
    int height = MulDiv(info.bmHeight, static_cast<int>(window.dpi), 96);
    int left = caption.empty() ? (inner.left + inner.right - width) / 2 : inner.left + margin;
    int top = (inner.top + inner.bottom - height) / 2;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    GdiTransparentBlt(dc, left + shift, top + shift, width, height, memory, 0, 0, info.bmWidth,
                      info.bmHeight, kPictureBackground);
    SelectObject(memory, previous);
    DeleteDC(memory);
    textLeft = left + width;
  }
  if (!caption.empty()) {
    RECT text{textLeft + shift, inner.top + shift, inner.right + shift, inner.bottom + shift};
    HGDIOBJ previousFont = SelectObject(dc, gdi_.Font(button.Font(), window.dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : ColorRefOf(button.ForeColor()));
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(caption.c_str()),
              static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, previousFont);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = inner;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace orlimo::win32
