// The setup console's view of Logs.txt: the text shown for a file, and the file written back.
#include <gtest/gtest.h>

#include "console/log_view.h"
#include "platform/fake/cp949.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"
#include "records/folder_records.h"
#include "support/test_folder.h"

namespace orlimo {
namespace {

// The log's lines as the console reads them from the folder's files.
std::vector<Text> ReadLogLines(const testing::TestFolder& folder) {
  fake::FakeClock clock({2026, 12, 6, 15, 0, 0});
  fake::FakeRegistry registry;
  fake::Cp949CodePage codePage;
  return FolderRecords(folder.folder(), clock, codePage, registry).ReadLogLines();
}

TEST(LogView, EachLineShowsAfterABlankAndAnUnchangedTextWritesTheFileBack) {
  struct Case {
    Text file;
    Text shown;
    Text writtenBack;  // the log the shown text stands for
  };
  const Case cases[] = {
      {u"2026-12-06 15:00:00 시작:첫째님(60분)\r\n", u" 2026-12-06 15:00:00 시작:첫째님(60분)\r\n",
       u"2026-12-06 15:00:00 시작:첫째님(60분)\r\n"},
      {u"a\r\n\r\n  b\r\n", u" a\r\n \r\n   b\r\n", u"a\r\n\r\n  b\r\n"},
      {u"\r\n", u" \r\n", u"\r\n"},
      {u"", u"", u""},
      // A lone CR ends a line, a lone LF does not; the written file ends every line in CR LF.
      {u"첫 줄\r\n\r\n  둘\n째\r셋째", u" 첫 줄\r\n \r\n   둘\n째\r\n 셋째\r\n",
       u"첫 줄\r\n\r\n  둘\n째\r\n셋째\r\n"},
  };
  fake::Cp949CodePage codePage;
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.file));
    testing::TestFolder folder;
    folder.Write(u"Logs.txt", codePage.Encode(c.file));
    const Text shown = LogView::DisplayText(ReadLogLines(folder));
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(LogView::LogText(shown), c.writtenBack);
  }
}

TEST(LogView, EditedTextLosesOneLeadingBlankPerLineAndEndsInCrLf) {
  EXPECT_EQ(LogView::LogText(u" one\r\n 둘째 줄 고침\r\n 셋"), u"one\r\n둘째 줄 고침\r\n셋\r\n");
  EXPECT_EQ(LogView::LogText(u"no blank\r\n  two"), u"no blank\r\n two\r\n");
}

TEST(LogView, AMissingLogCannotBeRead) {
  testing::TestFolder folder;
  EXPECT_THROW(ReadLogLines(folder), std::runtime_error);
}

}  // namespace
}  // namespace orlimo
