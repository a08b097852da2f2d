// The windows of the program's forms and of their controls: what the Win32 renderer keeps
// between calls, and the window procedures through which Windows reports what the user does.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "forms/bar_chart.h"
#include "forms/form.h"
#include "forms/renderer.h"
#include "win32/gdi_cache.h"
#include "win32/ui_api.h"

namespace orlimo::win32 {

// The text of a window, as its owner's user sees it.
Text WindowText(HWND hwnd);

// The window class of every form.
inline constexpr wchar_t kFormClassName[] = L"OrlimoForm";

class Desktop;

struct FormWindow {
  Desktop* desktop = nullptr;
  forms::Form* form = nullptr;
  HWND hwnd = nullptr;
  UINT dpi = 96;
  HWND tooltip = nullptr;
  // The controls' windows are made when the form first shows, each one once it is visible:
  // until then the form's own steps change only what its controls hold.
  bool controlsMade = false;
  // The tooltips are made when the mouse first comes over the form: they need the common
  // controls, which the first window shows without.
  bool tipsWanted = false;
  std::map<forms::Control*, HWND> controls;  // every control but the timers
  bool mouseDown = false;                    // a click begins in the client area
  HWND lastFocus = nullptr;                  // the control that had the focus when deactivated

  forms::Control* ControlOf(HWND child) const;
};

class Desktop {
 public:
  explicit Desktop(HINSTANCE instance);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // Forms (desktop.cpp).
  void CreateForm(forms::Form& form);
  void DestroyForm(forms::Form& form);
  void FormChanged(forms::Form& form, forms::FormProperty property);
  forms::Bounds FrameSize(const forms::Form& form) const;
  FormWindow* Find(const forms::Form& form) const;
  FormWindow* Find(HWND topLevel) const;
  bool IsFormWindow(HWND window) const { return Find(window) != nullptr; }

  // Controls (controls.cpp).
  void CreateControl(FormWindow& window, forms::Control& control);
  void ControlChanged(forms::Control& control, forms::Property property);
  void OrderTabs(FormWindow& window);
  void PlaceControls(FormWindow& window);

  // Timers, one per timer control, on the form's window under the control's id.
  void StartTimer(forms::Timer& timer);
  void StopTimer(forms::Timer& timer);

  // Input: a modal form, a message box or an input box keeps the other windows from input.
  void BeginBox(HWND owner);
  void EndBox();
  // The window that owns a message box or input box: the program's active window.
  HWND BoxOwner() const;

  // The message loop (message_loop.cpp): an action posted runs as a message of its own.
  void Post(std::function<void()> action);
  void RunUntil(const std::function<bool()>& done);
  void YieldOnce();

  void SetSessionEndingHandler(std::function<void()> handler) {
    sessionEnding_ = std::move(handler);
  }

  HINSTANCE Instance() const { return instance_; }

 private:
  // The window procedures (form_events.cpp, edit_events.cpp, paint.cpp, paint_chart.cpp).
  static LRESULT CALLBACK PostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR subclassId, DWORD_PTR refData);
  LRESULT OnFormMessage(FormWindow& window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(FormWindow& window, WPARAM wParam, LPARAM lParam);
  LRESULT OnControlColor(FormWindow& window, UINT message, HDC dc, HWND child);
  void DrawButton(FormWindow& window, const forms::Button& button, const DRAWITEMSTRUCT& item);
  void DrawBarChart(FormWindow& window, const forms::BarChart& chart, const DRAWITEMSTRUCT& item);
  void OnDpiChanged(FormWindow& window, UINT dpi, const RECT& suggested);

  // Control windows (controls.cpp).
  HWND MakeControlWindow(FormWindow& window, forms::Control& control);
  void SetControlText(HWND hwnd, const forms::Control& control);
  void SetToolTip(FormWindow& window, forms::Control& control, HWND hwnd);
  void MakeControls(FormWindow& window);
  // The mouse has come over <under>, the form's window or one of its controls.
  void MakeToolTips(FormWindow& window, HWND under);

  // The message loop (message_loop.cpp).
  void Handle(MSG& message);
  bool PreTranslate(const MSG& message);
  [[noreturn]] void Quit();

  void ApplyEnabled();
  void PlaceForm(FormWindow& window);
  void ReportPlace(FormWindow& window);
  static void WakeLoop();

  HINSTANCE instance_;
  GdiCache gdi_;
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> forms_;
  std::vector<forms::Form*> modalStack_;
  std::vector<HWND> boxOwners_;  // the owners of the open message and input boxes
  int settingText_ = 0;          // the renderer itself is setting an edit's text
  std::function<void()> sessionEnding_;
  bool sessionEnded_ = false;
  HWND posts_ = nullptr;  // a message-only window that runs the posted actions
};

}  // namespace orlimo::win32
