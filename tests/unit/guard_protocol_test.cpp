// The guard's messages: what the request reader refuses, and that every part of a request or an
// answer comes back as it was sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  std::string weekdayUnderDaily = Payload(StoreDays{0, DaysChange{}});
  weekdayUnderDaily[5] = '\xFE';
  DaysChange pastTheLock;
  pastTheLock.end = static_cast<EndAction>(3);
  const std::string unknownEnd = Payload(StoreDays{0, pastTheLock});
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
      {"an end past the lock",
       WithLength(unknownEnd, static_cast<std::uint32_t>(unknownEnd.size()))},
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

TEST(GuardProtocol, RequestsAndAnswersComeBackAsTheyWereSent) {
  TableChange change;
  change.passwordsInUse = true;
  change.users = {{2, u"첫째", 90, std::nullopt}, {-1, u"새아이", 30, u"pw"}};
  DaysChange days;
  days.weekdayMinutes[6] = 120;
  days.extraToday = -15;
  days.hours[6] = AllowedHours{8 * 60, 24 * 60};
  for (const Request& request : std::vector<Request>{StoreTable{change}, StoreDays{1, days},
                                                     ChangeOwnPassword{2, u"old", u"새"}}) {
    ReadRequestResult read = ReadRequest(EncodeRequest(request));
    ASSERT_TRUE(read.request.has_value());
    EXPECT_EQ(EncodeRequest(*read.request), EncodeRequest(request));
  }

  Answer answer;
  answer.result = Result::Wait;
  answer.waitSeconds = 30;
  SessionSnapshot view;
  view.passwordsInUse = true;
  view.users = {{u"첫째", 60, 75, 12, 734, true}, {u"둘째", 30, 30, 0, 0, false}};
  view.currentUser = 1;
  view.chooseSeconds = 95;
  view.countdownMsLeft = 12500;
  view.chimes = 7;
  view.notices = 2;
  view.notice = u"첫째 님, 5분 남았습니다.";
  view.msToNextChange = 500;
  answer.session = view;
  answer.console = ConsoleView{3, true};
  answer.passwords = std::vector<Text>{u"abc", u""};
  Renumbering renumbering;
  renumbering.fill(-1);
  renumbering[2] = 0;
  answer.renumbering = renumbering;
  answer.log = LogPiece{40, u"2026-12-07 15:00:00 시작"};
  ChildDays child;
  child.WeekdayMinutes[0] = 30;
  child.ExtraMinutes = 10;
  child.ExtraDay = 46000;
  child.Hours[0] = AllowedHours{0, 21 * 60};
  child.History[45999] = {50, 60};
  answer.days = std::vector<ChildDays>{child, ChildDays{}};
  EXPECT_EQ(ReadAnswer(EncodeAnswer(answer)), answer);
}

}  // namespace
}  // namespace orlimo::guard
