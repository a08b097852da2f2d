#include <gtest/gtest.h>

#include <string>

#include "platform/fake/cp949.h"
#include "platform/fake/fake_clock.h"
#include "records/usage_log.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

using Main::LogFile;
using testing::TestFolder;

constexpr char16_t kLog[] = u"Logs.txt";

struct LogFixture {
  TestFolder folder;
  fake::FakeClock clock{{2003, 12, 4, 16, 5, 9}};
  fake::Cp949CodePage codePage;
  LogFile log{folder.folder(), clock, codePage};
};

// A log that cannot be written is passed over quietly; a rewrite that fails leaves the old log.
TEST(RecordsLog, UnwritableLogIsPassedOverQuietlyAndAFailedRewriteLeavesItWhole) {
  for (const char16_t* blocked : {kLog, u"Logs.txt.tmp"}) {
    SCOPED_TRACE(ToUtf8(blocked));
    LogFixture fixture;
    Main::WriteLog(fixture.log, u"시작");
    const std::string before = fixture.folder.Bytes(kLog);
    if (blocked == kLog) std::filesystem::remove(fixture.folder.File(kLog));
    fixture.folder.Block(blocked);
    EXPECT_NO_THROW(Main::WriteLog(fixture.log, u"정상종료"));
    EXPECT_NO_THROW(Main::RewriteLog(fixture.log, u""));
    EXPECT_EQ(std::filesystem::is_directory(fixture.folder.File(kLog)), blocked == kLog);
    if (blocked != kLog) {
      EXPECT_EQ(fixture.folder.Bytes(kLog).substr(0, before.size()), before);
    }
  }
  LogFixture fixture;
  LogFile inMissingFolder{InFolder(fixture.folder.folder(), u"gone"), fixture.clock,
                          fixture.codePage};
  EXPECT_NO_THROW(Main::WriteLog(inMissingFolder, u"정상종료"));
}

}  // namespace
}  // namespace orlimo
