#include <string>
#include <vector>

#include "base/path.h"
#include "records/atomic_file.h"
#include "records/encript.h"
#include "records/settings.h"

namespace orlimo::Main {
namespace {

constexpr char16_t kLineEnd[] = u"\r\n";

Text UserLine(const UserEntry& user) {
  return u"User," + Trim(user.Name) + u"," + DecimalText(user.LimitMinutes) + u"," +
         TimestampText(user.Day) + u"," + DecimalText(user.UsedMinutes) + u"," +
         DecimalText(user.UsedSeconds) + u",*";
}

Text UserPasswordLine(int userNumber, const UserEntry& user) {
  return u"PSW," + DecimalText(userNumber) + u"," + user.Password + u",*";
}

Text PasswordsInUseLine(const Settings& settings) {
  return u"PSWUSED," + DecimalText(settings.PasswordsInUse) + u",*";
}

Text ParentPasswordLine(const Settings& settings) {
  return u"Password," + settings.ParentPassword + u",*";
}

std::vector<Text> RecordLines(const Settings& settings) {
  std::vector<Text> lines;
  for (int userNumber = 0; userNumber <= settings.UserCount; ++userNumber) {
    lines.push_back(UserLine(settings.User(userNumber)));
    lines.push_back(UserPasswordLine(userNumber, settings.User(userNumber)));
  }
  lines.push_back(PasswordsInUseLine(settings));
  lines.push_back(ParentPasswordLine(settings));
  return lines;
}

// Scrambled text holds hex digits only, so each character is one byte.
std::string AsciiBytes(TextView text) {
  std::string bytes;
  for (char16_t character : text) bytes += static_cast<char>(character);
  return bytes;
}

}  // namespace

std::u16string SettingsRecordLines(const Settings& settings) {
  Text text;
  for (const Text& line : RecordLines(settings)) text += line + kLineEnd;
  return text;
}

void SaveSettings(const Settings& settings, const Text& folder) {
  Text scrambled;
  for (const Text& line : RecordLines(settings)) {
    scrambled += Encript::ScrambleLine(line) + kLineEnd;
  }
  ReplaceFileAtomically(InFolder(folder, kSettingsFileName), AsciiBytes(scrambled));
}

}  // namespace orlimo::Main
