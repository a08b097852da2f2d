// Masking of the standard input box: the next box shows "*" for every typed character.
#pragma once

#include "forms/form.h"

namespace orlimo::NewInputBox {

// Arms the one-shot masking of the input box that the owner's window opens next. Call it
// immediately before each input box that asks for a password.
void ArmMaskInputBox(forms::Form& owner);

}  // namespace orlimo::NewInputBox
