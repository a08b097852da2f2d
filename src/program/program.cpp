#include "program/program.h"

#include <exception>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "app/frmMoreTime.h"
#include "app/frmNotice.h"
#include "app/frmSmall.h"
#include "base/path.h"
#include "console/frmChangePWD.h"
#include "console/frmChildDays.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "console/frmUsageChart.h"
#include "enforce/DialogEnd.h"
#include "program/local_supervision.h"
#include "records/day_allowance.h"
#include "records/sound_cue.h"

namespace orlimo {

// The portable program keeps the rules itself; the windows, made first, reach them only later.
Program::Program(Text dataFolder, Text ownFolder, platform::Services& platformServices,
                 forms::Renderer& renderer)
    : Program(std::unique_ptr<Supervision>{}, std::move(ownFolder), platformServices, renderer) {
  supervision_ = std::make_unique<LocalSupervision>(std::move(dataFolder), services, runtime);
}

Program::Program(std::unique_ptr<Supervision> supervision, Text ownFolder,
                 platform::Services& platformServices, forms::Renderer& renderer)
    : programFolder(std::move(ownFolder)),
      services(platformServices),
      runtime(renderer),
      supervision_(std::move(supervision)),
      main_(std::make_unique<frmMain>(*this)),
      small_(std::make_unique<frmSmall>(*this)),
      dialogEnd_(std::make_unique<DialogEnd>(*this)),
      userPrompt_(std::make_unique<frmChangeUser>(*this)),
      parentPrompt_(std::make_unique<frmMastPWD>(*this)),
      setupConsole_(std::make_unique<frmSetup>(*this)),
      passwordDialog_(std::make_unique<frmChangePWD>(*this)),
      notice_(std::make_unique<frmNotice>(*this)),
      childDays_(std::make_unique<frmChildDays>(*this)),
      usageChart_(std::make_unique<frmUsageChart>(*this)),
      moreTime_(std::make_unique<frmMoreTime>(*this)) {}

Program::~Program() = default;

void Program::Run() {
  main_->Show();
  runtime.RunUntilAllUnloaded();
  forms::Runtime::Guarded([this] { main_->Form_Terminate(); });
}

void Program::SessionEnding() {
  // Windows may end the process at any moment from here on: the closing steps and the final
  // line run now, and the program ends itself. The companion is not started, as the session it
  // would run in is ending. After the time-out's power-off the windows are gone already, and the
  // program ends as the power-off would end it, without a final line.
  if (!view.ended) {
    if (main_->Loaded()) main_->Unload();
    forms::Runtime::Guarded([this] { supervision_->Released(); });
  }
  runtime.End();
}

void Program::PlayCue(TextView fileName) const {
  Main::PlaySound(services.sound, InFolder(programFolder, fileName));
}

DayNumber Program::Today() const {
  return Main::DayOf(DateFromFields(services.clock.Now()));
}

std::int32_t Program::DayAllowance(int user) const {
  if (user < 0 || static_cast<std::size_t>(user) >= view.users.size()) return 0;
  return view.users[static_cast<std::size_t>(user)].dayAllowance;
}

}  // namespace orlimo
