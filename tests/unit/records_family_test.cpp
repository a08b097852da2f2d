#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/date.h"
#include "platform/fake/cp949.h"
#include "records/family_days.h"
#include "support/family.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using testing::TestFolder;

constexpr char16_t kFamily[] = u"Family.ini";

DayNumber Day(int year, int month, int day) {
  return static_cast<DayNumber>(DateFromFields({year, month, day, 0, 0, 0}));
}

// Children of 60 minutes a day by these names.
Settings Family(const std::vector<testing::Child>& children) {
  return testing::FamilySettings(children, false, "", 0);
}

// Every name the console takes comes back, also one the code page cannot write; a file an
// earlier version wrote in code page 949 is still read.
TEST(FamilyFile, RoundTripsInUtf8AndFollowsItsChildByName) {
  TestFolder folder;
  fake::Cp949CodePage codePage;
  Settings settings = Family({{"첫째"}, {"둘째"}, {"丂"}, {"민수😀"}, {"첫째"}});
  FamilyDays days{};
  days[0].WeekdayMinutes[6] = 120;  // 토
  days[0].WeekdayMinutes[0] = 0;    // 일
  days[0].ExtraDay = Day(2026, 12, 7);
  days[0].ExtraMinutes = -15;
  days[1].History[Day(2026, 11, 30)] = {45, 60};
  days[1].History[Day(2026, 12, 1)] = {0, 90};
  days[2].WeekdayMinutes[1] = 30;
  days[2].Hours[6] = AllowedHours{8 * 60, 22 * 60 + 30};
  days[2].Hours[0] = AllowedHours{0, 24 * 60};
  days[2].End = EndAction::Lock;
  days[2].LockedTimeCounts = false;
  days[3].ExtraDay = Day(2026, 12, 7);
  days[3].ExtraMinutes = 20;
  days[4].WeekdayMinutes[2] = 5;  // the second 첫째
  Main::SaveFamilyDays(days, settings, folder.folder());

  const std::string bytes = folder.Bytes(kFamily);
  EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF!Orlimo Family.ini\r\n")) << bytes;
  EXPECT_NE(bytes.find("Child,0,첫째\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("Week,0,0,,,,,,120\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("Used,1,2026-11-30,45,60\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("Hours,2,00:00-24:00,,,,,,08:00-22:30\r\nEnd,2,lock\r\nLockedTime,2,0\r\n"),
            std::string::npos)
      << bytes;
  for (const char* unset : {"Hours,0", "Extra,1"}) {
    EXPECT_EQ(bytes.find(unset), std::string::npos) << "nothing the parent has not set";
  }
  EXPECT_EQ(Main::LoadFamilyDays(settings, folder.folder(), codePage), days);
  EXPECT_EQ(folder.Bytes(kFamily), bytes);

  // Setup.ini rewritten by a program that knows nothing of Family.ini, the rows moved and a
  // stranger added: each block finds its child by row and name, then by name, the stranger
  // gets empty days.
  Settings moved = Family({{"둘째"}, {"셋째"}, {"첫째"}, {"첫째"}, {"민수😀"}});
  FamilyDays read = Main::LoadFamilyDays(moved, folder.folder(), codePage);
  EXPECT_EQ(read[0], days[1]);
  EXPECT_EQ(read[1], ChildDays{});
  EXPECT_EQ(read[2], days[0]);
  EXPECT_EQ(read[3], days[4]);
  EXPECT_EQ(read[4], days[3]);
  // Two children of one name, the rows reordered: the one still at its row keeps its block.
  Main::SaveFamilyDays(days, Family({{"둘째"}, {"첫째"}, {"丂"}, {"민수😀"}, {"첫째"}}),
                       folder.folder());
  read = Main::LoadFamilyDays(Family({{"첫째"}, {"첫째"}}), folder.folder(), codePage);
  EXPECT_EQ(read[1], days[1]);
  EXPECT_EQ(read[0], days[4]);

  folder.Write(kFamily, "!Orlimo Family.ini\r\nChild,0,\xC3\xB9\xC2\xB0\r\nWeek,0,,,,,,,90\r\n");
  EXPECT_EQ(Main::LoadFamilyDays(settings, folder.folder(), codePage)[0].WeekdayMinutes[6], 90);
}

TEST(FamilyFile, AnUnreadableFileIsKeptAsideAndRewrittenFromWhatWasRead) {
  struct Case {
    const char* name;
    std::string bytes;
    bool kept;
    std::int32_t saturday;  // of child 0 after reading, -1 for none
  };
  const std::vector<Case> cases = {
      {"missing file", "", false, -1},
      {"comment, blank line and a later key", "!x\r\n\r\nChild,0,a\r\nWeek,0,,,,,,,30\r\nNew,0\r\n",
       false, 30},
      {"a day that does not exist", "Child,0,a\r\nWeek,0,,,,,,,30\r\nExtra,0,2026-02-30,5\r\n",
       true, 30},
      {"a row before its Child line", "Week,0,,,,,,,30\r\nChild,0,a\r\n", true, -1},
      {"a week of six days", "Child,0,a\r\nWeek,0,,,,,,\r\n", true, -1},
      {"a row outside 0 to 9", "Child,0,a\r\nWeek,0,,,,,,,30\r\nChild,10,b\r\n", true, 30},
      {"a number out of range", "Child,0,a\r\nWeek,0,,,,,,,99999999999\r\n", true, -1},
      {"hours that end before they start",
       "Child,0,a\r\nWeek,0,,,,,,,30\r\nHours,0,,,,,,,21:00-08:00\r\n", true, 30},
      {"a used day with a slash", "Child,0,a\r\nWeek,0,,,,,,,30\r\nUsed,0,2026-11/30,5,60\r\n",
       true, 30},
      {"a used day without a month", "Child,0,a\r\nWeek,0,,,,,,,30\r\nUsed,0,2026-x-05,5,60\r\n",
       true, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    fake::Cp949CodePage codePage;
    if (!c.bytes.empty()) folder.Write(kFamily, c.bytes);
    FamilyDays days = Main::LoadFamilyDays(Family({{"a"}}), folder.folder(), codePage);
    const std::optional<std::int32_t>& saturday = days[0].WeekdayMinutes[6];
    EXPECT_EQ(saturday.value_or(-1), c.saturday);
    EXPECT_EQ(folder.Exists(u"Family.ini.bad"), c.kept);
    if (c.kept) {
      EXPECT_EQ(folder.Bytes(u"Family.ini.bad"), c.bytes);
      EXPECT_EQ(Main::LoadFamilyDays(Family({{"a"}}), folder.folder(), codePage), days);
      EXPECT_FALSE(folder.Exists(u"Family.ini.bad2"));
    } else {
      EXPECT_EQ(folder.Bytes(kFamily), c.bytes);  // read whole: left as it was
    }
  }
}

}  // namespace
}  // namespace orlimo
