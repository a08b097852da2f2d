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

constexpr unsigned kInformation = forms::kMbOk | forms::kMbIconInformation;

}  // namespace

void frmSetup::cmdPAUSE_Click() {
  if (program_.runtime.MessageBox(kAskPause, forms::kMbYesNo) != forms::MessageBoxAnswer::Yes) {
    return;
  }
  program_.records().Pause();
  program_.runtime.End();
}

void frmSetup::cmdUninstall_Click() {
  if (program_.runtime.MessageBox(kAskUninstall, forms::kMbYesNo, forms::kAppTitle) !=
      forms::MessageBoxAnswer::Yes) {
    return;
  }
  program_.records().Remove();
  program_.runtime.MessageBox(kUninstalled, forms::kMbOk);
  ProcessCheck::KillProcessByName(program_.services.system, ProcessCheck::kCompanionName);
  program_.runtime.End();
}

void frmSetup::cmdChangePassword_Click() {
  Text password = AskMasked(kAskNewPassword);
  if (Trim(password).empty()) return;
  if (std::optional<Text> problem = NewPassword::Problem(password)) {
    program_.runtime.MessageBox(*problem, kInformation);
    return;
  }
  if (AskMasked(kAskPasswordAgain) != password) {
    program_.runtime.MessageBox(kPasswordsDiffer, kInformation);
    return;
  }
  program_.records().SetParentPassword(program_.settings, password);
}

}  // namespace orlimo
