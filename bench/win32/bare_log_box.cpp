#include "bare_log_box.h"

#include "figures.h"
#include "log_file.h"

namespace orlimo::winbench {

BareLogBox::BareLogBox() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"BareLogBox";
  RegisterClassExW(&windowClass);
  window_ = CreateWindowExW(0, L"BareLogBox", L"Bare log box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                            0, 700, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
  box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_MULTILINE |
                             ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL,
                         6, 34, 660, 500, window_, nullptr, windowClass.hInstance, nullptr);
  font_ =
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, HANGUL_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"굴림");
  SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(box_, EM_LIMITTEXT, 0, 0);
}

BareLogBox::~BareLogBox() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (font_ != nullptr) DeleteObject(font_);
}

BareLogBox::Showing BareLogBox::Show(const std::wstring& path) {
  SetWindowTextW(box_, L"");
  UpdateWindow(box_);
  Showing showing;
  double start = Now();
  std::wstring text = Decode(ReadBytes(path));
  double decoded = Now();
  SetWindowTextW(box_, text.c_str());
  double set = Now();
  UpdateWindow(box_);
  showing.readDecode = decoded - start;
  showing.setText = set - decoded;
  showing.paint = Now() - set;
  return showing;
}

double BareLogBox::WriteBack(const std::wstring& path) {
  double start = Now();
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box_)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box_, text.data(), static_cast<int>(text.size()))));
  ReplaceDurably(path, Encode(text));
  return Now() - start;
}

}  // namespace orlimo::winbench
