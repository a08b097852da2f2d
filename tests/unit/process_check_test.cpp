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

}  // namespace
}  // namespace orlimo
