#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/number.h"
#include "base/path.h"
#include "records/comma_fields.h"
#include "records/encript.h"
#include "records/file_bytes.h"
#include "records/kept_copy.h"
#include "records/settings.h"

namespace orlimo::Main {
namespace {

// Each byte is one character of code 0 to 255: a whole file holds only hex digits and line ends.
Text BytesAsText(std::string_view bytes) {
  const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
  return Text(first, first + bytes.size());
}

void ReadUser(Settings& settings, CommaFields& fields) {
  if (settings.UserCount >= kMaxUsers - 1) return;  // an eleventh user has no slot
  ++settings.UserCount;
  UserEntry& user = settings.User(settings.UserCount);
  user.Name = fields.Next();
  user.LimitMinutes = fields.NextAs(&ReadInt32);
  user.Day = fields.NextAs(&ParseDate);
  user.UsedMinutes = fields.NextAs(&ReadInt32);
  user.UsedSeconds = fields.NextAs(&ReadInt32);
}

// A user's password may come before that user's "User" line.
void ReadUserPassword(Settings& settings, CommaFields& fields) {
  std::int16_t userNumber = fields.NextAs(&ReadInt16);
  Text password = fields.Next();
  if (userNumber >= 0 && userNumber < kMaxUsers) settings.User(userNumber).Password = password;
}

void ReadRecord(Settings& settings, const Text& line) {
  CommaFields fields(line, CommaFields::LastField::EndsWithComma);
  Text key = fields.Next();
  if (key == u"User") {
    ReadUser(settings, fields);
  } else if (key == u"Password") {
    settings.ParentPassword = fields.Next();
  } else if (key == u"PSW") {
    ReadUserPassword(settings, fields);
  } else if (key == u"PSWUSED") {
    settings.PasswordsInUse = fields.NextAs(&ReadByte);
  }
}

void ReadLine(Settings& settings, const Text& scrambled) {
  Text line;
  try {
    line = Trim(Encript::UnscrambleLine(scrambled));
  } catch (const Encript::UnscrambleError& error) {
    throw ReadFailure(error.what());
  }
  if (line.empty()) throw ReadFailure("an empty line");
  if (line.front() == u'\0' || line.front() == u'!') return;  // blank record or comment
  ReadRecord(settings, line);
}

void DefaultParentPassword(Settings& settings) {
  if (settings.ParentPassword.empty()) settings.ParentPassword = kDefaultParentPassword;
}

// Takes in every line; false when a line cannot be taken in, with what came before it kept.
bool ReadSettingsLines(Settings& settings, std::string_view bytes) {
  settings.PasswordsInUse = 0;
  try {
    for (const Text& line : SplitLines(BytesAsText(bytes))) ReadLine(settings, line);
  } catch (const ReadFailure&) {
    return false;
  }
  return true;
}

}  // namespace

SettingsRead LoadSettings(Settings& settings, const Text& folder) {
  const Text path = InFolder(folder, kSettingsFileName);
  settings.UserCount = -1;
  std::optional<std::string> bytes = ReadWholeFile(path);
  bool readWhole = bytes && ReadSettingsLines(settings, *bytes);
  DefaultParentPassword(settings);
  if (readWhole) return SettingsRead::Whole;
  // A file that is there but could not be opened is the family's only copy as much as one that
  // was read in part: it is replaced only once a copy of it has been kept.
  const bool missing = !bytes && !FileIsThere(path);
  if (!missing) {
    try {
      if (!bytes) throw std::runtime_error("the settings file cannot be opened");
      KeepUnreadableCopy(path, *bytes);
    } catch (const std::exception&) {
      return SettingsRead::Held;
    }
  }
  try {
    SaveSettings(settings, folder);
  } catch (const std::exception&) {
    // The next save tries again.
  }
  return missing ? SettingsRead::Missing : SettingsRead::Rewritten;
}

void KeepSettingsCopy(const Text& folder) {
  const Text path = InFolder(folder, kSettingsFileName);
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (bytes) {
    KeepUnreadableCopy(path, *bytes);
  } else if (FileIsThere(path)) {
    throw std::runtime_error("the settings file cannot be opened");
  }
}

}  // namespace orlimo::Main
