// Numbers in the settings file and the console's boxes must read as they always have.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "base/number.h"
#include "base/text.h"

namespace orlimo {
namespace {

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

}  // namespace
}  // namespace orlimo
