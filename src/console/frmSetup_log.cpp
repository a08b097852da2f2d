// The usage-log viewer of the setup console: show, hide, write back, empty.
#include <stdexcept>

#include "console/frmSetup.h"
#include "console/log_view.h"
#include "console/setup_texts.h"

namespace orlimo {
namespace {

constexpr char16_t kCloseLogs[] = u"사용기록 닫기";
constexpr char16_t kLogsFailed[] = u"사용자기록 보기";

}  // namespace

void frmSetup::cmdSeeLogs_Click() {
  try {
    tMsg.SetVisible(!tMsg.Visible());
    if (tMsg.Visible()) {
      ShowLog();
    } else {
      HideLog();
    }
  } catch (const std::exception&) {
    cmdSeeLogs.SetCaption(kLogsFailed);
  }
}

void frmSetup::ShowLog() {
  cmdDelSave.SetVisible(true);
  cmdSave.SetVisible(true);
  tMsg.SetVisible(false);
  tMsg.SetBounds({90, 510, Bounds().width - 300, Bounds().height - 1000});
  std::vector<Text> lines = program_.supervision().ReadLogLines();
  tMsg.SetText(LogView::DisplayText(lines));
  cmdSeeLogs.SetCaption(kCloseLogs);
  ShowGridExtras(false);
  tMsg.SetVisible(true);
}

void frmSetup::HideLog() {
  cmdSeeLogs.SetCaption(SetupTexts::kSeeLogs);
  cmdDelSave.SetVisible(false);
  cmdSave.SetVisible(false);
  ShowGridExtras(true);
}

// The clock line, the note on the grid and the rows' day buttons would show through the log, which
// covers the grid.
void frmSetup::ShowGridExtras(bool show) {
  lDate.SetVisible(show);
  Label5.SetVisible(show);
  for (int r = 0; r < kMaxUsers; ++r) cmdDays[r].SetVisible(show && r <= program_.view.UserCount());
}

void frmSetup::cmdSave_Click() {
  program_.supervision().RewriteLog(LogView::LogText(tMsg.GetText()));
}

void frmSetup::cmdDelSave_Click() {
  tMsg.SetText(u"");
  program_.supervision().RewriteLog(u"");
}

}  // namespace orlimo
