// The value rules the settings file, the log and the console's boxes rely on, as files of earlier
// releases were written: text conversions, numbers, dates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/date.h"
#include "base/number.h"
#include "base/text.h"

namespace orlimo {
namespace {

TEST(BaseText, Utf8RoundTripsKoreanAndAstralText) {
  const Text samples[] = {
      u"",   u"abc",          u"가",          u"오후 4:05:09",
      u"é€", u"\U0001F600 x", Text(1, u'\0'), u"\u007F\u0080\u07FF\u0800\U00010000"};
  for (const Text& sample : samples) EXPECT_EQ(FromUtf8(ToUtf8(sample)), sample);
  EXPECT_EQ(ToUtf8(u"가"), "\xEA\xB0\x80");
  EXPECT_EQ(ToUtf8(u"\U0001F600\U00010000"), "\xF0\x9F\x98\x80\xF0\x90\x80\x80");
  EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), Text(u"\xD83D\xDE00"));
}

TEST(BaseText, InvalidUtf8BecomesReplacement) {
  const struct {
    std::string utf8;
    Text text;
  } cases[] = {
      {"\xFF", u"\uFFFD"},
      {"a\x80z", u"a\uFFFDz"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong
      {"\xEA\xB0", u"\uFFFD"},                            // cut short at the end
      {"\xEA\xB0z", u"\uFFFDz"},                          // cut short before a letter
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.utf8), c.text) << c.utf8;
}

