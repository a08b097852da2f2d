#include "records/usage_log.h"

#include <fstream>

#include "base/path.h"
#include "records/atomic_file.h"

namespace orlimo::Main {
namespace {

constexpr char16_t kLineEnd[] = u"\r\n";

Text LogPath(const LogFile& log) {
  return InFolder(log.folder, kLogFileName);
}

}  // namespace

void WriteLog(const LogFile& log, TextView text) {
  try {
    Text line = TimestampText(log.clock.Now()) + u" " + Text(text) + kLineEnd;
    std::string bytes = log.codePage.Encode(line);
    std::ofstream file(FsPath(LogPath(log)), std::ios::binary | std::ios::app);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  } catch (...) {
    // The log never stops the program: a line that cannot be written is lost.
  }
}

Text UsageLine(TextView word, const UserEntry& user) {
  std::int64_t minutesLeft = std::int64_t{user.LimitMinutes} - user.UsedMinutes;
  return Text(word) + u":" + user.Name + u"님(" + DecimalText(user.LimitMinutes) + u"분)  " +
         DecimalText(user.UsedMinutes) + u"분 사용, " + DecimalText(minutesLeft) + u"분 남음.";
}

void UsageSummary(const LogFile& log, const Settings& settings, TextView word, int user) {
  WriteLog(log, UsageLine(word, settings.User(user)));
}

void RewriteLog(const LogFile& log, TextView content) {
  WriteWholeLog(log, Text(content) + kLineEnd);
}

void WriteWholeLog(const LogFile& log, TextView content) {
  try {
    ReplaceFileAtomically(LogPath(log), log.codePage.Encode(content));
  } catch (...) {
    // The old log stays whole; nothing is shown.
  }
}

}  // namespace orlimo::Main
