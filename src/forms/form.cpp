#include "forms/form.h"

#include "forms/runtime.h"

namespace orlimo::forms {

Form::Form(Runtime& runtime) : runtime_(runtime) {}

int Form::Register(Control& control) {
  controls_.push_back(&control);
  return static_cast<int>(controls_.size());
}

void Form::Load() {
  if (loaded_) return;
  Design();
  loaded_ = true;
  visible_ = false;
  runtime_.GetRenderer().CreateFormWindow(*this);
  runtime_.FormLoaded(*this);
  for (Control* control : controls_) {
    if (control->Kind() == ControlKind::Timer && control->Enabled()) {
      runtime_.GetRenderer().StartTimer(static_cast<Timer&>(*control));
    }
  }
  Runtime::Guarded([this] { Form_Load(); });
}

void Form::Show(bool modal) {
  Load();
  if (!loaded_) return;  // the load steps unloaded the form again
  visible_ = true;
  modal_ = modal;
  Changed(FormProperty::Visible);
  if (modal) runtime_.RunModal(*this);
}

void Form::Hide() {
  if (!loaded_ || !visible_) return;
  visible_ = false;
  Changed(FormProperty::Visible);
}

void Form::Unload() {
  if (!loaded_ || unloading_) return;
  unloading_ = true;
  Runtime::Guarded([this] { Form_Unload(); });
  for (Control* control : controls_) {
    if (control->Kind() == ControlKind::Timer) {
      runtime_.GetRenderer().StopTimer(static_cast<Timer&>(*control));
    }
  }
  runtime_.GetRenderer().DestroyFormWindow(*this);
  loaded_ = false;
  visible_ = false;
  modal_ = false;
  unloading_ = false;
  runtime_.FormUnloaded(*this);
}

void Form::CloseRequested() {
  Unload();
}

void Form::Clicked() {
  Form_Click();
}

void Form::Placed(const forms::Bounds& bounds) {
  bounds_ = bounds;
}

void Form::SetCaption(TextView caption) {
  if (caption_ == caption) return;
  caption_ = Text(caption);
  Changed(FormProperty::Caption);
}

void Form::SetBounds(const forms::Bounds& bounds) {
  if (bounds_ == bounds) return;
  bounds_ = bounds;
  Changed(FormProperty::Bounds);
}

void Form::SetClientSize(int width, int height) {
  forms::Bounds frame = runtime_.GetRenderer().FrameSize(*this);
  SetBounds({bounds_.left, bounds_.top, width + frame.width, height + frame.height});
}

void Form::CenterOnScreen() {
  ScreenSize screen = runtime_.Screen();
  SetBounds({(screen.width - bounds_.width) / 2, (screen.height - bounds_.height) / 2,
             bounds_.width, bounds_.height});
}

void Form::SetBackColor(Color color) {
  if (backColor_ == color) return;
  backColor_ = color;
  Changed(FormProperty::BackColor);
}

void Form::Changed(FormProperty property) {
  if (loaded_) runtime_.GetRenderer().FormChanged(*this, property);
}

void Form::ControlChanged(Control& control, Property property) {
  if (!loaded_) return;
  if (control.Kind() == ControlKind::Timer &&
      (property == Property::Enabled || property == Property::Interval)) {
    auto& timer = static_cast<Timer&>(control);
    runtime_.GetRenderer().StopTimer(timer);
    if (timer.Enabled()) runtime_.GetRenderer().StartTimer(timer);
    return;
  }
  runtime_.GetRenderer().ControlChanged(control, property);
}

}  // namespace orlimo::forms
