#include "base/text.h"

#include <string>

namespace orlimo {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

void AppendCodePoint(Text& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

char16_t LowerOf(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
  // Latin-1: À-Þ except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  // Latin Extended-A.
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130) return u'i';
    if (c == 0x178) return 0xFF;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
      return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
      return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    }
    return c;
  }
  // Greek.
  if (c >= 0x370 && c <= 0x3FF) {
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return static_cast<char16_t>(c + 37);
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return static_cast<char16_t>(c + 63);
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) {
      return static_cast<char16_t>(c + 32);
    }
    if (c >= 0x3D8 && c <= 0x3EF) return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    return c;
  }
  // Cyrillic.
  if (c >= 0x400 && c <= 0x52F) {
    if (c <= 0x40F) return static_cast<char16_t>(c + 80);
    if (c <= 0x42F) return static_cast<char16_t>(c + 32);
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
      return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    }
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    return c;
  }
  return c;
}

}  // namespace

Text FromUtf8(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  const std::size_t size = utf8.size();
  std::size_t i = 0;
  auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
  while (i < size) {
    const unsigned char lead = byteAt(i);
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    int length = 0;
    char32_t code = 0;
    // The range the second byte must fall in rules out overlong forms and values past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    std::size_t next = i + 1;
    bool valid = true;
    for (int k = 1; k < length; ++k, ++next) {
      if (next >= size) {
        valid = false;
        break;
      }
      const unsigned char byte = byteAt(next);
      const bool inRange = (k == 1) ? (byte >= low && byte <= high) : IsContinuation(byte);
      if (!inRange) {
        valid = false;
        break;
      }
      code = (code << 6) | (byte & 0x3F);
    }
    if (!valid) {
      out += kReplacement;
      i = (next > i + 1) ? next : i + 1;
      continue;
    }
    // Encoded surrogates (as ToUtf8 writes lone ones) come back as the same code units.
    AppendCodePoint(out, code);
    i = next;
  }
  return out;
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      const char32_t code = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                            (static_cast<char32_t>(text[i + 1]) - 0xDC00);
      AppendUtf8(out, code);
      ++i;
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

Text Trim(TextView text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == TextView::npos) return Text();
  const std::size_t last = text.find_last_not_of(u' ');
  return Text(text.substr(first, last - first + 1));
}

Text ToLower(TextView text) {
  Text out(text);
  for (char16_t& c : out) c = LowerOf(c);
  return out;
}

Text DecimalText(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

std::vector<Text> SplitLines(TextView text) {
  std::vector<Text> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\r', start);
    if (end == TextView::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (start < text.size() && text[start] == u'\n') ++start;
  }
  return lines;
}

}  // namespace orlimo
