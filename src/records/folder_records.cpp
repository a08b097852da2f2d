#include "records/folder_records.h"

#include <exception>
#include <stdexcept>

#include "base/path.h"
#include "records/file_bytes.h"
#include "records/log_words.h"
#include "records/registry_access.h"

namespace orlimo {

FolderRecords::FolderRecords(Text folder, const platform::Clock& clock,
                             const platform::AnsiCodePage& codePage, platform::Registry& registry)
    : folder_(std::move(folder)), log_{folder_, clock, codePage}, registry_(registry) {}

void FolderRecords::Load(Settings& settings) {
  Main::SettingsRead read = Main::LoadSettings(settings, folder_);
  settingsCopyOwed_ = read == Main::SettingsRead::Held;
  if (read == Main::SettingsRead::Rewritten || read == Main::SettingsRead::Held) {
    WriteLog(LogWords::kSettingsUnreadable);
  }
}

void FolderRecords::Save(const Settings& settings) {
  try {
    if (settingsCopyOwed_) {
      Main::KeepSettingsCopy(folder_);
      settingsCopyOwed_ = false;
    }
    Main::SaveSettings(settings, folder_);
    savingFails_ = false;
  } catch (const std::exception&) {
    // One line when saving starts to fail, not one every 30 s while it goes on failing.
    if (!savingFails_) WriteLog(LogWords::kSettingsNotSaved);
    savingFails_ = true;
    throw;
  }
}

FamilyDays FolderRecords::LoadFamily(const Settings& settings) {
  return Main::LoadFamilyDays(settings, folder_, log_.codePage);
}

void FolderRecords::SaveFamily(const FamilyDays& family, const Settings& settings) {
  Main::SaveFamilyDays(family, settings, folder_);
}

void FolderRecords::WriteLog(TextView line) {
  Main::WriteLog(log_, line);
}

std::optional<Text> FolderRecords::ReadLog() const {
  std::optional<std::string> bytes = ReadWholeFile(InFolder(folder_, Main::kLogFileName));
  if (!bytes) return std::nullopt;
  return log_.codePage.Decode(*bytes);
}

std::vector<Text> FolderRecords::ReadLogLines() const {
  // A CR never occurs inside a double-byte character of the code page, so the lines can be
  // split after decoding.
  std::optional<Text> log = ReadLog();
  if (!log) throw std::runtime_error("the log cannot be read");
  return SplitLines(*log);
}

void FolderRecords::RewriteLog(TextView text) {
  Main::WriteWholeLog(log_, text);
}

void FolderRecords::Remove() {
  Registry::RegistryDelete(registry_, Registry::kRunValuePath);
}

}  // namespace orlimo
