#include "forms/control.h"

#include "forms/form.h"

namespace orlimo::forms {

Control::Control(Form& form, ControlKind kind)
    : form_(form), kind_(kind), id_(form.Register(*this)) {}

void Control::Changed(Property property) {
  form_.ControlChanged(*this, property);
}

template <typename T>
static bool Assign(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

void Control::SetCaption(TextView caption) {
  if (Assign(caption_, Text(caption))) Changed(Property::Caption);
}
void Control::SetForeColor(Color color) {
  if (Assign(foreColor_, color)) Changed(Property::ForeColor);
}
void Control::SetBackColor(Color color) {
  if (Assign(backColor_, color)) Changed(Property::BackColor);
}
void Control::SetFont(const forms::Font& font) {
  if (Assign(font_, font)) Changed(Property::Font);
}
void Control::SetVisible(bool visible) {
  if (Assign(visible_, visible)) Changed(Property::Visible);
}
void Control::SetEnabled(bool enabled) {
  if (Assign(enabled_, enabled)) Changed(Property::Enabled);
}
void Control::SetToolTip(TextView toolTip) {
  if (Assign(toolTip_, Text(toolTip))) Changed(Property::ToolTip);
}
void Control::SetBounds(const forms::Bounds& bounds) {
  if (Assign(bounds_, bounds)) Changed(Property::Bounds);
}
void Control::SetTabIndex(int tabIndex) {
  if (Assign(tabIndex_, tabIndex)) Changed(Property::TabIndex);
}

void Button::SetPicture(forms::Picture picture) {
  if (Assign(picture_, picture)) Changed(Property::Picture);
}

TextBox::TextBox(Form& form) : Control(form, ControlKind::TextBox) {
  SetForeColor(kWindowText);
  SetBackColor(kWindowBackground);
}

void TextBox::SetText(TextView text) {
  if (text == Caption()) return;
  SetCaption(text);
  if (onChange && Owner().Loaded()) onChange();
}

void TextBox::UserEdited(TextView text) {
  Text limited(text);
  if (maxLength_ > 0 && limited.size() > static_cast<std::size_t>(maxLength_)) {
    limited.resize(static_cast<std::size_t>(maxLength_));
  }
  SetText(limited);
}

void TextBox::DesignAsPasswordBox(int maxLength) {
  SetText(u"");
  SetPasswordChar(u'*');
  SetMaxLength(maxLength);
  SetImeOff(true);
}

void TextBox::SetPasswordChar(char16_t passwordChar) {
  if (Assign(passwordChar_, passwordChar)) Changed(Property::PasswordChar);
}
void TextBox::SetMaxLength(int maxLength) {
  if (Assign(maxLength_, maxLength)) Changed(Property::MaxLength);
}
void TextBox::SetImeOff(bool imeOff) {
  if (Assign(imeOff_, imeOff)) Changed(Property::ImeOff);
}
void TextBox::SetMultiLine(bool multiLine) {
  if (Assign(multiLine_, multiLine)) Changed(Property::MultiLine);
}

void CheckBox::SetValue(int value) {
  if (Assign(value_, value)) Changed(Property::Value);
}

Timer::Timer(Form& form) : Control(form, ControlKind::Timer) {
  SetEnabled(false);
}

void Timer::SetInterval(int interval) {
  if (Assign(interval_, interval)) Changed(Property::Interval);
}

void Timer::SetOn(bool on) {
  SetEnabled(on);
}

}  // namespace orlimo::forms