// Trim takes blanks only; ToLower folds the simple letters of the Latin, Greek and Cyrillic
// blocks; DecimalText is plain, down to the smallest number.
TEST(BaseText, TrimToLowerAndDecimalText) {
  const std::pair<Text, Text> cases[] = {
      {Trim(u"  a b  "), u"a b"},
      {Trim(u"   "), u""},
      {Trim(u""), u""},
      {Trim(u"\ta\t"), u"\ta\t"},
      {Trim(u" \u3000x\u3000 "), u"\u3000x\u3000"},
      {ToLower(u"ABC XYZ 09 PM@["), u"abc xyz 09 pm@["},
      {ToLower(u"ÀÉÖ×ÞÿŸ"), u"àéö×þÿÿ"},
      {ToLower(u"ĀĹŊŽ"), u"āĺŋž"},
      {ToLower(u"ΑΩΆΈΏω"), u"αωάέώω"},
      {ToLower(u"ЁАЯѢ"), u"ёаяѣ"},
      {ToLower(u"오후 가"), u"오후 가"},
      {DecimalText(0), u"0"},
      {DecimalText(1234567), u"1234567"},
      {DecimalText(-5), u"-5"},
      {DecimalText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808"},
  };
  for (const auto& [result, expected] : cases) EXPECT_EQ(result, expected);
}

struct LeadingCase {
  const char16_t* text;
  double value;
};

TEST(BaseNumber, LeadingNumberReadsEveryKnownForm) {
  const struct {
    const char* rule;
    std::vector<LeadingCase> cases;
  } rules[] = {
      {"blanks, tabs and line feeds are skipped anywhere, also between digits",
       {{u" 2 45 7", 2457},
        {u"1615 198th Street", 1615198},
        {u" 4 5 ", 45},
        {u"\t1\n2", 12},
        {u"- 5", -5}}},
      {"one sign; a second one ends the number",
       {{u"+7", 7}, {u"-7", -7}, {u"--5", 0}, {u"+-5", 0}}},
      {"the point is always '.', and a second one ends the number",
       {{u"1.2.3", 1.2}, {u".5", 0.5}, {u"-.5", -0.5}, {u"3.", 3}, {u".", 0}}},
      {"exponents: E e D d, optional sign, empty exponent is 0",
       {{u"1e", 1},
        {u"1e+", 1},
        {u"1e-", 1},
        {u"1D-2", 0.01},
        {u"1d2", 100},
        {u"2E3", 2000},
        {u"1.5e1", 15},
        {u"1e 2", 100},
        {u"e5", 0}}},
      {"hexadecimal and octal: 1-4 hex digits are 16-bit, 5-8 are 32-bit",
       {{u"&HFFFF", -1},
        {u"&H8000", -32768},
        {u"&H7FFF", 32767},
        {u"&HFFFFFFFF", -1},
        {u"&H10000", 65536},
        {u"&h1f", 31},
        {u"&H", 0},
        {u"&HG", 0},
        {u"&H1G", 1},
        {u"&O17", 15},
        {u"&o177777", -1},
        {u"&O200000", 65536},
        {u"&", 0},
        {u"&X1", 0}}},
      {"nothing numeric at the start", {{u"", 0}, {u"abc", 0}, {u"-", 0}, {u"-0", 0}}},
      {"the rest is ignored", {{u"1,234", 1}, {u"12abc", 12}, {u"0012", 12}, {u"1.5분", 1.5}}},
  };
  for (const auto& [rule, cases] : rules) {
    for (const LeadingCase& c : cases) {
      const double value = LeadingNumber(c.text);
      EXPECT_DOUBLE_EQ(value, c.value) << rule << ": " << ToUtf8(c.text);
      EXPECT_FALSE(std::signbit(value) && value == 0) << "negative zero from " << ToUtf8(c.text);
    }
  }
}

TEST(BaseNumber, HugeExponentsStayDefined) {
  EXPECT_TRUE(std::isinf(LeadingNumber(u"1e400")));
  EXPECT_TRUE(std::isinf(LeadingNumber(u"-9e99999999999999999999")));
  EXPECT_LT(LeadingNumber(u"-1e400"), 0);
  EXPECT_EQ(LeadingNumber(u"1e-400"), 0.0);
  EXPECT_EQ(LeadingNumber(u"0e99999"), 0.0);
  EXPECT_EQ(LeadingNumber(u"0.0000001e-999999"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(u"100000000000000000000e-20"), 1.0);
  EXPECT_EQ(ReadInt32(u"1e400"), std::nullopt);
  EXPECT_EQ(ReadInt16(u"-1e400"), std::nullopt);
  EXPECT_EQ(ReadByte(u"1e99999999"), std::nullopt);
  EXPECT_EQ(ReadInt32(u"1e-400"), 0);
}

struct RangeCase {
  const char16_t* text;
  std::optional<long long> int32;
  std::optional<long long> int16;
  std::optional<long long> byte;
};

constexpr std::nullopt_t kOut = std::nullopt;

template <typename T>
std::optional<long long> Widen(std::optional<T> value) {
  if (!value) return std::nullopt;
  return static_cast<long long>(*value);
}

TEST(BaseNumber, RangeIsCheckedAfterRounding) {
  const RangeCase cases[] = {
      {u"0", 0, 0, 0},
      {u"", 0, 0, 0},
      {u"abc", 0, 0, 0},
      {u"1.5", 2, 2, 2},
      {u"2.5", 2, 2, 2},
      {u"-1", -1, -1, kOut},
      // 16-bit limits.
      {u"32767.49", 32767, 32767, kOut},
      {u"32767.5", 32768, kOut, kOut},
      {u"-32768.5", -32768, -32768, kOut},
      {u"-32768.51", -32769, kOut, kOut},
      // 8-bit unsigned limits.
      {u"255.49", 255, 255, 255},
      {u"255.5", 256, 256, kOut},
      {u"-0.5", 0, 0, 0},
      {u"-0.51", -1, -1, kOut},
      // 32-bit limits.
      {u"2147483647", 2147483647, kOut, kOut},
      {u"2147483647.49", 2147483647, kOut, kOut},
      {u"2147483647.5", kOut, kOut, kOut},
      {u"-2147483648.5", -2147483648LL, kOut, kOut},
      {u"-2147483648.51", kOut, kOut, kOut},
      // Hexadecimal keeps its 16-bit or 32-bit meaning.
      {u"&HFFFF", -1, -1, kOut},
      {u"&HFF", 255, 255, 255},
      {u"&H10000", 65536, kOut, kOut},
      {u"&H80000000", -2147483648LL, kOut, kOut},
  };
  for (const RangeCase& c : cases) {
    const std::string label = ToUtf8(c.text);
    EXPECT_EQ(Widen(ReadInt32(c.text)), c.int32) << label;
    EXPECT_EQ(Widen(ReadInt16(c.text)), c.int16) << label;
    EXPECT_EQ(Widen(ReadByte(c.text)), c.byte) << label;
  }
}

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
