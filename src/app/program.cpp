#include "app/program.h"

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "app/frmSmall.h"
#include "base/path.h"
#include "console/frmChangePWD.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "enforce/DialogEnd.h"
#include "records/sound_cue.h"

namespace orlimo {

Program::Program(Text familyDataFolder, Text ownFolder, platform::Services& platformServices,
                 forms::Renderer& renderer)
    : dataFolder(std::move(familyDataFolder)),
      programFolder(std::move(ownFolder)),
      services(platformServices),
      runtime(renderer),
      log{dataFolder, services.clock, services.codePage},
      main_(std::make_unique<frmMain>(*this)),
      small_(std::make_unique<frmSmall>(*this)),
      dialogEnd_(std::make_unique<DialogEnd>(*this)),
      userPrompt_(std::make_unique<frmChangeUser>(*this)),
      parentPrompt_(std::make_unique<frmMastPWD>(*this)),
      setupConsole_(std::make_unique<frmSetup>(*this)),
      passwordDialog_(std::make_unique<frmChangePWD>(*this)) {}

Program::~Program() = default;

void Program::Run() {
  main_->Show();
  runtime.RunUntilAllUnloaded();
  forms::Runtime::Guarded([this] { main_->Form_Terminate(); });
}

void Program::SessionEnding() {
  main_->Unload();
}

void Program::WriteLog(TextView text) const {
  Main::WriteLog(log, text);
}

void Program::UsageSummary(TextView word) const {
  Main::UsageSummary(log, settings, word, LogUser());
}

void Program::PlayCue(TextView fileName) const {
  Main::PlaySound(services.sound, InFolder(programFolder, fileName));
}

void Program::SaveSettings() const {
  if (settingsRead) Main::SaveSettings(settings, dataFolder);
}

}  // namespace orlimo
