// The program commands of the setup console: pause, removal and the parent password.
#include "console/frmSetup.h"
#include "console/new_password.h"
#include "enforce/ProcessCheck.h"

namespace orlimo {
namespace {

constexpr char16_t kAskPause[] = u"컴퓨터 재시작 될때 까지 본 프로그램을 중단합니까?";
constexpr char16_t kAskUninstall[] = u"정말 본 프로그램을 제거 할까요?";
constexpr char16_t kUninstalled[] =
    u"시작시 기동을 제거했습니다. 확인후 제어반-프로그램추가제거에서 Orlimo를 제거 하십시오.";
constexpr char16_t kAskNewPassword[] = u"변경할 암호를 입력하십시오!";
constexpr char16_t kAskPasswordAgain[] = u"재확인 합니다. 재 입력 바랍니다.";
constexpr char16_t kPasswordsDiffer[] = u"암호가 서로 틀립니다. 재시도 하십시오.";
constexpr char16_t kPasswordNotStored[] =
    u"새 암호를 저장하지 못했습니다. 암호는 바뀌지 않았습니다. 다시 시도하십시오.";
constexpr char16_t kKnownPassword[] =
    u"처음 암호(5927)는 누구나 알 수 있습니다. 다른 암호를 입력하십시오.";
constexpr char16_t kAskFirstPassword[] =
    u"부모님 암호를 새로 정해야 합니다. 새 암호를 입력하십시오!";

constexpr unsigned kInformation = forms::kMbOk | forms::kMbIconInformation;

}  // namespace

void frmSetup::cmdPAUSE_Click() {
  if (program_.runtime.MessageBox(kAskPause, forms::kMbYesNo) != forms::MessageBoxAnswer::Yes) {
    return;
  }
  program_.supervision().Pause();
  program_.runtime.End();
}

void frmSetup::cmdUninstall_Click() {
  if (program_.runtime.MessageBox(kAskUninstall, forms::kMbYesNo, forms::kAppTitle) !=
      forms::MessageBoxAnswer::Yes) {
    return;
  }
  program_.supervision().Remove();
  program_.runtime.MessageBox(kUninstalled, forms::kMbOk);
  ProcessCheck::KillProcessByName(program_.services.system, ProcessCheck::kCompanionName);
  program_.runtime.End();
}

void frmSetup::cmdChangePassword_Click() {
  AskNewParentPassword(kAskNewPassword);
}

frmSetup::NewPasswordAnswer frmSetup::AskNewParentPassword(TextView prompt) {
  Text password = AskMasked(prompt);
  if (Trim(password).empty()) return NewPasswordAnswer::NoneGiven;
  if (std::optional<Text> problem = NewPassword::Problem(password)) {
    program_.runtime.MessageBox(*problem, kInformation);
    return NewPasswordAnswer::NotStored;
  }
  if (AskMasked(kAskPasswordAgain) != password) {
    program_.runtime.MessageBox(kPasswordsDiffer, kInformation);
    return NewPasswordAnswer::NotStored;
  }
  switch (program_.supervision().SetParentPassword(password).verdict) {
    case Verdict::Done:
      return NewPasswordAnswer::Stored;
    case Verdict::Refused:
      program_.runtime.MessageBox(kKnownPassword, kInformation);
      return NewPasswordAnswer::NotStored;
    default:
      program_.runtime.MessageBox(kPasswordNotStored, kInformation);
      return NewPasswordAnswer::NotStored;
  }
}

// A parent password that others know is replaced before the console shows anything; the console
// closes when the parent gives none.
bool frmSetup::RenewKnownParentPassword() {
  while (true) {
    switch (AskNewParentPassword(kAskFirstPassword)) {
      case NewPasswordAnswer::Stored:
        return true;
      case NewPasswordAnswer::NoneGiven:
        return false;
      case NewPasswordAnswer::NotStored:
        break;
    }
  }
}

}  // namespace orlimo
