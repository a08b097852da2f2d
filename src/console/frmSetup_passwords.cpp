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

// The children's passwords come to the console only while the parent has them shown; masked
// again, the boxes the parent did not change go back to their stand-ins.
void frmSetup::cmdSeeNoSee_Click() {
  if (tUserPWD[0].PasswordChar() != u'*') {
    cmdSeeNoSee.SetCaption(SetupTexts::kShowPasswords);
    SetPasswordsMasked(true);
    if (!revealed_) return;
    const std::vector<Text> passwords = std::move(*revealed_);
    revealed_.reset();
    for (int r = 0; r < kMaxUsers && static_cast<std::size_t>(r) < passwords.size(); ++r) {
      if (tUserPWD[r].GetText() == passwords[static_cast<std::size_t>(r)]) {
        tUserPWD[r].SetText(ShownPassword(r));
      }
    }
    return;
  }
  std::optional<std::vector<Text>> passwords =
      program_.supervision().RevealPasswords(AskMasked(kAskParentPassword));
  if (!passwords) return;
  for (int r = 0; r < kMaxUsers && static_cast<std::size_t>(r) < passwords->size(); ++r) {
    if (tUserPWD[r].GetText() == ShownPassword(r)) {
      tUserPWD[r].SetText((*passwords)[static_cast<std::size_t>(r)]);
    }
  }
  revealed_ = std::move(passwords);
  cmdSeeNoSee.SetCaption(SharedTexts::kHide);
  SetPasswordsMasked(false);
}

void frmSetup::SetPasswordsMasked(bool masked) {
  for (forms::TextBox& box : tUserPWD) box.SetPasswordChar(masked ? u'*' : 0);
}

}  // namespace orlimo
