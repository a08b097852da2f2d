#include "guard/guard_files.h"

#include <filesystem>
#include <fstream>

#include "base/path.h"

namespace orlimo::guard {

DateTimeFields LocalClock::Now() const {
  return FieldsFromSeconds(clock_.UtcSeconds() + clock_.ZoneOffsetSeconds());
}

DateTimeFields DayClock::Now() const {
  return FieldsFromSeconds(clock_.UtcSeconds() + zoneOffsetSeconds_);
}

GuardFiles::GuardFiles(Text folder, const platform::SystemClock& clock,
                       const platform::AnsiCodePage& codePage, platform::Registry& registry)
    : folder_(std::move(folder)),
      localClock_(clock),
      records_(folder_, localClock_, codePage, registry) {}

bool GuardFiles::RemovedForGood() const {
  std::error_code error;
  return std::filesystem::exists(FsPath(InFolder(folder_, kRemovedMarkName)), error);
}

bool GuardFiles::ParentPasswordExposed() const {
  std::error_code error;
  return std::filesystem::exists(FsPath(InFolder(folder_, kParentPasswordExposedMarkName)), error);
}

void GuardFiles::ForgetParentPasswordExposed() {
  std::error_code ignored;
  std::filesystem::remove(FsPath(InFolder(folder_, kParentPasswordExposedMarkName)), ignored);
}

void GuardFiles::MarkRemoved() {
  std::ofstream mark(FsPath(InFolder(folder_, kRemovedMarkName)), std::ios::binary);
}

}  // namespace orlimo::guard
