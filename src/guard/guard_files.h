// The family's files in the guard's data folder, of which the guard is the only writer:
// Setup.ini, Family.ini and Logs.txt, kept as the portable program keeps them, and the mark that
// the parent removed Orlimo for good.
#pragma once

#include "base/text.h"
#include "platform/ansi_codepage.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/system_clock.h"
#include "records/folder_records.h"

namespace orlimo::guard {

inline constexpr char16_t kRemovedMarkName[] = u"Removed";
// Left by the installer when it moved a Setup.ini that lay where the children could read it.
inline constexpr char16_t kParentPasswordExposedMarkName[] = u"ParentPasswordExposed";

// The local time shown in log stamps: the system time in the time zone in force now.
class LocalClock : public platform::Clock {
 public:
  explicit LocalClock(const platform::SystemClock& clock) : clock_(clock) {}
  DateTimeFields Now() const override;
  std::int64_t SteadyMs() const override { return clock_.SteadyMs(); }

 private:
  const platform::SystemClock& clock_;
};

// The local time by which the day is counted: the system time in the time zone that was in force
// when the guard started, so that a time zone changed afterwards gains nothing.
class DayClock : public platform::Clock {
 public:
  explicit DayClock(const platform::SystemClock& clock)
      : clock_(clock), zoneOffsetSeconds_(clock.ZoneOffsetSeconds()) {}
  DateTimeFields Now() const override;
  std::int64_t SteadyMs() const override { return clock_.SteadyMs(); }

 private:
  const platform::SystemClock& clock_;
  const std::int64_t zoneOffsetSeconds_;
};

class GuardFiles {
 public:
  GuardFiles(Text folder, const platform::SystemClock& clock,
             const platform::AnsiCodePage& codePage, platform::Registry& registry);

  FolderRecords& records() { return records_; }
  bool RemovedForGood() const;
  // Leaves the mark that the parent removed Orlimo for good.
  void MarkRemoved();
  // Whether the parent password lay where the children could read it; the mark goes once the
  // parent has set a new one.
  bool ParentPasswordExposed() const;
  void ForgetParentPasswordExposed();

 private:
  Text folder_;
  LocalClock localClock_;
  FolderRecords records_;
};

}  // namespace orlimo::guard
