// The setup console's commands: the log viewer, pause, removal and the parent password.
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "records/registry_access.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using forms::MessageBoxAnswer;

// The log viewer: each line shown after a blank, written back as edited, emptied; on a guarded
// PC the guard reads and writes the log for it.
TEST(ConsoleCommands, LogViewerShowsSavesReloadsAndEmptiesTheLog) {
  for (Host host : {Host::Portable, Host::Guarded}) {
    Scenario scenario(host);
    scenario.StartWith({{"첫째", 60}}, false, "parent!");
    frmSetup& console = scenario.OpenConsole("parent!");
    std::filesystem::remove(scenario.Data().File(u"Logs.txt"));
    for (int attempt = 0; attempt < 2; ++attempt) {  // a missing log: quietly, again and again
      scenario.Click(console.cmdSeeLogs);
      EXPECT_EQ(S(console.cmdSeeLogs.Caption()), "사용자기록 보기");
      EXPECT_FALSE(console.tMsg.Visible());
      EXPECT_TRUE(console.cmdSave.Visible());
      EXPECT_TRUE(console.cmdDelSave.Visible());
    }

    scenario.Data().Write(u"Logs.txt", "one\r\ntwo\r\n");
    scenario.Click(console.cmdSeeLogs);
    EXPECT_EQ(S(console.cmdSeeLogs.Caption()), "사용기록 닫기");
    EXPECT_TRUE(console.tMsg.Visible());
    EXPECT_FALSE(console.lDate.Visible() || console.Label5.Visible() ||
                 console.cmdDays[0].Visible());
    EXPECT_EQ(S(console.tMsg.GetText()), " one\r\n two\r\n");
    EXPECT_EQ(console.tMsg.Bounds(), (forms::Bounds{90, 510, console.Bounds().width - 300,
                                                    console.Bounds().height - 1000}));

    scenario.Edit(console.tMsg, " one\r\n 둘째 줄 고침\r\n 셋");
    scenario.Click(console.cmdSave);
    const std::string saved = scenario.codePage.Encode(u"one\r\n둘째 줄 고침\r\n셋\r\n");
    EXPECT_EQ(scenario.LogBytes(), saved);

    // Hiding keeps the text; showing again reads the file, dropping what was not saved.
    scenario.Edit(console.tMsg, " changed\r\n");
    scenario.Click(console.cmdSeeLogs);
    EXPECT_EQ(S(console.cmdSeeLogs.Caption()), "사용기록 보기");
    EXPECT_FALSE(console.tMsg.Visible());
    EXPECT_FALSE(console.cmdSave.Visible());
    EXPECT_FALSE(console.cmdDelSave.Visible());
    EXPECT_TRUE(console.lDate.Visible() && console.Label5.Visible() &&
                console.cmdDays[0].Visible());
    EXPECT_FALSE(console.cmdDays[1].Visible());  // no second child
    EXPECT_EQ(S(console.tMsg.GetText()), " changed\r\n");
    scenario.Click(console.cmdSeeLogs);
    EXPECT_EQ(S(console.tMsg.GetText()), " one\r\n 둘째 줄 고침\r\n 셋\r\n");
    EXPECT_EQ(scenario.LogBytes(), saved);

    scenario.Click(console.cmdDelSave);
    EXPECT_EQ(scenario.LogBytes(), "");
    EXPECT_TRUE(scenario.Data().Exists(u"Logs.txt"));
    EXPECT_EQ(S(console.tMsg.GetText()), "");
    EXPECT_TRUE(console.tMsg.Visible());
    EXPECT_TRUE(scenario.renderer.MessageBoxes().empty());
  }
}

struct EndCase {
  bool uninstall;
  MessageBoxAnswer answer;
  bool runValue = true;  // VarnTime is there to remove
};

