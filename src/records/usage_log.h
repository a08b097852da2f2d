// Logs.txt: one time-stamped line per event, in the system's ANSI code page, CR LF line ends.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "platform/ansi_codepage.h"
#include "platform/clock.h"
#include "records/settings.h"

namespace orlimo::Main {

inline constexpr char16_t kLogFileName[] = u"Logs.txt";

struct LogFile {
  Text folder;
  const platform::Clock& clock;
  const platform::AnsiCodePage& codePage;
};

// Appends "<YYYY-MM-DD HH:MM:SS> <text>" CR LF. Failures are swallowed.
void WriteLog(const LogFile& log, TextView text);

// "<word>:<name>님(<limit>분)  <used>분 사용, <left>분 남음."
Text UsageLine(TextView word, const UserEntry& user);

// Writes the usage line of user number `user` (0 to 9).
void UsageSummary(const LogFile& log, const Settings& settings, TextView word, int user);

// Replaces the whole log with content followed by CR LF, through a temporary file moved over
// the old one. Failures are swallowed and leave the old log whole.
void RewriteLog(const LogFile& log, TextView content);

// Replaces the whole log with exactly the given text (an empty text leaves an empty file), the
// same way as RewriteLog. Failures are swallowed and leave the old log whole.
void WriteWholeLog(const LogFile& log, TextView content);

}  // namespace orlimo::Main
