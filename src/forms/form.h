// A window of the program: its controls, its properties and its life from load to unload.
#pragma once

#include <vector>

#include "forms/control.h"

namespace orlimo::forms {

class Runtime;

enum class FormProperty { Caption, Bounds, BackColor, Visible, Enabled };

class Form {
 public:
  explicit Form(Runtime& runtime);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Runtime& GetRuntime() const { return runtime_; }

  // Loads the form when needed, then shows it (and brings it forward). A modal show returns
  // when the form has been unloaded; meanwhile other timers tick and other windows take no input.
  void Show(bool modal = false);
  void Hide();
  // Runs the unload steps, closes the window and stops its timers. It cannot be cancelled.
  void Unload();
  // Loads without showing (design values, native window, load steps).
  void Load();

  bool Loaded() const { return loaded_; }
  bool Visible() const { return loaded_ && visible_; }
  bool Modal() const { return modal_; }

  const Text& Caption() const { return caption_; }
  void SetCaption(TextView caption);
  // Outer position and size in twips.
  const forms::Bounds& Bounds() const { return bounds_; }
  void SetBounds(const forms::Bounds& bounds);
  void SetHeight(int height) { SetBounds({bounds_.left, bounds_.top, bounds_.width, height}); }
  // Sets the outer size so that the client area has the given size.
  void SetClientSize(int width, int height);
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color color);
  // A fixed dialog frame without minimise and maximise buttons.
  bool FixedDialog() const { return fixedDialog_; }
  void SetFixedDialog(bool fixedDialog) { fixedDialog_ = fixedDialog; }
  // No close button and no system close command (a window that must not be dismissed).
  bool NoClose() const { return noClose_; }
  void SetNoClose(bool noClose) { noClose_ = noClose; }
  // Stays above the windows of other programs.
  bool TopMost() const { return topMost_; }
  void SetTopMost(bool topMost) { topMost_ = topMost; }
  // Shows without taking the keyboard focus from the window being typed in, and is never made
  // the active window, even by a click.
  bool NoActivate() const { return noActivate_; }
  void SetNoActivate(bool noActivate) { noActivate_ = noActivate; }
  // Places the window in the middle of the screen, keeping its size.
  void CenterOnScreen();

  const std::vector<Control*>& Controls() const { return controls_; }

  // Events the window system raises.
  void CloseRequested();  // the system's close command
  void Clicked();         // a click in the client area
  // The window's real place and size, where the window system made them differ from the form's
  // (it enlarges a window to the smallest size it allows, the user moves it): the form's bounds
  // follow the window, without placing it again.
  void Placed(const forms::Bounds& bounds);

  // Called by controls.
  int Register(Control& control);
  void ControlChanged(Control& control, Property property);

  // Load and unload steps: design values first, then the load handler.
  virtual void Design() = 0;
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Form_Terminate() {}
  virtual void Form_Click() {}

 private:
  void Changed(FormProperty property);

  Runtime& runtime_;
  std::vector<Control*> controls_;
  bool loaded_ = false;
  bool visible_ = false;
  bool modal_ = false;
  bool unloading_ = false;
  Text caption_;
  forms::Bounds bounds_;
  Color backColor_ = kButtonFace;
  bool fixedDialog_ = true;
  bool noClose_ = false;
  bool topMost_ = false;
  bool noActivate_ = false;
};

}  // namespace orlimo::forms
