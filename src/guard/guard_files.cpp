#include "guard/guard_files.h"

#include <filesystem>
#include <fstream>

#include "base/path.h"

namespace orlimo::guard {

DateTimeFields LocalClock::Now() const {
  return FieldsFromSeconds(clock_.UtcSeconds() + clock_.ZoneOffsetSeconds());
}

GuardFiles::GuardFiles(Text folder, const platform::SystemClock& clock,
                       const platform::AnsiCodePage& codePage, platform::Registry& registry)
    : folder_(std::move(folder)),
      localClock_(clock),
      records_(folder_, localClock_, codePage, registry) {}

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

FamilyDays GuardFiles::LoadFamily(const Settings& settings) {
  try {
    return records_.LoadFamily(settings);
  } catch (const std::exception&) {
    return {};
  }
}

bool GuardFiles::SaveFamily(const FamilyDays& family, const Settings& settings) {
  try {
    records_.SaveFamily(family, settings);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool GuardFiles::RemovedForGood() const {
  std::error_code error;
  return std::filesystem::exists(FsPath(InFolder(folder_, kRemovedMarkName)), error);
}

void GuardFiles::RemoveForGood() {
  records_.Remove();
  std::ofstream mark(FsPath(InFolder(folder_, kRemovedMarkName)), std::ios::binary);
}

}  // namespace orlimo::guard
