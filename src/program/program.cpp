#include "program/program.h"

#include <exception>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "app/frmNotice.h"
#include "app/frmSmall.h"
#include "base/path.h"
#include "console/frmChangePWD.h"
#include "console/frmChildDays.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "console/frmUsageChart.h"
#include "enforce/DialogEnd.h"
#include "records/folder_records.h"
#include "records/log_words.h"
#include "records/sound_cue.h"

namespace orlimo {

Program::Program(Text dataFolder, Text ownFolder, platform::Services& platformServices,
                 forms::Renderer& renderer)
    : Program(std::make_unique<FolderRecords>(std::move(dataFolder), platformServices.clock,
                                              platformServices.codePage, platformServices.registry),
              std::move(ownFolder), platformServices, renderer) {}

Program::Program(std::unique_ptr<FamilyRecords> familyRecords, Text ownFolder,
                 platform::Services& platformServices, forms::Renderer& renderer)
    : programFolder(std::move(ownFolder)),
      services(platformServices),
      runtime(renderer),
      records_(std::move(familyRecords)),
      main_(std::make_unique<frmMain>(*this)),
      small_(std::make_unique<frmSmall>(*this)),
      dialogEnd_(std::make_unique<DialogEnd>(*this)),
      userPrompt_(std::make_unique<frmChangeUser>(*this)),
      parentPrompt_(std::make_unique<frmMastPWD>(*this)),
      setupConsole_(std::make_unique<frmSetup>(*this)),
      passwordDialog_(std::make_unique<frmChangePWD>(*this)),
      notice_(std::make_unique<frmNotice>(*this)),
      childDays_(std::make_unique<frmChildDays>(*this)),
      usageChart_(std::make_unique<frmUsageChart>(*this)) {}

Program::~Program() = default;

void Program::Run() {
  main_->Show();
  runtime.RunUntilAllUnloaded();
  forms::Runtime::Guarded([this] { main_->Form_Terminate(); });
}

void Program::SessionEnding() {
  // Windows may end the process at any moment from here on: the closing steps and the final
  // line run now, and the program ends itself. The companion is not started, as the session it
  // would run in is ending. After the time-out's power-off request the main window is gone
  // already, and the program ends as that request would end it, without a final line.
  if (main_->Loaded()) {
    main_->Unload();
    forms::Runtime::Guarded([this] { UsageSummary(LogWords::kReleased); });
  }
  runtime.End();
}

void Program::WriteLog(TextView text) const {
  records_->WriteLog(text);
}

// The figures of the day's allowance, extra minutes and weekday allowance included.
void Program::UsageSummary(TextView word) const {
  UserEntry user = settings.User(LogUser());
  user.LimitMinutes = DayAllowance(LogUser());
  records_->WriteLog(Main::UsageLine(word, user));
}

void Program::PlayCue(TextView fileName) const {
  Main::PlaySound(services.sound, InFolder(programFolder, fileName));
}

void Program::LoadSettings() {
  records_->Load(settings);
  settingsRead = true;
}

void Program::SaveSettings() {
  if (!settingsRead) return;
  records_->Save(settings);
}

void Program::SaveSettingsOrLater() {
  try {
    SaveSettings();
  } catch (const std::exception&) {
  }
}

void Program::SaveFamily() const {
  if (!settingsRead) return;
  try {
    records_->SaveFamily(family, settings);
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
