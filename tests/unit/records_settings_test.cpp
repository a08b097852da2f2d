#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/date.h"
#include "records/encript.h"
#include "records/settings.h"
#include "records/stored_field.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using Main::LoadSettings;
using Main::SaveSettings;
using Main::SettingsRecordLines;
using testing::TestFolder;

constexpr char16_t kSetup[] = u"Setup.ini";

std::string ScrambledFile(const std::vector<Text>& lines, const std::string& lineEnd = "\r\n") {
  std::string bytes;
  for (const Text& line : lines) {
    for (char16_t digit : Encript::ScrambleLine(line)) bytes += static_cast<char>(digit);
    bytes += lineEnd;
  }
  return bytes;
}

std::vector<Text> RecordsOf(const Settings& settings) {
  return SplitLines(SettingsRecordLines(settings));
}

const Text kFirst = u"User,첫째,60,2003-12-04 16:05:09,5,300,*";
const Text kSecond = u"User,둘째,90,2003-12-04 16:05:09,0,10,*";
const Text kNoPassword0 = u"PSW,0,,*";
const Text kNoPasswordsInUse = u"PSWUSED,0,*";
const Text kDefaultPassword = u"Password,5927,*";
const Text kParentPassword = u"Password,pp,*";
const Text kEmptyUser1 = u"User,둘째,0,1899-12-30 00:00:00,0,0,*";

std::vector<Text> ElevenUsers() {
  std::vector<Text> lines;
  for (int number = 0; number <= 10; ++number) {
    lines.push_back(u"User,u" + DecimalText(number) + u",60,2003-12-04 16:05:09,0,0,*");
  }
  lines.push_back(u"PSW,9,nine,*");
  lines.push_back(kParentPassword);
  return lines;
}

std::vector<Text> TenUsersRead() {
  std::vector<Text> lines;
  for (int number = 0; number <= 9; ++number) {
    lines.push_back(u"User,u" + DecimalText(number) + u",60,2003-12-04 16:05:09,0,0,*");
    lines.push_back(u"PSW," + DecimalText(number) + (number == 9 ? u",nine,*" : u",,*"));
  }
  lines.push_back(kNoPasswordsInUse);
  lines.push_back(kParentPassword);
  return lines;
}

struct ReadCase {
  const char* what;
  std::optional<std::string> file;     // nothing: no Setup.ini at all
  std::vector<Text> recordsAfterLoad;  // the settings as they would be written back
  bool readFails;                      // the file is kept aside and rewritten
};

TEST(RecordsSettings, ReadingEndsAsStoredFilesExpect) {
  const ReadCase cases[] = {
      {"no file", std::nullopt, {kNoPasswordsInUse, kDefaultPassword}, true},
      {"empty file", "", {kNoPasswordsInUse, kDefaultPassword}, false},
      {"no Password line",
       ScrambledFile({kFirst, u"PSWUSED,1,*"}),
       {kFirst, kNoPassword0, u"PSWUSED,1,*", kDefaultPassword},
       false},
      {"eleventh User line skipped, later lines read", ScrambledFile(ElevenUsers()), TenUsersRead(),
       false},
      {"PSW before its User line",
       ScrambledFile({u"PSW,1,둘pw,*", kFirst, kSecond, kParentPassword}),
       {kFirst, kNoPassword0, kSecond, u"PSW,1,둘pw,*", kNoPasswordsInUse, kParentPassword},
       false},
      {"PSW numbers outside 0..9 change nothing",
       ScrambledFile({u"PSW,10,x,*", u"PSW,-1,y,*", kFirst, kParentPassword}),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kParentPassword},
       false},
      {"PSW number beyond 16 bits",
       ScrambledFile({kFirst, u"PSW,40000,x,*", kParentPassword}),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kDefaultPassword},  // reading stops there
       true},
      {"comments, blank records and unknown keys skipped",
       ScrambledFile({u"!옛 설정", Text(1, u'\0') + u"User,x", u"PSWUSED,1,*", u"Other,1,*",
                      u"user,작은,1,*", kFirst, kParentPassword}),
       {kFirst, kNoPassword0, u"PSWUSED,1,*", kParentPassword},
       false},
      {"blanks around fields trimmed",
       ScrambledFile({u"User,  첫째  , 60 ,2003-12-04 16:05:09 , 5, 300 ,*", u"PSW, 0 ,  pw  ,*",
                      u"Password,  pp  ,*"}),
       {kFirst, u"PSW,0,pw,*", kNoPasswordsInUse, kParentPassword},
       false},
      {"a day in the Korean general form",
       ScrambledFile({u"User,첫째,60,2003-12-04 오후 4:05:09,5,300,*", kParentPassword}),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kParentPassword},
       false},
      {"lines ending in a lone CR",
       ScrambledFile({kFirst, kParentPassword}, "\r"),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kParentPassword},
       false},
      {"number out of range",
       ScrambledFile({kFirst, u"User,둘째,2147483648,2003-12-04 16:05:09,0,0,*", kParentPassword}),
       {kFirst, kNoPassword0, kEmptyUser1, u"PSW,1,,*", kNoPasswordsInUse, kDefaultPassword},
       true},
      {"PSWUSED beyond a byte",
       ScrambledFile({u"PSWUSED,256,*", kParentPassword}),
       {kNoPasswordsInUse, kDefaultPassword},
       true},
      {"unparsable date",
       ScrambledFile({u"User,첫째,60,어제,5,300,*", kParentPassword}),
       {u"User,첫째,60,1899-12-30 00:00:00,0,0,*", kNoPassword0, kNoPasswordsInUse,
        kDefaultPassword},
       true},
      {"empty line in the middle",
       ScrambledFile({kFirst, u"", kParentPassword}),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kDefaultPassword},
       true},
      {"field without its comma",
       ScrambledFile({kFirst, u"Password,pp"}),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kDefaultPassword},
       true},
      {"undecodable line",
       ScrambledFile({kFirst}) + "00\r\n" + ScrambledFile({kParentPassword}),
       {kFirst, kNoPassword0, kNoPasswordsInUse, kDefaultPassword},
       true},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    if (c.file) folder.Write(kSetup, *c.file);
    Settings settings;
    LoadSettings(settings, folder.folder());

    EXPECT_EQ(RecordsOf(settings), c.recordsAfterLoad);
    EXPECT_EQ(settings.UserTable[0], UserEntry{});
    std::string expectedFile = c.readFails ? ScrambledFile(c.recordsAfterLoad) : *c.file;
    EXPECT_EQ(folder.Bytes(kSetup), expectedFile);
    bool keptAside = c.readFails && c.file;
    EXPECT_EQ(folder.Exists(u"Setup.ini.bad"), keptAside);
    if (keptAside) {
      EXPECT_EQ(folder.Bytes(u"Setup.ini.bad"), *c.file);
    }
  }
}

TEST(RecordsSettings, EachUnreadableFileIsKeptUnderANewName) {
  TestFolder folder;
  const std::string first = ScrambledFile({kFirst, u""});
  const std::string second = ScrambledFile({kSecond, u"Password"});
  Settings settings;
  folder.Write(kSetup, first);
  LoadSettings(settings, folder.folder());
  folder.Write(kSetup, second);
  Settings again;
  LoadSettings(again, folder.folder());

  EXPECT_EQ(folder.Bytes(u"Setup.ini.bad"), first);
  EXPECT_EQ(folder.Bytes(u"Setup.ini.bad2"), second);
  EXPECT_FALSE(folder.Exists(u"Setup.ini.bad3"));
}

}  // namespace
}  // namespace orlimo
