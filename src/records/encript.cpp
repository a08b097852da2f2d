#include "records/encript.h"

#include <cstdint>

#include "base/number.h"

namespace orlimo::Encript {
namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
constexpr char16_t kBlank = u' ';
// Besides letters and digits, the characters that a group beginning with "00" stands for.
constexpr TextView kKeptPunctuation = u"-_=+\\|[]{}<>,./?~!@$#%^&*():;'\" ";

Text TrimBlanks(TextView text) {
  std::size_t first = text.find_first_not_of(kBlank);
  if (first == TextView::npos) return {};
  std::size_t last = text.find_last_not_of(kBlank);
  return Text(text.substr(first, last - first + 1));
}

Text ByteHex(unsigned value) {
  return {kHexDigits[(value >> 4) & 0xF], kHexDigits[value & 0xF]};
}

Text GroupOf(char16_t character) {
  unsigned code = character;
  unsigned high = code >> 8;
  unsigned low = code & 0xFF;
  // Codes of two hex digits are padded at their end, so their group starts with the high byte.
  if (code >= 0x10 && code <= 0xFF) return u"00" + ByteHex(low);
  return ByteHex(low) + ByteHex(high);
}

// The value of the leading hex digits (at most four are ever passed); 0 when there are none.
char16_t LeadingHexValue(TextView digits) {
  std::uint32_t value = 0;
  for (char16_t digit : digits) {
    int digitValue = HexDigitValue(digit);
    if (digitValue < 0) break;
    value = (value << 4) | static_cast<std::uint32_t>(digitValue);
  }
  return static_cast<char16_t>(value & 0xFFFF);
}

bool IsKeptCharacter(char16_t character) {
  if (character >= u'a' && character <= u'z') return true;
  if (character >= u'A' && character <= u'Z') return true;  // kept once lowered
  if (character >= u'0' && character <= u'9') return true;
  return kKeptPunctuation.find(character) != TextView::npos;
}

// A group is up to four characters: the last one of a text whose length is not a multiple of
// four is shorter. A short group is read by the same rule as a whole one, its missing characters
// simply absent: "41" gives the value of "41", "004" gives 0x004 when kept, else "4" + "00".
char16_t CharacterOfGroup(TextView group) {
  TextView first = group.substr(0, 2);
  TextView rest = group.size() > 2 ? group.substr(2) : TextView{};
  if (first != u"00") return LeadingHexValue(Text(rest) + Text(first));
  char16_t highByteFirst = LeadingHexValue(group);
  if (IsKeptCharacter(highByteFirst)) return highByteFirst;
  return LeadingHexValue(Text(rest) + u"00");
}

}  // namespace

Text ScrambleLine(TextView line) {
  Text scrambled;
  for (char16_t character : TrimBlanks(line)) scrambled += GroupOf(character);
  return scrambled;
}

Text UnscrambleLine(TextView scrambled) {
  if ((scrambled.size() == 2 || scrambled.size() == 3) && scrambled.starts_with(u"00")) {
    throw UnscrambleError("scrambled text too short for its group");
  }
  Text line;
  for (std::size_t start = 0; start < scrambled.size(); start += 4) {
    TextView group = scrambled.substr(start, 4);
    if (group == u"0D0A") {
      line += u"\r\n";
      continue;
    }
    line += CharacterOfGroup(group);
  }
  return line;
}

}  // namespace orlimo::Encript
