#include "guard/guard_files.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "base/path.h"
#include "records/file_bytes.h"

namespace orlimo::guard {

DateTimeFields LocalClock::Now() const {
  return FieldsFromSeconds(clock_.UtcSeconds() + clock_.ZoneOffsetSeconds());
}

GuardFiles::GuardFiles(Text folder, const platform::SystemClock& clock,
                       const platform::AnsiCodePage& codePage)
    : folder_(std::move(folder)), localClock_(clock), log_{folder_, localClock_, codePage} {}

Settings GuardFiles::Load() const {
  Settings settings;
  try {
    Main::LoadSettings(settings, folder_);
  } catch (const std::exception&) {
    // The file could not be written anew; the guard goes on with what was read and saves again
    // at its next step.
  }
  return settings;
}

bool GuardFiles::Save(const Settings& settings) const {
  try {
    Main::SaveSettings(settings, folder_);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

FamilyDays GuardFiles::LoadFamily(const Settings& settings) const {
  try {
    return Main::LoadFamilyDays(settings, folder_, log_.codePage);
  } catch (const std::exception&) {
    return {};
  }
}

bool GuardFiles::SaveFamily(const FamilyDays& family, const Settings& settings) const {
  try {
    Main::SaveFamilyDays(family, settings, folder_, log_.codePage);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void GuardFiles::WriteLog(TextView line) const {
  Main::WriteLog(log_, line);
}

std::optional<Text> GuardFiles::ReadLog() const {
  std::optional<std::string> bytes = ReadWholeFile(InFolder(folder_, Main::kLogFileName));
  if (!bytes) return std::nullopt;
  return log_.codePage.Decode(*bytes);
}

void GuardFiles::ReplaceLog(TextView text) const {
  Main::WriteWholeLog(log_, text);
}

bool GuardFiles::RemovedForGood() const {
  std::error_code error;
  return std::filesystem::exists(FsPath(InFolder(folder_, kRemovedMarkName)), error);
}

void GuardFiles::MarkRemovedForGood() const {
  std::ofstream mark(FsPath(InFolder(folder_, kRemovedMarkName)), std::ios::binary);
}

}  // namespace orlimo::guard
