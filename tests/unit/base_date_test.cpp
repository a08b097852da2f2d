// Date values as the metering, the log and Setup.ini's Day field use them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/date.h"
#include "base/text.h"

namespace orlimo {
namespace {

// Seconds exact across the epoch and a leap day; reading to the nearest second, unusable values
// clamped; time stamps zero-padded.
TEST(BaseDate, SecondsReadingAndTimestampsAtTheirEdges) {
  EXPECT_EQ(SecondsFromFields({1899, 12, 30, 0, 0, 0}), 0);
  EXPECT_EQ(SecondsFromFields({1899, 12, 29, 23, 59, 59}), -1);
  EXPECT_EQ(SecondsFromFields({1899, 12, 29, 6, 0, 0}), -64800);
  EXPECT_EQ(SecondsFromFields({1900, 1, 1, 0, 0, 30}), 2 * 86400 + 30);
  EXPECT_EQ(FieldsFromSeconds(-1), (DateTimeFields{1899, 12, 29, 23, 59, 59}));
  EXPECT_EQ(SecondsFromFields({2004, 3, 1, 0, 0, 0}) - SecondsFromFields({2004, 2, 28, 0, 0, 0}),
            2 * 86400);
  const double base = DateFromFields({2003, 12, 4, 16, 5, 9});
  EXPECT_EQ(FieldsFromDate(base + 0.4 / 86400), (DateTimeFields{2003, 12, 4, 16, 5, 9}));
  EXPECT_EQ(FieldsFromDate(base + 0.6 / 86400), (DateTimeFields{2003, 12, 4, 16, 5, 10}));
  const double lastSecond = DateFromFields({2003, 12, 31, 23, 59, 59});
  EXPECT_EQ(FieldsFromDate(lastSecond + 0.9 / 86400), (DateTimeFields{2004, 1, 1, 0, 0, 0}));
  // Unusable values give the nearest date kept (a billion days either way), or the epoch.
  EXPECT_EQ(FieldsFromDate(1e300), FieldsFromDate(1e9));
  EXPECT_EQ(FieldsFromDate(-1e300), FieldsFromDate(-1e9));
  EXPECT_NE(FieldsFromDate(1e9), FieldsFromDate(1e9 - 1));
  EXPECT_EQ(FieldsFromDate(std::numeric_limits<double>::quiet_NaN()),
            (DateTimeFields{1899, 12, 30, 0, 0, 0}));
  EXPECT_EQ(TimestampText(DateTimeFields{2003, 1, 4, 6, 5, 9}), u"2003-01-04 06:05:09");
  EXPECT_EQ(TimestampText(DateFromFields({2024, 12, 31, 23, 59, 59})), u"2024-12-31 23:59:59");
  EXPECT_EQ(TimestampText(-1.25), u"1899-12-29 06:00:00");
}

TEST(BaseDate, ParsesGeneralDateForms) {
  const struct {
    const char16_t* text;
    DateTimeFields fields;
  } cases[] = {
      {u"2003-12-04 16:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"2003-12-04 오후 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"2003-12-04 오전 4:05:09", {2003, 12, 4, 4, 5, 9}},
      {u"2003-12-04 오전 12:05:00", {2003, 12, 4, 0, 5, 0}},
      {u"2003-12-04 오후 12:05:00", {2003, 12, 4, 12, 5, 0}},
      {u"2003-12-04 4:05:09 오후", {2003, 12, 4, 16, 5, 9}},
      {u"2003. 12. 4. 오후 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"2003. 12. 4.", {2003, 12, 4, 0, 0, 0}},
      {u"2003.12.04 16:05", {2003, 12, 4, 16, 5, 0}},
      {u"2003/12/04 PM 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"2003-12-04 pm 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"12/4/2003 4:05:09 PM", {2003, 12, 4, 16, 5, 9}},
      {u"12/4/2003 4:05:09 am", {2003, 12, 4, 4, 5, 9}},
      {u"12/4/2003 12:00:00 AM", {2003, 12, 4, 0, 0, 0}},
      {u"12/4/2003 12:00:00 PM", {2003, 12, 4, 12, 0, 0}},
      {u"12/4/2003", {2003, 12, 4, 0, 0, 0}},
      {u"1/14/2003", {2003, 1, 14, 0, 0, 0}},
      {u"0100-01-01", {100, 1, 1, 0, 0, 0}},
      {u"2004-02-29", {2004, 2, 29, 0, 0, 0}},
      {u"2000-02-29 23:59:59", {2000, 2, 29, 23, 59, 59}},
      {u"  2003-12-04 16:05:09  ", {2003, 12, 4, 16, 5, 9}},
      {u"2003-12-04 0:00:00", {2003, 12, 4, 0, 0, 0}},
      {u"2003-12-04 23:59", {2003, 12, 4, 23, 59, 0}},
      // The other short date forms a Korean Control Panel offers, with the Korean or English
      // long time; a two-digit year is one of 1930 to 2029, as Windows reads it by default.
      {u"03-12-04 오후 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"03-12-04 4:05:09 PM", {2003, 12, 4, 16, 5, 9}},
      {u"03-12-04", {2003, 12, 4, 0, 0, 0}},
      {u"99-12-31 23:59:59", {1999, 12, 31, 23, 59, 59}},
      {u"30-01-01 오전 12:00:01", {1930, 1, 1, 0, 0, 1}},
      {u"29-12-31 PM 11:59:59", {2029, 12, 31, 23, 59, 59}},
      {u"00-02-29", {2000, 2, 29, 0, 0, 0}},
      {u"2003.12.04 오후 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"2003.12.04 4:05:09 PM", {2003, 12, 4, 16, 5, 9}},
      {u"2003.12.04", {2003, 12, 4, 0, 0, 0}},
      {u"2003/12/04 오후 4:05:09", {2003, 12, 4, 16, 5, 9}},
      {u"2003/12/04 4:05:09 PM", {2003, 12, 4, 16, 5, 9}},
      {u"2003/12/04", {2003, 12, 4, 0, 0, 0}},
      // Time alone: the date part is zero.
      {u"오후 4:05:09", {1899, 12, 30, 16, 5, 9}},
      {u"4:05:09 PM", {1899, 12, 30, 16, 5, 9}},
      {u"16:05:09", {1899, 12, 30, 16, 5, 9}},
      {u"0:00:01", {1899, 12, 30, 0, 0, 1}},
  };
  for (const auto& c : cases) {
    const std::optional<DateValue> value = ParseDate(c.text);
    ASSERT_TRUE(value.has_value()) << ToUtf8(c.text);
    // Exactly the double the fields give, so dates read back compare equal to dates computed.
    EXPECT_EQ(*value, DateFromFields(c.fields)) << ToUtf8(c.text);
  }
}

TEST(BaseDate, RejectsUnreadableText) {
  const char16_t* const cases[] = {
      u"",
      u"   ",
      u"abc",
      u"2003",
      u"2003-12",
      u"0099-12-31",
      u"2003-13-01",
      u"2003-00-01",
      u"2003-12-32",
      u"2003-01-32",
      u"2003-12-00",
      u"2003-02-29",
      u"1900-02-29",
      u"2003-04-31",
      u"13/4/2003",
      u"2/30/2004",
      u"2003-12/04",
      u"2003-12-04 24:00:00",
      u"2003-12-04 16:60:00",
      u"2003-12-04 16:05:60",
      u"2003-12-04 오후 13:05:00",
      u"2003-12-04 오전 0:05:00",
      u"2003-12-04 오후 4:05:09 PM",
      u"2003-12-04 오후",
      u"2003-12-04 16",
      u"2003-12-04 16:",
      u"2003-12-04 16:05:",
      u"2003-12-04 16:05:09 x",
      u"2003-12-04x",
      u"12-4-2003",
      u"03-02-29",
      u"03-13-04",
      u"3-12-04",
      u"03-12-4-2",
      u"4:05:09 오후 PM",
      u"12345-01-01",
      u"2003-12-04 16:05:09:01",
      u"99999999999:00",
  };
  for (const char16_t* text : cases) {
    EXPECT_EQ(ParseDate(text), std::nullopt) << ToUtf8(text);
  }
}

}  // namespace
}  // namespace orlimo
