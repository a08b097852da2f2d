// A whole program in a temporary folder, on virtual time, driven step by step by a test.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "program/program.h"
#include "platform/fake/cp949.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"
#include "support/family.h"
#include "support/test_folder.h"
#include "support/virtual_renderer.h"

namespace orlimo {
class frmChangeUser;
class frmSetup;
}  // namespace orlimo

namespace orlimo::testing {

class Scenario {
 public:
  static constexpr DateTimeFields kDefaultStart{2026, 12, 6, 15, 0, 0};

  explicit Scenario(const DateTimeFields& start = kDefaultStart);
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  // Before the start: the family in Setup.ini, counted today.
  void WriteFamily(const std::vector<Child>& children, bool passwordsInUse = false,
                   const std::string& parentPassword = "5927");
  void WriteSettings(const Settings& settings);
  // Places the four cue files in the program's folder.
  void PlaceSoundFiles();
  // Before the start: the family's data is kept by <records> instead of this folder's files.
  void UseRecords(std::unique_ptr<FamilyRecords> records);

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
  // The wall clock jumps without virtual time passing.
  void ShiftClockSeconds(std::int64_t seconds) { clock.ShiftSeconds(seconds); }

  Program& program() { return *program_; }
  frmMain& main();
  bool Ended() const { return renderer.ProgramFinished(); }

  // What the program left behind.
  std::vector<std::string> LogLines() const;  // without time stamps, as UTF-8
  std::vector<std::string> LogLinesWithStamps() const;
  std::string LogBytes() const;
  std::string SettingsBytes() const;
  // The record lines of Setup.ini, unscrambled, as UTF-8.
  std::vector<std::string> SettingsRecords() const;
  // Reads Setup.ini as the next start would.
  Settings SettingsOnDisk() const;
  // The file names of the cues that started playing, in order.
  std::vector<std::string> CuesPlayed() const;
  std::string Folder() const;
  Text FolderText() const { return folder_.folder(); }
  // The files of the program's folder, to set up or read back.
  const TestFolder& Files() const { return folder_; }

  fake::FakeClock clock;
  fake::Cp949CodePage codePage;
  fake::FakeSound sound;
  fake::FakeRegistry registry;
  fake::FakeSystem system;
  VirtualRenderer renderer;

 private:
  TestFolder folder_;
  platform::Services services_;
  std::unique_ptr<Program> program_;
};

// Text helpers for assertions.
Text U(const std::string& utf8);
std::string S(const Text& text);

}  // namespace orlimo::testing
