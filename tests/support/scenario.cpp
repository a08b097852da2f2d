#include "support/scenario.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "app/frmMain.h"
#include "base/path.h"
#include "records/encript.h"
#include "records/registry_access.h"
#include "records/sound_cue.h"

namespace orlimo::testing {
namespace {

std::filesystem::path NewTemporaryFolder() {
  static std::atomic<int> counter{0};
  // Memory-backed when the machine has it: every metering step flushes Setup.ini to the disk.
  std::error_code error;
  auto base = std::filesystem::is_directory("/dev/shm", error)
                  ? std::filesystem::path("/dev/shm")
                  : std::filesystem::temp_directory_path();
  auto folder =
      base / ("orlimo-scenario-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

Text U(const std::string& utf8) {
  return FromUtf8(utf8);
}
std::string S(const Text& text) {
  return ToUtf8(text);
}

Scenario::Scenario(const DateTimeFields& start)
    : clock(start),
      calls(clock),
      sound(calls),
      registry(calls),
      system(calls),
      renderer(clock),
      folder_(NewTemporaryFolder().u16string()),
      services_{clock, codePage, sound, registry, system},
      program_(std::make_unique<Program>(folder_, folder_, services_, renderer)) {
  Text startup = InFolder(folder_, u"startup");
  std::filesystem::create_directories(FsPath(startup));
  registry.values[Registry::kCommonStartupPath] = startup;
}

Scenario::~Scenario() {
  renderer.Stop();
  program_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(FsPath(folder_), ignored);
}

frmMain& Scenario::main() {
  return program_->MainWindow();
}

std::string Scenario::Folder() const {
  return S(folder_);
}

void Scenario::WriteFamily(const std::vector<Child>& children, bool passwordsInUse,
                           const std::string& parentPassword) {
  Settings settings;
  DateValue today = DateFromFields(clock.Now());
  for (std::size_t i = 0; i < children.size(); ++i) {
    UserEntry& user = settings.User(static_cast<int>(i));
    user.Name = U(children[i].name);
    user.LimitMinutes = children[i].limitMinutes;
    user.UsedSeconds = children[i].usedSeconds;
    user.UsedMinutes = static_cast<std::int32_t>(children[i].usedSeconds / 60);
    user.Password = U(children[i].password);
    user.Day = today;
  }
  settings.UserCount = static_cast<std::int16_t>(children.size()) - 1;
  settings.PasswordsInUse = passwordsInUse ? 1 : 0;
  settings.ParentPassword = U(parentPassword);
  WriteSettings(settings);
}

void Scenario::WriteSettings(const Settings& settings) {
  Main::SaveSettings(settings, folder_);
}

void Scenario::PlaceSoundFiles() {
  for (const char16_t* name : {Main::kChimes, Main::kButton, Main::kCashRegister, Main::kGlass}) {
    std::ofstream(FsPath(InFolder(folder_, name))) << "RIFF";
  }
}

void Scenario::Start() {
  renderer.Start([this] { program_->Run(); });
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

std::string Scenario::LogBytes() const {
  return ReadBytes(FsPath(InFolder(folder_, Main::kLogFileName)));
}

std::vector<std::string> Scenario::LogLinesWithStamps() const {
  std::vector<std::string> lines;
  for (const std::string& line : SplitLines(LogBytes())) lines.push_back(S(codePage.Decode(line)));
  return lines;
}

std::vector<std::string> Scenario::LogLines() const {
  std::vector<std::string> lines;
  for (const std::string& line : LogLinesWithStamps()) {
    lines.push_back(line.size() > 20 ? line.substr(20) : line);
  }
  return lines;
}

bool Scenario::SettingsFileExists() const {
  return std::filesystem::exists(FsPath(InFolder(folder_, Main::kSettingsFileName)));
}

std::string Scenario::SettingsBytes() const {
  return ReadBytes(FsPath(InFolder(folder_, Main::kSettingsFileName)));
}

std::vector<std::string> Scenario::SettingsRecords() const {
  std::vector<std::string> records;
  for (const std::string& line : SplitLines(SettingsBytes())) {
    records.push_back(S(Encript::UnscrambleLine(U(line))));
  }
  return records;
}

Settings Scenario::SettingsOnDisk() const {
  auto copy = NewTemporaryFolder();
  std::filesystem::copy_file(FsPath(InFolder(folder_, Main::kSettingsFileName)),
                             copy / "Setup.ini");
  Settings settings;
  Main::LoadSettings(settings, copy.u16string());
  std::filesystem::remove_all(copy);
  return settings;
}

std::vector<std::string> Scenario::CuesPlayed() const {
  std::vector<std::string> names;
  for (const Text& path : sound.Played()) {
    names.push_back(S(path.substr(path.find_last_of(u"/\\") + 1)));
  }
  return names;
}

}  // namespace orlimo::testing