TEST(ConsoleCommands, PauseAndUninstallAskFirstAndEndAtOnceOnYes) {
  for (const EndCase& c :
       {EndCase{false, MessageBoxAnswer::No}, EndCase{false, MessageBoxAnswer::Yes},
        EndCase{true, MessageBoxAnswer::No}, EndCase{true, MessageBoxAnswer::Yes},
        EndCase{true, MessageBoxAnswer::Yes, false}}) {
    SCOPED_TRACE(std::to_string(c.uninstall) + " " + std::to_string(static_cast<int>(c.answer)) +
                 " " + std::to_string(c.runValue));
    Scenario scenario;
    if (c.runValue) scenario.registry.values[Registry::kRunValuePath] = u"C:\\Orlimo\\Orlimo.exe";
    scenario.system.processes = {
        {41, u"VarnRunCom.exe"}, {42, u"explorer.exe"}, {43, u"C:\\Orlimo\\VARNRUNCOM.EXE"}};
    scenario.StartWith({{"첫째", 60}});
    scenario.AdvanceSeconds(45);
    frmSetup& console = scenario.OpenConsole();
    std::string settings = scenario.SettingsBytes();
    std::string log = scenario.LogBytes();
    scenario.Click(c.uninstall ? console.cmdUninstall : console.cmdPAUSE);

    ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
    ShownMessageBox question = *scenario.renderer.OpenMessageBox();
    EXPECT_EQ(S(question.text), c.uninstall ? "정말 본 프로그램을 제거 할까요?"
                                            : "컴퓨터 재시작 될때 까지 본 프로그램을 중단합니까?");
    EXPECT_EQ(question.flags, forms::kMbYesNo);
    EXPECT_EQ(S(question.title), "Orlimo");
    scenario.renderer.AnswerMessageBox(c.answer);
    bool removing = c.uninstall && c.answer == MessageBoxAnswer::Yes;
    if (removing) {
      ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
      ShownMessageBox done = *scenario.renderer.OpenMessageBox();
      EXPECT_EQ(S(done.text),
                "시작시 기동을 제거했습니다. 확인후 제어반-프로그램추가제거에서 Orlimo를 제거 "
                "하십시오.");
      EXPECT_EQ(done.flags, forms::kMbOk);
      EXPECT_EQ(S(done.title), "Orlimo");
      EXPECT_EQ(scenario.registry.values.count(Registry::kRunValuePath), 0u);
      EXPECT_TRUE(scenario.system.terminated.empty());  // only after the message is closed
      scenario.renderer.AnswerMessageBox(MessageBoxAnswer::Ok);
    }

    bool ends = c.answer == MessageBoxAnswer::Yes;
    EXPECT_EQ(scenario.Ended(), ends);
    EXPECT_EQ(scenario.renderer.ProgramEndedAtOnce(), ends);
    EXPECT_EQ(scenario.registry.values.count(Registry::kRunValuePath),
              removing || !c.runValue ? 0u : 1u);
    const std::vector<std::uint32_t> kTerminated = {41, 43};
    EXPECT_EQ(scenario.system.terminated, removing ? kTerminated : std::vector<std::uint32_t>());
    EXPECT_EQ(scenario.SettingsBytes(), settings);
    EXPECT_EQ(scenario.LogBytes(), log);  // no closing step runs
    EXPECT_TRUE(scenario.system.started.empty());
    EXPECT_TRUE(console.Loaded());  // ended without any window's closing step
    EXPECT_TRUE(scenario.main().Loaded());
  }
}

TEST(ConsoleCommands, ParentPasswordChangeAsksTwiceInMaskedBoxes) {
  struct Case {
    std::string first;
    std::string second;  // not asked when the first is refused or empty
    std::string message;
    std::string stored;
  };
  const std::string kDiffer = "암호가 서로 틀립니다. 재시도 하십시오.";
  const std::string kComma = "암호에는 쉼표(,)를 쓸 수 없습니다. 다른 암호를 입력하십시오.";
  const std::string kBlanks =
      "암호의 앞이나 뒤에는 빈칸을 둘 수 없습니다. 다른 암호를 입력하십시오.";
  for (const Case& c :
       {Case{"NewPass", "NewPass", "", "NewPass"}, Case{"NewPass", "newpass", kDiffer, "5927"},
        Case{"NewPass", "", kDiffer, "5927"},  // the second box cancelled
        Case{"", "", "", "5927"},              // the first box cancelled
        Case{"   ", "", "", "5927"}, Case{"a,b", "", kComma, "5927"},
        Case{"a`b", "", kComma, "5927"},  // the grave accent would come back as another character
        Case{" ab", "", kBlanks, "5927"}, Case{"ab ", "", kBlanks, "5927"},
        Case{"가 나", "가 나", "", "가 나"}}) {
    SCOPED_TRACE(c.first);
    Scenario scenario;
    scenario.StartWith({{"첫째", 60}});
    frmSetup& console = scenario.OpenConsole();
    std::size_t logLines = scenario.LogLines().size();
    scenario.Click(console.cmdChangePassword);

    ASSERT_TRUE(scenario.renderer.OpenInputBox().has_value());
    EXPECT_EQ(S(scenario.renderer.OpenInputBox()->prompt), "변경할 암호를 입력하십시오!");
    EXPECT_TRUE(scenario.renderer.OpenInputBox()->masked);
    scenario.renderer.AnswerInputBox(U(c.first));
    bool asksAgain = !c.second.empty() || c.message == kDiffer;
    if (asksAgain) {
      ASSERT_TRUE(scenario.renderer.OpenInputBox().has_value());
      EXPECT_EQ(S(scenario.renderer.OpenInputBox()->prompt), "재확인 합니다. 재 입력 바랍니다.");
      EXPECT_TRUE(scenario.renderer.OpenInputBox()->masked);
      EXPECT_EQ(S(scenario.renderer.OpenInputBox()->title), "Orlimo");
      scenario.renderer.AnswerInputBox(U(c.second));
    }
    EXPECT_FALSE(scenario.renderer.OpenInputBox().has_value());
    if (c.message.empty()) {
      EXPECT_FALSE(scenario.renderer.OpenMessageBox().has_value());
    } else {
      ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
      EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text), c.message);
      EXPECT_EQ(scenario.renderer.OpenMessageBox()->flags,
                forms::kMbOk | forms::kMbIconInformation);
      EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->title), "Orlimo");
      scenario.renderer.AnswerMessageBox(MessageBoxAnswer::Ok);
    }
    EXPECT_EQ(S(scenario.SettingsOnDisk().ParentPassword), c.stored);
    EXPECT_EQ(scenario.LogLines().size(), logLines);
    EXPECT_TRUE(console.Visible());
  }
}

}  // namespace
}  // namespace orlimo::testing
