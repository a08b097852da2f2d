#include "app/program.h"

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "app/frmNotice.h"
#include "app/frmSmall.h"
#include "base/path.h"
#include "console/frmChangePWD.h"
#include "console/frmChildDays.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "enforce/DialogEnd.h"
#include "records/sound_cue.h"

namespace orlimo {

Program::Program(Text programFolder, platform::Services& platformServices,
                 forms::Renderer& renderer)
    : folder(std::move(programFolder)),
      services(platformServices),
      runtime(renderer),
      log{folder, services.clock, services.codePage},
      main_(std::make_unique<frmMain>(*this)),
      small_(std::make_unique<frmSmall>(*this)),
      dialogEnd_(std::make_unique<DialogEnd>(*this)),
      userPrompt_(std::make_unique<frmChangeUser>(*this)),
      parentPrompt_(std::make_unique<frmMastPWD>(*this)),
      setupConsole_(std::make_unique<frmSetup>(*this)),
      passwordDialog_(std::make_unique<frmChangePWD>(*this)),
      notice_(std::make_unique<frmNotice>(*this)),
      childDays_(std::make_unique<frmChildDays>(*this)) {}

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

// The figures of the day's allowance, extra minutes and weekday allowance included.
void Program::UsageSummary(TextView word) const {
  UserEntry user = settings.User(LogUser());
  user.LimitMinutes = DayAllowance(LogUser());
  Main::WriteLog(log, Main::UsageLine(word, user));
}

void Program::PlayCue(TextView fileName) const {
  Main::PlaySound(services.sound, InFolder(folder, fileName));
}

void Program::SaveSettings() const {
  if (settingsRead) Main::SaveSettings(settings, folder);
}

void Program::SaveFamily() const {
  if (!settingsRead) return;
  try {
    Main::SaveFamilyDays(family, settings, folder, services.codePage);
  } catch (const std::exception&) {
  }
}

DayNumber Program::Today() const {
  return Main::DayOf(DateFromFields(services.clock.Now()));
}

std::int32_t Program::DayAllowance(int user) const {
  return Main::DayAllowance(settings.User(user), family.at(static_cast<std::size_t>(user)),
                            Today());
}

void Program::RecordUsageOfTheDay() {
  const DayNumber today = Today();
  for (int u = 0; u <= settings.UserCount && u < kMaxUsers; ++u) {
    const UserEntry& user = settings.User(u);
    ChildDays& days = family[static_cast<std::size_t>(u)];
    const DayNumber day = Main::DayOf(user.Day);
    Main::RecordUsage(days, day, user.UsedMinutes, Main::DayAllowance(user, days, day), today);
  }
}

}  // namespace orlimo
