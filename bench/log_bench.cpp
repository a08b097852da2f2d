// The setup console opening a log of 100,000 lines in its log box and writing it back, beside a
// bare read and a bare durable replace of the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "bare_file.h"
#include "benches.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "records/usage_log.h"
#include "support/scenario.h"

namespace orlimo::bench {
namespace {

namespace fs = std::filesystem;
using testing::Scenario;

constexpr int kLines = 100000;
constexpr std::size_t kCalls = 5;

// Years of a family's log: start marks, captions and usage lines of three children.
std::string YearsOfLog(const platform::AnsiCodePage& codePage) {
  UserEntry children[3] = {
      {u"첫째", 0, 60, 12, 0, u""}, {u"둘째", 0, 45, 45, 0, u""}, {u"Tom", 0, 90, 100, 0, u""}};
  std::vector<std::string> texts = {
      codePage.Encode(u"(*----------------------------*)"),
      codePage.Encode(u"Orlimo Ver.1.2.13    Orlimo  (C) Orlimo 개발팀")};
  for (const UserEntry& child : children) {
    for (const char16_t* word : {u"시작", u"사용중", u"정상종료", u"강제종료", u"종료시작"}) {
      texts.push_back(codePage.Encode(Main::UsageLine(word, child)));
    }
  }
  std::string log;
  for (int line = 0; line < kLines; ++line) {
    std::int64_t seconds = SecondsFromFields({2020, 1, 1, 8, 0, 0}) + std::int64_t{line} * 1800;
    log += ToUtf8(TimestampText(FieldsFromSeconds(seconds))) + " ";
    log += texts[static_cast<std::size_t>(line) % texts.size()] + "\r\n";
  }
  return log;
}

}  // namespace

std::vector<Row> LogRows() {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60, 0, ""}});
  const fs::path logPath = scenario.Folder() + "/Logs.txt";
  const std::string log = YearsOfLog(scenario.codePage);
  BareReplace(logPath, log);
  scenario.Start();
  frmSetup& console = scenario.OpenConsole();
  const std::string shown = scenario.LogBytes();  // with the lines of this start and this opening

  // Shows the log and hides it again; only the showing reads the file.
  Pair open = MeasureBeside(
      kCalls,
      [&] {
        scenario.Click(console.cmdSeeLogs);
        scenario.Click(console.cmdSeeLogs);
      },
      [&] { BareRead(logPath); });
  Pair decode = MeasureBeside(
      kCalls, [&] { scenario.codePage.Decode(shown); }, [&] { BareRead(logPath); });
  scenario.Click(console.cmdSeeLogs);
  const std::size_t shownLines = SplitLines(scenario.codePage.Decode(shown)).size();
  Pair writeBack = MeasureBeside(
      kCalls, [&] { scenario.Click(console.cmdSave); }, [&] { BareReplace(logPath, shown); });
  const bool unchanged = scenario.LogBytes() == shown;
  const Text shownText = scenario.codePage.Decode(shown);
  Pair encode = MeasureBeside(
      kCalls, [&] { scenario.codePage.Encode(shownText); }, [&] { BareReplace(logPath, shown); });
  scenario.Close(scenario.main());

  std::printf("log: %zu lines, %zu bytes shown; written back %s\n", shownLines, shown.size(),
              unchanged ? "unchanged byte for byte" : "CHANGED");
  const std::string size = std::to_string(shown.size() / 1024) + " KiB (memory)";
  return {{"console: show the 100,000-line log (memory)", "read " + size, open},
          {"  of which code page 949 decoding (test fake, iconv)", "read " + size, decode},
          {"console: write the log back (memory)", "write+fsync+rename " + size, writeBack},
          {"  of which code page 949 encoding (test fake, iconv)", "write+fsync+rename " + size,
           encode}};
}

}  // namespace orlimo::bench
