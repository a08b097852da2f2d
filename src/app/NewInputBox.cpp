#include "app/NewInputBox.h"

#include "forms/runtime.h"

namespace orlimo::NewInputBox {

void ArmMaskInputBox(forms::Form& owner) {
  owner.GetRuntime().GetRenderer().ArmInputBoxMask(owner);
}

}  // namespace orlimo::NewInputBox
