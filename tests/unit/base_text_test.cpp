// Text conversions the settings file, the log and the Win32 layer rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>

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

}  // namespace
}  // namespace orlimo
