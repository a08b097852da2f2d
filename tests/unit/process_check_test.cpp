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

TEST_F(ProcessCheckTest, TerminateHoldsTheDebugPrivilegeOnlyForTheCall) {
  system.processes = {{42, u"VarnRunCom.exe"}};
  system.otherAccountProcesses = {42};
  EXPECT_TRUE(ProcessCheck::TerminateProcessById(system, 42, 7));
  EXPECT_THAT(system.terminated, ElementsAre(42));
  EXPECT_EQ(system.exitCodes[42], 7u);
  EXPECT_TRUE(system.enabledPrivileges.empty());
  EXPECT_TRUE(system.openHandles.empty());
}

TEST_F(ProcessCheckTest, TerminateWithoutAccessTokensSkipsThePrivilege) {
  system.processes = {{42, u"x.exe"}};
  system.version = 0x80000004;
  system.tokensAvailable = false;  // such systems have none
  EXPECT_TRUE(ProcessCheck::TerminateProcessById(system, 42, 0));
  EXPECT_THAT(system.terminated, ElementsAre(42));
}

TEST_F(ProcessCheckTest, TerminateGivesUpWhenThePrivilegeCannotBeHad) {
  system.processes = {{42, u"x.exe"}};
  system.tokensAvailable = false;
  EXPECT_FALSE(ProcessCheck::TerminateProcessById(system, 42, 0));
  EXPECT_TRUE(system.terminated.empty());
}

TEST_F(ProcessCheckTest, CompanionStartsFromTheProgramFolderOnlyWhenNotRunning) {
  ProcessCheck::EnsureCompanionRunning(system, u"/opt/orlimo");
  ProcessCheck::EnsureCompanionRunning(system, u"/opt/orlimo");
  ASSERT_EQ(system.started.size(), 1u);
  EXPECT_EQ(ToUtf8(system.started[0]), "/opt/orlimo/VarnRunCom.exe");
}

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
