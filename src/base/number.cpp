#include "base/number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace orlimo {

namespace {

bool IsSkipped(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n';
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The text with blanks, tabs and line feeds taken out: they never end a number.
Text WithoutBlanks(TextView text) {
  Text kept;
  kept.reserve(text.size());
  for (char16_t c : text) {
    if (!IsSkipped(c)) kept += c;
  }
  return kept;
}

// "&H" and "&O" numbers. Hex: up to four digits are a 16-bit value, five to eight a 32-bit value;
// digits past the eighth are not read. Octal: a 16-bit value while it fits in 16 bits, else 32-bit.
double RadixNumber(TextView text) {
  const bool hex = text[1] == u'H' || text[1] == u'h';
  std::uint64_t value = 0;
  std::size_t digits = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    if (hex) {
      const int digit = HexDigitValue(text[i]);
      if (digit < 0 || digits == 8) break;
      value = value * 16 + static_cast<std::uint64_t>(digit);
    } else {
      if (text[i] < u'0' || text[i] > u'7') break;
      const std::uint64_t next = value * 8 + static_cast<std::uint64_t>(text[i] - u'0');
      if (next > 0xFFFFFFFFu) break;
      value = next;
    }
    ++digits;
  }
  const bool sixteenBits = hex ? digits <= 4 : value <= 0xFFFFu;
  if (sixteenBits) {
    return value >= 0x8000u ? static_cast<double>(value) - 65536.0 : static_cast<double>(value);
  }
  return value >= 0x80000000u ? static_cast<double>(value) - 4294967296.0
                              : static_cast<double>(value);
}

}  // namespace

double LeadingNumber(TextView original) {
  const Text text = WithoutBlanks(original);
  if (text.size() >= 2 && text[0] == u'&') {
    const char16_t kind = text[1];
    if (kind == u'H' || kind == u'h' || kind == u'O' || kind == u'o')
      return RadixNumber(text) + 0.0;
    return 0.0;
  }

  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // The mantissa as plain ASCII for the conversion, leading zeros dropped.
  std::string mantissa;
  std::int64_t integerDigits = 0;  // significant digits before the point
  bool anyDigit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    anyDigit = true;
    if (mantissa.empty() && text[i] == u'0') continue;
    mantissa += static_cast<char>(text[i]);
    ++integerDigits;
  }
  std::string fraction;
  if (i < text.size() && text[i] == u'.') {
    ++i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      anyDigit = true;
      fraction += static_cast<char>(text[i]);
    }
  }
  if (!anyDigit) return 0.0;

  // The exponent, held within bounds that already make any mantissa overflow or vanish.
  constexpr std::int64_t kExponentLimit = 100000;
  std::int64_t exponent = 0;
  if (i < text.size() &&
      (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
    ++i;
    bool exponentNegative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
      exponentNegative = text[i] == u'-';
      ++i;
    }
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - u'0');
    }
    if (exponentNegative) exponent = -exponent;
  }

  const std::string digits = mantissa + fraction;
  if (digits.find_first_not_of('0') == std::string::npos) return 0.0;

  std::string ascii = (mantissa.empty() ? std::string("0") : mantissa) + "." +
                      (fraction.empty() ? std::string("0") : fraction) + "e" +
                      std::to_string(exponent);
  double value = 0.0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large becomes infinite (out of every range); too small becomes 0.
    std::int64_t magnitude = exponent + integerDigits;
    if (integerDigits == 0) {
      const std::size_t firstSignificant = fraction.find_first_not_of('0');
      magnitude = exponent - static_cast<std::int64_t>(firstSignificant);
    }
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  if (negative) value = -value;
  return value + 0.0;
}

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double rounded = std::floor(value);
  const double rest = value - rounded;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  return rounded + 0.0;
}

namespace {

template <typename Target>
std::optional<Target> ReadInRange(TextView text) {
  const double value = RoundHalfEven(LeadingNumber(text));
  // Written so that NaN fails the test too.
  if (!(value >= static_cast<double>(std::numeric_limits<Target>::min()) &&
        value <= static_cast<double>(std::numeric_limits<Target>::max()))) {
    return std::nullopt;
  }
  return static_cast<Target>(value);
}

}  // namespace

std::optional<std::int32_t> ReadInt32(TextView text) {
  return ReadInRange<std::int32_t>(text);
}
std::optional<std::int16_t> ReadInt16(TextView text) {
  return ReadInRange<std::int16_t>(text);
}
std::optional<std::uint8_t> ReadByte(TextView text) {
  return ReadInRange<std::uint8_t>(text);
}

}  // namespace orlimo
