// Finding, starting and stopping the companion by name, and the power-off request.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "enforce/ProcessCheck.h"
#include "enforce/ShutDown.h"
#include "platform/fake/fake_services.h"

namespace orlimo {
namespace {

using ::testing::ElementsAre;

struct ProcessCheckTest : ::testing::Test {
  fake::FakeSystem system;
};

TEST_F(ProcessCheckTest, NamesMatchWithoutRegardToCase) {
  struct Case {
    Text exe;
    bool killed;   // suffix match
    bool running;  // prefix match
  };
  const std::vector<Case> cases = {
      {u"VarnRunCom.exe", true, true},
      {u"VARNRUNCOM.EXE", true, true},
      {u"OldVarnRunCom.exe", true, false},
      {u"varnruncom.exe.bak", false, true},
      {u"C:\\Program Files\\Orlimo\\VarnRunCom.exe", true, false},
      {Text(u"VarnRunCom.exe\0junk", 19), true, true},
      {u"RunCom.exe", false, false},
      {u"notepad.exe", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.exe));
    system.processes = {{10, c.exe}, {11, u"explorer.exe"}};
    system.terminated.clear();
    EXPECT_EQ(ProcessCheck::IsProcessRunning(system, u"VarnRunCom.exe"), c.running);
    ProcessCheck::KillProcessByName(system, u"VarnRunCom.exe");
    EXPECT_EQ(system.terminated,
              c.killed ? std::vector<std::uint32_t>{10} : std::vector<std::uint32_t>{});
    EXPECT_TRUE(system.openHandles.empty());
  }
}

TEST_F(ProcessCheckTest, KillStopsEveryCopyAndSkipsThoseItCannotOpen) {
  system.processes = {
      {1, u"VarnRunCom.exe"}, {2, u"a.exe"}, {3, u"varnruncom.exe"}, {4, u"VarnRunCom.exe"}};
  system.protectedProcesses = {4};
  ProcessCheck::KillProcessByName(system, u"VarnRunCom.exe");
  EXPECT_THAT(system.terminated, ElementsAre(1, 3));
  EXPECT_TRUE(system.openHandles.empty());
}

// The debug privilege is held only for the call; a system without access tokens has none to take.
TEST_F(ProcessCheckTest, TerminateTakesTheDebugPrivilegeWhereThereIsOne) {
  struct Case {
    const char* what;
    bool tokensAvailable;
    std::uint32_t version;
    bool otherAccount;  // the process opens only with the privilege on
    bool terminated;
  };
  const Case cases[] = {
      {"another account's process", true, system.version, true, true},
      {"a system without access tokens", false, 0x80000004, false, true},
      {"the privilege cannot be had", false, system.version, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake::FakeSystem fresh;
    fresh.processes = {{42, u"VarnRunCom.exe"}};
    if (c.otherAccount) fresh.otherAccountProcesses = {42};
    fresh.tokensAvailable = c.tokensAvailable;
    fresh.version = c.version;
    EXPECT_EQ(ProcessCheck::TerminateProcessById(fresh, 42, 7), c.terminated);
    EXPECT_EQ(fresh.terminated,
              c.terminated ? std::vector<std::uint32_t>{42} : std::vector<std::uint32_t>{});
    if (c.terminated) {
      EXPECT_EQ(fresh.exitCodes[42], 7u);
    }
    EXPECT_TRUE(fresh.enabledPrivileges.empty());
    EXPECT_TRUE(fresh.openHandles.empty());
  }
}

// Starting the companion:
// Startup.ClosingCreditsTheLastStepAndStartsTheCompanionUnlessTheSessionEnds.
TEST_F(ProcessCheckTest, PowerOffIsRequestedWithTheShutdownPrivilegeOrWithout) {
  ShutDown::ForceWindowsExit(system, ShutDown::ExitForce::IfHung);
  EXPECT_EQ(system.exitFlags, 24u);  // power off, ending the programs that do not answer
  EXPECT_TRUE(system.exitWithShutdownPrivilege);

  fake::FakeSystem withoutTokens;
  withoutTokens.tokensAvailable = false;
  ShutDown::ForceWindowsExit(withoutTokens, ShutDown::ExitForce::Always);
  EXPECT_TRUE(withoutTokens.exitRequested);
  EXPECT_EQ(withoutTokens.exitFlags, 12u);  // power off, ending every program
}

}  // namespace
}  // namespace orlimo
