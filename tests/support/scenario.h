// A whole program in a temporary folder, on virtual time, driven step by step by a test: portable,
// hosting the rules itself over the files beside it, or guarded, asking a real guard over an
// in-memory channel, the guard keeping the family's files in a data folder of its own. Both run
// on the same virtual clock, so a story reads the same in both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "program/program.h"
#include "records/family_days.h"
#include "platform/fake/cp949.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_guard_host.h"
#include "platform/fake/fake_services.h"
#include "support/family.h"
#include "support/test_folder.h"
#include "support/virtual_renderer.h"

namespace orlimo {
class frmChangeUser;
class frmSetup;
}  // namespace orlimo

namespace orlimo::guard {
class Guard;
class InMemoryChannel;
}  // namespace orlimo::guard

namespace orlimo::testing {

enum class Host { Portable, Guarded };

// The guard's clock: the scenario's virtual time, in Korea's time zone.
class ScenarioSystemClock : public platform::SystemClock {
 public:
  explicit ScenarioSystemClock(const fake::FakeClock& clock) : clock_(clock) {}
  std::int64_t UtcSeconds() const override {
    return SecondsFromFields(clock_.Now()) - kKoreaSeconds;
  }
  std::int64_t ZoneOffsetSeconds() const override { return kKoreaSeconds; }
  std::int64_t SteadyMs() const override { return clock_.ElapsedMs(); }
  static constexpr std::int64_t kKoreaSeconds = 9 * 3600;

 private:
  const fake::FakeClock& clock_;
};

class Scenario {
 public:
  static constexpr DateTimeFields kDefaultStart{2026, 12, 6, 15, 0, 0};
  // Where the guard finds the program it keeps running in the session.
  static constexpr char16_t kGuardedProgram[] = u"C:\\Program Files\\Orlimo\\Orlimo.exe";
  static constexpr platform::SessionId kSession = 1;

  explicit Scenario(Host host = Host::Portable, const DateTimeFields& start = kDefaultStart);
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  // Before the start: the family in Setup.ini, counted today.
  void WriteFamily(const std::vector<Child>& children, bool passwordsInUse = false,
                   const std::string& parentPassword = "5927");
  void WriteSettings(const Settings& settings);
  // Places the four cue files in the program's folder.
  void PlaceSoundFiles();

  // Guarded, the guard starts first, over the data folder as the test left it.
  void Start();
  // WriteFamily, then Start.
  void StartWith(const std::vector<Child>& children, bool passwordsInUse = false,
                 const std::string& parentPassword = "5927");
  void AdvanceSeconds(double seconds);
  void AdvanceMs(std::int64_t ms);
  // Runs an action on the program's thread, as a window event.
  void Do(std::function<void()> action);
  void Click(forms::Button& button);
  void ClickForm(forms::Form& form);
  void Close(forms::Form& form);
  void Type(forms::TextBox& box, const std::string& text);
  void PressEnter(forms::TextBox& box);
  // Replaces the whole text of a box, as a user would by selecting it and typing.
  void Edit(forms::TextBox& box, const std::string& text);
  // The parent's way into the setup console: the Setup button, the password, OK.
  frmSetup& OpenConsole(const std::string& parentPassword = "5927");
  // A child's way in: the name's button, the password, OK.
  frmChangeUser& ChooseUser(int user, const std::string& password);

  Program& program() { return *program_; }
  frmMain& main();
  bool Ended() const { return renderer.ProgramFinished(); }

  // What the program (or the guard) left behind in the family's data folder.
  // The log's lines without time stamps, as UTF-8; without the guard's own lines ("보호: ...").
  std::vector<std::string> LogLines() const;
  // The guard's own lines ("보호: ..."), written in either host.
  std::vector<std::string> GuardLines() const;
  std::vector<std::string> LogLinesWithStamps() const;
  std::string LogBytes() const;
  std::string SettingsBytes() const;
  // Reads Setup.ini as the next start would.
  Settings SettingsOnDisk() const;
  // Family.ini, for the family in Setup.ini: written before the start, read back after.
  void WriteDays(const FamilyDays& days) const;
  FamilyDays DaysOnDisk() const;
  // The file names of the cues that started playing, in order.
  std::vector<std::string> CuesPlayed() const;
  std::string Folder() const;
  // The files of the program's folder, to set up or read back.
  const TestFolder& Files() const { return folder_; }
  // The family's data folder: the program's own folder, or the guard's.
  const TestFolder& Data() const { return host_ == Host::Guarded ? guardData_ : folder_; }
  Host host() const { return host_; }
  // Guarded: the program never opened the family's files itself.
  bool ProgramFolderHoldsNoFamilyFile() const;
  // Whether the PC is to power off: the program asked Windows, or the guard powered off.
  bool PoweredOff() const;
  // The guard's sessions (guarded only).
  fake::FakeSessionHost& Sessions() { return sessions_; }

  fake::FakeClock clock;
  fake::Cp949CodePage codePage;
  fake::FakeSound sound;
  fake::FakeRegistry registry;
  fake::FakeSystem system;
  VirtualRenderer renderer;

 private:
  Host host_ = Host::Portable;
  TestFolder folder_;
  platform::Services services_;
  TestFolder guardData_;
  ScenarioSystemClock systemClock_{clock};
  fake::FakeSessionHost sessions_;
  std::unique_ptr<guard::Guard> guard_;
  std::unique_ptr<guard::InMemoryChannel> channel_;
  std::unique_ptr<Program> program_;
};

// Text helpers for assertions.
Text U(const std::string& utf8);
std::string S(const Text& text);

}  // namespace orlimo::testing
