// Controls: the named parts of a window with the properties a window's behaviour reads and sets.
#pragma once

#include <functional>

#include "forms/types.h"

namespace orlimo::forms {

class Form;

enum class ControlKind { Label, Button, TextBox, CheckBox, Timer, BarChart };

// Which property changed, so that a renderer reflects only that.
enum class Property {
  Caption,
  ForeColor,
  BackColor,
  Font,
  Visible,
  Enabled,
  ToolTip,
  Bounds,
  PasswordChar,
  MaxLength,
  ImeOff,
  MultiLine,
  Picture,
  Value,
  TabIndex,
  Interval,
  Bars
};

class Control {
 public:
  Control(Form& form, ControlKind kind);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& Owner() const { return form_; }
  ControlKind Kind() const { return kind_; }
  int Id() const { return id_; }  // stable among the form's controls

  // The caption of a label, button or check box; the text of a text box.
  const Text& Caption() const { return caption_; }
  void SetCaption(TextView caption);
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color color);
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color color);
  const forms::Font& Font() const { return font_; }
  void SetFont(const forms::Font& font);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const Text& ToolTip() const { return toolTip_; }
  void SetToolTip(TextView toolTip);
  const forms::Bounds& Bounds() const { return bounds_; }
  void SetBounds(const forms::Bounds& bounds);
  void Move(int left, int top, int width, int height) { SetBounds({left, top, width, height}); }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int tabIndex);

 protected:
  void Changed(Property property);

 private:
  Form& form_;
  ControlKind kind_;
  int id_;
  Text caption_;
  Color foreColor_ = kButtonText;
  Color backColor_ = kButtonFace;
  forms::Font font_;
  bool visible_ = true;
  bool enabled_ = true;
  Text toolTip_;
  forms::Bounds bounds_;
  int tabIndex_ = -1;
};

class Label : public Control {
 public:
  explicit Label(Form& form) : Control(form, ControlKind::Label) {}
  bool Centered() const { return centered_; }
  void SetCentered(bool centered) { centered_ = centered; }

 private:
  bool centered_ = false;
};

class Button : public Control {
 public:
  explicit Button(Form& form) : Control(form, ControlKind::Button) {}
  forms::Picture Picture() const { return picture_; }
  void SetPicture(forms::Picture picture);

  std::function<void()> onClick;

 private:
  forms::Picture picture_ = forms::Picture::None;
};

class TextBox : public Control {
 public:
  explicit TextBox(Form& form);
  const Text& GetText() const { return Caption(); }
  void SetText(TextView text);                             // raises onChange when the text differs
  char16_t PasswordChar() const { return passwordChar_; }  // 0: shown in clear
  void SetPasswordChar(char16_t passwordChar);
  int MaxLength() const { return maxLength_; }  // 0: no limit
  void SetMaxLength(int maxLength);
  bool ImeOff() const { return imeOff_; }
  void SetImeOff(bool imeOff);
  bool MultiLine() const { return multiLine_; }  // multi-line with both scroll bars
  void SetMultiLine(bool multiLine);

  // An empty box that shows "*" for every typed character, takes at most maxLength characters
  // and keeps the input method off, as every password box does.
  void DesignAsPasswordBox(int maxLength);

  // What the user typed, as the window system reports it: the new whole text.
  void UserEdited(TextView text);

  std::function<void()> onChange;
  // A typed character; the handler may set it to 0 to swallow it.
  std::function<void(char16_t&)> onKeyPress;

 private:
  char16_t passwordChar_ = 0;
  int maxLength_ = 0;
  bool imeOff_ = false;
  bool multiLine_ = false;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(Form& form) : Control(form, ControlKind::CheckBox) {}
  int Value() const { return value_; }  // 0 clear, 1 ticked
  void SetValue(int value);

 private:
  int value_ = 0;
};

class Timer : public Control {
 public:
  explicit Timer(Form& form);
  int Interval() const { return interval_; }  // milliseconds
  void SetInterval(int interval);
  bool On() const { return Enabled(); }
  // Switching a timer on restarts its interval; switching it off stops it.
  void SetOn(bool on);

  std::function<void()> onTick;
  bool inTick = false;  // a tick never re-enters its own handler

 private:
  int interval_ = 0;
};

}  // namespace orlimo::forms
