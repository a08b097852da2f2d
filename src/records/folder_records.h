// The family's data as files in one folder (Setup.ini, Family.ini, Logs.txt): the portable
// program keeps them beside itself, the guard in its data folder.
#pragma once

#include <optional>
#include <vector>

#include "platform/ansi_codepage.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "records/family_days.h"
#include "records/settings.h"
#include "records/usage_log.h"

namespace orlimo {

class FolderRecords {
 public:
  FolderRecords(Text folder, const platform::Clock& clock, const platform::AnsiCodePage& codePage,
                platform::Registry& registry);

  // Reads the table into settings (which should be fresh). A file not read whole is logged; one
  // that could not be kept as a copy is left as it is until a copy can be kept.
  void Load(Settings& settings);
  // Writes the table. Throws when it fails; the first failure of a run of them is logged.
  void Save(const Settings& settings);

  // Each child's days (Family.ini). Throws when they cannot be read or written.
  FamilyDays LoadFamily(const Settings& settings);
  void SaveFamily(const FamilyDays& family, const Settings& settings);

  void WriteLog(TextView line);
  // The whole log as text; nothing when it cannot be read.
  std::optional<Text> ReadLog() const;
  // The log's lines: a line ends at CR or CR LF, without its end. Throws when it cannot be read.
  std::vector<Text> ReadLogLines() const;
  // Replaces the whole log with exactly this text.
  void RewriteLog(TextView text);

  // The start of Windows no longer starts the program: the Run value goes.
  void Remove();

 private:
  const Text folder_;
  const Main::LogFile log_;
  platform::Registry& registry_;
  bool settingsCopyOwed_ = false;  // Setup.ini must be kept as a copy before it is written
  bool savingFails_ = false;
};

}  // namespace orlimo
