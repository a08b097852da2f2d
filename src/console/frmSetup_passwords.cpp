// Showing and masking the password column of the setup console.
#include "app/NewInputBox.h"
#include "program/shared_texts.h"
#include "console/frmSetup.h"
#include "console/setup_texts.h"

namespace orlimo {
namespace {

constexpr char16_t kAskParentPassword[] = u"부모님 암호를 입력하십시오";

}  // namespace

Text frmSetup::AskMasked(TextView prompt) {
  NewInputBox::ArmMaskInputBox(*this);
  return program_.runtime.InputBox(Text(prompt));
}

void frmSetup::cmdSeeNoSee_Click() {
  if (tUserPWD[0].PasswordChar() != u'*') {
    cmdSeeNoSee.SetCaption(SetupTexts::kShowPasswords);
    SetPasswordsMasked(true);
    return;
  }
  if (AskMasked(kAskParentPassword) != program_.settings.ParentPassword) return;
  cmdSeeNoSee.SetCaption(SharedTexts::kHide);
  SetPasswordsMasked(false);
}

void frmSetup::SetPasswordsMasked(bool masked) {
  for (forms::TextBox& box : tUserPWD) box.SetPasswordChar(masked ? u'*' : 0);
}

}  // namespace orlimo
