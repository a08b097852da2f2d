// The guard's messages: what the request reader refuses, and that answers carry passwords only
// when they are the parent's full table.
#include <gtest/gtest.h>

#include <string>

#include "guard/protocol.h"

namespace orlimo::guard {
namespace {

std::string WithLength(std::string payload, std::uint32_t length) {
  std::string frame(4, '\0');
  for (int i = 0; i < 4; ++i) frame[i] = static_cast<char>(length >> (8 * i));
  return frame + payload;
}

std::string Payload(const Request& request) {
  return EncodeRequest(request).substr(4);
}

TEST(GuardProtocol, ReaderRefusesAnythingButOneWholeRequest) {
  const std::string choose = Payload(ChooseUser{3, u"pw"});
  const std::string longPassword = Payload(OpenConsole{Text(kMaxPasswordUnits + 1, u'x')});
  std::string badBool = Payload(CloseConsole{});
  badBool = Payload(RewriteLog{true, u"x"});
  badBool[1] = 2;
  std::string twelveUsers = Payload(StoreTable{});
  twelveUsers[2] = 12;
  std::string weekdayUnderDaily = Payload(StoreDays{{DayPlan{}}});
  weekdayUnderDaily[2] = '\xFE';
  struct Case {
    const char* what;
    std::string frame;
  };
  const Case cases[] = {
      {"empty", ""},
      {"header only", WithLength("", 0)},
      {"unknown kind", WithLength("\x63", 1)},
      {"kind zero", WithLength(std::string(1, '\0'), 1)},
      {"length short of the payload", WithLength(choose, 3)},
      {"length past the payload",
       WithLength(choose, static_cast<std::uint32_t>(choose.size() + 1))},
      {"trailing byte", WithLength(choose + "x", static_cast<std::uint32_t>(choose.size() + 1))},
      {"cut field", WithLength(choose.substr(0, 7), 7)},
      {"user number 10", WithLength(Payload(ChooseUser{10, u""}), 9)},
      {"user number -1", WithLength(Payload(ChooseUser{-1, u""}), 9)},
      {"password over the limit",
       WithLength(longPassword, static_cast<std::uint32_t>(longPassword.size()))},
      {"flag neither 0 nor 1", WithLength(badBool, static_cast<std::uint32_t>(badBool.size()))},
      {"eleven users", WithLength(twelveUsers, static_cast<std::uint32_t>(twelveUsers.size()))},
      {"weekday minutes under the daily mark",
       WithLength(weekdayUnderDaily, static_cast<std::uint32_t>(weekdayUnderDaily.size()))},
      {"over the size limit",
       WithLength(std::string(kMaxPayloadBytes + 1, '\x02'), kMaxPayloadBytes + 1)},
  };
  for (const Case& c : cases) {
    ReadRequestResult read = ReadRequest(c.frame);
    EXPECT_FALSE(read.request.has_value()) << c.what;
    EXPECT_EQ(read.error, Result::Malformed) << c.what;
  }
  ASSERT_TRUE(ReadRequest(EncodeRequest(ChooseUser{3, u"pw"})).request.has_value());
  EXPECT_FALSE(PayloadLength(WithLength("", kMaxPayloadBytes + 1)).has_value());
}

TEST(GuardProtocol, PasswordsTravelOnlyWithTheParentsTable) {
  Answer status;
  status.table = TableView{true, {UserView{u"첫째", 60, 1, 70, true, u"secret"}}};
  std::string bytes = EncodeAnswer(status);
  EXPECT_EQ(bytes.find("s\0e\0c\0r\0e\0t", 0, 11), std::string::npos);
  std::optional<Answer> read = ReadAnswer(bytes);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->table->users[0].password, u"");
  EXPECT_TRUE(read->table->users[0].hasPassword);

  Answer secrets = status;
  secrets.parentPassword = u"5927";
  EXPECT_EQ(ReadAnswer(EncodeAnswer(secrets)), secrets);
}

}  // namespace
}  // namespace orlimo::guard
