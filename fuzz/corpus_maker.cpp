// Writes the seed corpus of the fuzz targets: Setup.ini and Family.ini files of a few families
// as the program writes them, files with older date forms and odd lines, their single lines,
// the number and date texts that files from earlier releases hold, and one request of each
// kind the guard reads. Run: corpus_maker <fuzz/corpus folder>.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/date.h"
#include "base/path.h"
#include "guard/protocol.h"
#include "records/encript.h"
#include "records/settings.h"
#include "support/family.h"

namespace {

namespace fs = std::filesystem;
using orlimo::Settings;
using orlimo::Text;

// A family counted on the day the seeds were first written.
Settings Family(const std::vector<orlimo::testing::Child>& children, int passwordsInUse,
                const char* parent) {
  Settings settings = orlimo::testing::FamilySettings(
      children, false, parent, orlimo::DateFromFields({2026, 12, 6, 15, 0, 0}));
  settings.PasswordsInUse = static_cast<std::uint8_t>(passwordsInUse);
  return settings;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Each of <inputs> as its own file <stem><number> in <folder>.
void WriteEach(const fs::path& folder, const std::string& stem,
               const std::vector<std::string>& inputs) {
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    WriteFile(folder / (stem + std::to_string(i)), inputs[i]);
  }
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A Setup.ini as the program writes it.
std::string SavedBytes(const Settings& settings, const fs::path& scratch) {
  fs::create_directories(scratch);
  orlimo::Main::SaveSettings(settings, scratch.u16string());
  return ReadFile(scratch / "Setup.ini");
}

// Hand-made record lines, scrambled one by one, with the given line end.
std::string ScrambledLines(const std::vector<std::string>& records, const std::string& end) {
  std::string bytes;
  for (const std::string& record : records) {
    bytes += orlimo::ToUtf8(orlimo::Encript::ScrambleLine(orlimo::FromUtf8(record))) + end;
  }
  return bytes;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path scratch = fs::temp_directory_path() / "orlimo-corpus-maker";
  if (argc != 2) {
    std::fprintf(stderr, "usage: corpus_maker <corpus folder>\n");
    return 2;
  }
  const fs::path corpus = argv[1];
  fs::remove_all(scratch);

  const std::vector<std::pair<std::string, Settings>> families = {
      {"no-users", Family({}, 0, "5927")},
      {"one-child", Family({{"첫째", 60, 0, ""}}, 0, "5927")},
      {"three-children-passwords",
       Family({{"민준", 90, 1830, "1234"}, {"서연", 60, 3600, "abc"}, {"Tom", 45, 0, ""}}, 1,
              "부모암호")},
      {"ten-users", Family({{"아이0", 30, 0, ""},
                            {"아이1", 0, 10, "p1"},
                            {"Ωmega", 120, 7199, ""},
                            {"Лена", 60, 59, "x y"},
                            {"하늘 바다", 1440, 86400, ""},
                            {"A-B_C.d", -5, -30, "!@#$%"},
                            {"김", 2147483647, 2147483647, ""},
                            {"ㄱㄴㄷ", 10, 570, "0"},
                            {"子", 9, 510, ""},
                            {"last", 1, 30, "&H10"}},
                           255, "p")},
  };
  std::vector<std::string> settingsFiles;
  for (const auto& [name, settings] : families) {
    std::string bytes = SavedBytes(settings, scratch / name);
    WriteFile(corpus / "settings_fuzz" / (name + ".ini"), bytes);
    settingsFiles.push_back(bytes);
  }

  // Lines earlier releases or a hand may have left: general date forms, comments, other keys,
  // an eleventh user, a password before its user, lone CR line ends.
  const std::vector<std::string> older = {"User,첫째,60,2003-12-04 오후 4:05:09,10,600,*",
                                          "User,Tom,45,12/4/2003 4:05:09 PM,0,0,*",
                                          "User,둘째,30,2003. 12. 4. 오후 4:05:09,1,60,*",
                                          "User,셋째,30,2003-12-04,0,0,*",
                                          "User,넷째,30,오전 12:05:00,0,0,*",
                                          "PSW,5,late,*",
                                          "!comment line",
                                          "Other,thing,*",
                                          "PSW,-1,ignored,*",
                                          "PSWUSED,&H1,*",
                                          "Password, 가나다 ,*"};
  WriteFile(corpus / "settings_fuzz" / "older-forms.ini", ScrambledLines(older, "\r\n"));
  WriteFile(corpus / "settings_fuzz" / "lone-cr.ini", ScrambledLines(older, "\r"));
  std::vector<std::string> eleven;
  for (int i = 0; i < 11; ++i) {
    eleven.push_back("User,u" + std::to_string(i) + ",10,2026-12-06 15:00:00,0,0,*");
  }
  eleven.push_back("PSWUSED,1,*");
  WriteFile(corpus / "settings_fuzz" / "eleven-users.ini", ScrambledLines(eleven, "\r\n"));
  WriteFile(corpus / "settings_fuzz" / "broken-line.ini",
            ScrambledLines({"User,a,1,2026-12-06,0,0,*"}, "\r\n") + "\r\n" +
                ScrambledLines({"User,b,1,2026-12-06,0,0,*"}, "\r\n"));

  int lineNumber = 0;
  for (const std::string& file : settingsFiles) {
    for (const std::string& line : Lines(file)) {
      WriteFile(corpus / "unscramble_fuzz" / ("line" + std::to_string(lineNumber++)), line);
    }
  }
  for (const char* group : {"0D0A", "00AC", "0041", "0A00", "004", "41", "006100620063", "5CD5",
                            "A903", "0060", "1000", "0d0a", "00ac00"}) {
    WriteFile(corpus / "unscramble_fuzz" / ("group-" + std::string(group)), group);
  }

  const std::vector<std::string> numbers = {" 2 45 7",
                                            "1615 198th Street",
                                            "--5",
                                            "1.2.3",
                                            "1e",
                                            "1e+",
                                            "1D-2",
                                            "&HFFFF",
                                            "&H8000",
                                            "&HFFFFFFFF",
                                            "&H10000",
                                            "&H",
                                            "&HG",
                                            "&O777",
                                            "&o177777",
                                            "",
                                            "abc",
                                            "-",
                                            "1,234",
                                            "12abc",
                                            " 4 5 ",
                                            ".5",
                                            "0.5",
                                            "1.5",
                                            "2.5",
                                            "-0.5",
                                            "-1.5",
                                            "32767.49",
                                            "32767.5",
                                            "-32768.5",
                                            "-32768.51",
                                            "2147483647.5",
                                            "-2147483648.5",
                                            "255.49",
                                            "255.5",
                                            "-0.51",
                                            "1e308",
                                            "1e309",
                                            "1e-400",
                                            "0.000000000000000000000001e30"};
  WriteEach(corpus / "number_fuzz", "number", numbers);

  const std::vector<std::string> dates = {"2003-12-04 16:05:09",
                                          "2003-12-04 오후 4:05:09",
                                          "2003. 12. 4. 오후 4:05:09",
                                          "12/4/2003 4:05:09 PM",
                                          "2003-12-04",
                                          "오전 12:05:00",
                                          "4:05:09 PM",
                                          "2003/12/04 AM 11:59",
                                          "1899-12-30 00:00:00",
                                          "1800-01-01 12:00:00",
                                          "9999-12-31 23:59:59",
                                          "2000-02-29",
                                          "  2026-12-06 15:00:00  ",
                                          "03-12-04 오후 4:05:09",
                                          "2003.12.04 4:05:09 PM",
                                          "99-12-31"};
  WriteEach(corpus / "date_fuzz", "date", dates);

  // Family.ini as the program writes it (names in code page 949: 첫째, 둘째), and odd ones.
  const std::vector<std::pair<std::string, std::string>> familyFiles = {
      {"two-children",
       "!Orlimo Family.ini\r\nChild,0,\xC3\xB9\xC2\xB0\r\nWeek,0,0,,,,,,120\r\n"
       "Extra,0,2026-12-07,-15\r\nChild,1,\xB5\xD1\xC2\xB0\r\nWeek,1,,,,,,,\r\n"
       "Used,1,2026-11-30,45,60\r\nUsed,1,2026-12-01,0,90\r\n"},
      {"later-keys", "!x\r\n\r\nChild,0,a,b\r\nNew,0,1\r\nWeek,0,1,2,3,4,5,6,7\r\n"},
      {"bad-day", "Child,0,a\r\nExtra,0,2026-02-30,5\r\n"},
      {"row-first", "Week,0,,,,,,,30\r\nChild,0,a\r\n"},
      {"lone-cr", "Child,9,z\rUsed,9,1899-12-30,1,2\r"},
      {"utf8",
       "\xEF\xBB\xBF!Orlimo Family.ini\r\nChild,0,\xEB\xAF\xBC\xEC\x88\x98\xF0\x9F\x98\x80\r\n"
       "Week,0,,,,,,,30\r\n"},
  };
  for (const auto& [name, bytes] : familyFiles) {
    WriteFile(corpus / "family_fuzz" / (name + ".ini"), bytes);
  }

  namespace guard = orlimo::guard;
  orlimo::DaysChange days;
  days.weekdayMinutes = {90,           std::nullopt, std::nullopt, std::nullopt,
                         std::nullopt, std::nullopt, 120};
  days.extraToday = 20;
  const std::vector<guard::Request> requests = {
      guard::Hello{},
      guard::Started{},
      guard::GetStatus{},
      guard::Closing{},
      guard::Released{},
      guard::ChooseUser{1, u"0412"},
      guard::ChangeOwnPassword{0, u"old", u"새암호"},
      guard::OpenConsole{u"5927"},
      guard::CloseConsole{},
      guard::RevealPasswords{u"5927"},
      guard::StoreTable{{true, {{0, u"첫째", 60, std::nullopt}, {-1, u"둘째", 90, u""}}}},
      guard::Rebuild{},
      guard::SetParentPassword{u"1234"},
      guard::ReadDays{},
      guard::StoreDays{1, days},
      guard::ReadLog{16384},
      guard::RewriteLog{true, u"2026-12-06 15:00:00 시작\r\n"},
      guard::Pause{},
      guard::Remove{}};
  std::vector<std::string> frames;
  for (const guard::Request& request : requests) frames.push_back(guard::EncodeRequest(request));
  WriteEach(corpus / "guard_request_fuzz", "request", frames);

  fs::remove_all(scratch);
  return 0;
}
