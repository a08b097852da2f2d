#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "records/encript.h"

namespace orlimo {
namespace {

using Encript::ScrambleLine;
using Encript::UnscrambleError;
using Encript::UnscrambleLine;

std::string Codes(TextView text) {
  std::string codes;
  for (char16_t character : text) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X ", static_cast<unsigned>(character));
    codes += buffer;
  }
  return codes;
}

// Each character as four hex digits, low byte first; reading takes groups as stored files have
// always been read.
TEST(RecordsEncript, ScramblesLowByteFirstAndUnscramblesAsStoredFilesWereRead) {
  const std::pair<Text, Text> scrambled[] = {{u"abc", u"006100620063"},
                                             {u"  abc  ", u"006100620063"},
                                             {u"\uD55C", u"5CD5"},
                                             {u"\u03A9", u"A903"},  // three hex digits
                                             {u"\t", u"0900"},      // one hex digit
                                             {u"\u00AC", u"00AC"},
                                             {u"a b", u"006100200062"},
                                             {u"", u""},
                                             {u"   ", u""}};
  const std::pair<Text, Text> unscrambled[] = {
      // Four hex digits a character, low byte first, in either case.
      {u"006100620063", u"abc"},
      {u"5CD5", u"\uD55C"},
      {u"5cd5", u"\uD55C"},  // lower case
      {u"0041", u"A"},
      {u"00AC", u"\uAC00"},
      // Line ends, as a group and as the characters it is not.
      {u"0A00", u"\n"},
      {u"0D0A", u"\r\n"},    // CR LF in one group
      {u"0d0a", u"\u0A0D"},  // in lower case one character, not a line end
      // A digit, the grave accent, three hex digits, nothing.
      {u"0030", u"0"},
      {u"0060", u"\u6000"},  // the grave accent comes back as U+6000
      {u"A903", u"\u03A9"},
      {u"", u""},
      // Hex reading stops at the first other character; no leading digit reads as 0.
      {u"4G12", u"\u0124"},
      {u"ZZZZ", Text(1, u'\0')},
      {u"Setup", Text(2, u'\0')},
      // The last group of a text whose length is not a multiple of four.
      {u"004100", Text(u"A") + Text(1, u'\0')},
      {u"0041004", u"A\u0400"},
      {u"004141", u"AA"},
      {u"1", u"\u0001"},
      {u"01", u"\u0001"}};
  for (const auto& [line, stored] : scrambled) EXPECT_EQ(ScrambleLine(line), stored) << Codes(line);
  for (const auto& [stored, line] : unscrambled) {
    EXPECT_EQ(UnscrambleLine(stored), line) << Codes(stored);
  }
}

// Written apart from the reader: which single characters the format cannot carry.
Text ExpectedRoundTrip(char16_t character) {
  const std::u16string keptSymbols = u" !\"#$%&'()*+,-./:;<=>?@[\\]^_{|}~";
  auto kept = [&](unsigned code) {
    bool letter = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
    bool digit = code >= '0' && code <= '9';
    return letter || digit || keptSymbols.find(static_cast<char16_t>(code)) != Text::npos;
  };
  unsigned code = character;
  if (code == 0x0A0D) return u"\r\n";
  bool startsWithDoubleZero = code >= 0x10 && code <= 0xFF;
  if (startsWithDoubleZero && !kept(code)) return Text(1, static_cast<char16_t>(code << 8));
  bool lowByteZero = (code & 0xFF) == 0;
  if (lowByteZero && kept(code >> 8)) return Text(1, static_cast<char16_t>(code >> 8));
  return Text(1, character);
}

TEST(RecordsEncript, EveryCharacterComesBackWithinTheFormatsLimits) {
  int mismatches = 0;
  int changed = 0;
  for (unsigned code = 0; code <= 0xFFFF; ++code) {
    char16_t character = static_cast<char16_t>(code);
    Text line = u"<" + Text(1, character) + u">";
    Text expected = u"<" + ExpectedRoundTrip(character) + u">";
    Text actual = UnscrambleLine(ScrambleLine(line));
    if (actual != expected) {
      ++mismatches;
      ADD_FAILURE_AT(__FILE__, __LINE__) << "code " << Codes(line) << "gave " << Codes(actual);
      if (mismatches > 10) break;
    }
    if (actual != line) ++changed;
  }
  EXPECT_EQ(mismatches, 0);
  // 16 control codes, the grave accent, DEL, 128 high codes, 94 kept 0xLL00 codes, 0x0A0D.
  EXPECT_EQ(changed, 16 + 1 + 1 + 128 + 94 + 1);
}

}  // namespace
}  // namespace orlimo
