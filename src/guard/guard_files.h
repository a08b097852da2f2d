// The family's files in the guard's data folder, of which the guard is the only writer:
// Setup.ini, Family.ini, Logs.txt, and the mark that the parent removed Orlimo for good. What the
// guard does with them as the portable program does is the program's own records code.
#pragma once

#include <optional>

#include "base/text.h"
#include "platform/ansi_codepage.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/system_clock.h"
#include "records/family_days.h"
#include "records/folder_records.h"
#include "records/settings.h"

namespace orlimo::guard {

inline constexpr char16_t kRemovedMarkName[] = u"Removed";

// The local time shown in log stamps: the system time in the time zone in force now.
class LocalClock : public platform::Clock {
 public:
  explicit LocalClock(const platform::SystemClock& clock) : clock_(clock) {}
  DateTimeFields Now() const override;

 private:
  const platform::SystemClock& clock_;
};

class GuardFiles {
 public:
  GuardFiles(Text folder, const platform::SystemClock& clock,
             const platform::AnsiCodePage& codePage, platform::Registry& registry);

  // Setup.ini as LoadSettings reads it; a file that cannot be read is kept and written anew.
  Settings Load() const;
  // Rewrites Setup.ini whole; false when it could not be written (the old file stays).
  bool Save(const Settings& settings) const;

  // Family.ini for the users of settings; empty days when it cannot be read.
  FamilyDays LoadFamily(const Settings& settings);
  // Rewrites Family.ini whole; false when it could not be written.
  bool SaveFamily(const FamilyDays& family, const Settings& settings);

  void WriteLog(TextView line) { records_.WriteLog(line); }
  // The whole log as text; nothing when it cannot be read.
  std::optional<Text> ReadLog() const { return records_.ReadLog(); }
  // Replaces the whole log with exactly this text.
  void ReplaceLog(TextView text) { records_.RewriteLog(text); }

  bool RemovedForGood() const;
  // Deletes the Run value, as the portable program's removal does, and leaves the mark.
  void RemoveForGood();

 private:
  Text folder_;
  LocalClock localClock_;
  FolderRecords records_;
};

}  // namespace orlimo::guard
