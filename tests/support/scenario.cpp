#include "support/scenario.h"

#include <filesystem>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "guard/guard.h"
#include "guard/guard_supervision.h"
#include "guard/in_memory_channel.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "base/path.h"
#include "records/registry_access.h"
#include "records/sound_cue.h"

namespace orlimo::testing {

Text U(const std::string& utf8) {
  return FromUtf8(utf8);
}
std::string S(const Text& text) {
  return ToUtf8(text);
}

Scenario::Scenario(Host host, const DateTimeFields& start)
    : clock(start),
      renderer(clock),
      host_(host),
      services_{clock, codePage, sound, registry, system},
      program_(std::make_unique<Program>(folder_.folder(), folder_.folder(), services_, renderer)) {
  Text startup = InFolder(folder_.folder(), u"startup");
  std::filesystem::create_directories(FsPath(startup));
  registry.values[Registry::kCommonStartupPath] = startup;
}

Scenario::~Scenario() {
  renderer.Stop();
  program_.reset();
  channel_.reset();
  guard_.reset();
}

bool Scenario::ProgramFolderHoldsNoFamilyFile() const {
  return !folder_.Exists(Main::kSettingsFileName) && !folder_.Exists(Main::kLogFileName) &&
         !folder_.Exists(Main::kFamilyFileName);
}

bool Scenario::PoweredOff() const {
  return host_ == Host::Guarded ? sessions_.powerOffs > 0 : system.exitRequested;
}

frmMain& Scenario::main() {
  return program_->MainWindow();
}

std::string Scenario::Folder() const {
  return S(folder_.folder());
}

void Scenario::WriteFamily(const std::vector<Child>& children, bool passwordsInUse,
                           const std::string& parentPassword) {
  WriteSettings(
      FamilySettings(children, passwordsInUse, parentPassword, DateFromFields(clock.Now())));
}

void Scenario::WriteSettings(const Settings& settings) {
  Main::SaveSettings(settings, Data().folder());
}

void Scenario::PlaceSoundFiles() {
  for (const char16_t* name : {Main::kChimes, Main::kButton, Main::kCashRegister, Main::kGlass}) {
    folder_.Write(name, "RIFF");
  }
}

void Scenario::Start() {
  if (host_ == Host::Guarded) {
    sessions_.sessions.insert(kSession);
    sessions_.programs[kSession].push_back(kGuardedProgram);
    guard_ = std::make_unique<guard::Guard>(
        guard::GuardPlatform{systemClock_, sessions_, registry, codePage}, guardData_.folder(),
        kGuardedProgram);
    guard_->Poll();
    channel_ = std::make_unique<guard::InMemoryChannel>(*guard_, kSession);
    program_ = std::make_unique<Program>(std::make_unique<guard::GuardSupervision>(*channel_),
                                         folder_.folder(), services_, renderer);
  }
  renderer.Start([this] { program_->Run(); });
}

void Scenario::StartWith(const std::vector<Child>& children, bool passwordsInUse,
                         const std::string& parentPassword) {
  WriteFamily(children, passwordsInUse, parentPassword);
  Start();
}

void Scenario::AdvanceSeconds(double seconds) {
  renderer.Advance(static_cast<std::int64_t>(seconds * 1000));
}

void Scenario::AdvanceMs(std::int64_t ms) {
  renderer.Advance(ms);
}

void Scenario::Do(std::function<void()> action) {
  renderer.Do(std::move(action));
}

void Scenario::Click(forms::Button& button) {
  Do([&button] { button.Owner().GetRuntime().DispatchClick(button); });
}

void Scenario::ClickForm(forms::Form& form) {
  Do([&form] { form.GetRuntime().DispatchFormClick(form); });
}

void Scenario::Close(forms::Form& form) {
  Do([&form] { form.GetRuntime().DispatchClose(form); });
}

void Scenario::Type(forms::TextBox& box, const std::string& text) {
  Text typed = U(text);
  Do([&box, typed] {
    auto& runtime = box.Owner().GetRuntime();
    for (char16_t character : typed) {
      char16_t key = character;
      runtime.DispatchKeyPress(box, key);
      if (key != 0) runtime.DispatchEdit(box, box.GetText() + key);
    }
  });
}

void Scenario::PressEnter(forms::TextBox& box) {
  Do([&box] {
    char16_t key = u'\r';
    box.Owner().GetRuntime().DispatchKeyPress(box, key);
  });
}

void Scenario::Edit(forms::TextBox& box, const std::string& text) {
  Text typed = U(text);
  Do([&box, typed] { box.Owner().GetRuntime().DispatchEdit(box, typed); });
}

frmSetup& Scenario::OpenConsole(const std::string& parentPassword) {
  Click(main().cmdSetup);
  frmMastPWD& prompt = program_->ParentPrompt();
  Type(prompt.tPassword, parentPassword);
  Click(prompt.cmdOK);
  return program_->SetupConsole();
}

frmChangeUser& Scenario::ChooseUser(int user, const std::string& password) {
  Click(main().cmdUser[user]);
  frmChangeUser& prompt = program_->UserPrompt();
  Type(prompt.tPassword, password);
  Click(prompt.cmdOK);
  return prompt;
}

std::string Scenario::LogBytes() const {
  return Data().Bytes(Main::kLogFileName);
}

std::vector<std::string> Scenario::LogLinesWithStamps() const {
  std::vector<std::string> lines;
  for (const Text& line : SplitLines(codePage.Decode(LogBytes()))) lines.push_back(S(line));
  return lines;
}

std::vector<std::string> Scenario::LogLines() const {
  std::vector<std::string> lines;
  for (const std::string& line : LogLinesWithStamps()) {
    std::string text = line.size() > 20 ? line.substr(20) : line;
    if (!text.starts_with("보호:")) lines.push_back(std::move(text));
  }
  return lines;
}

std::vector<std::string> Scenario::GuardLines() const {
  std::vector<std::string> lines;
  for (const std::string& line : LogLinesWithStamps()) {
    if (line.size() > 20 && line.substr(20).starts_with("보호:")) lines.push_back(line.substr(20));
  }
  return lines;
}

std::string Scenario::SettingsBytes() const {
  return Data().Bytes(Main::kSettingsFileName);
}

Settings Scenario::SettingsOnDisk() const {
  TestFolder copy;
  copy.Write(Main::kSettingsFileName, SettingsBytes());
  Settings settings;
  Main::LoadSettings(settings, copy.folder());
  return settings;
}

void Scenario::WriteDays(const FamilyDays& days) const {
  Main::SaveFamilyDays(days, SettingsOnDisk(), Data().folder());
}

FamilyDays Scenario::DaysOnDisk() const {
  return Main::LoadFamilyDays(SettingsOnDisk(), Data().folder(), codePage);
}

std::vector<std::string> Scenario::CuesPlayed() const {
  std::vector<std::string> names;
  for (const Text& path : sound.Played()) {
    names.push_back(S(path.substr(path.find_last_of(u"/\\") + 1)));
  }
  return names;
}

}  // namespace orlimo::testing
