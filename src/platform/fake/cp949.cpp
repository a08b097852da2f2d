#include "platform/fake/cp949.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace orlimo::fake {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one unit; false when the input unit cannot be represented.
  bool Convert(const char* in, std::size_t inLength, std::string& out) {
    char buffer[16];
    char* inPtr = const_cast<char*>(in);
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &inPtr, &inLength, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      return false;
    }
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Cp949CodePage::Encode(TextView text) const {
  Converter converter("CP949", "UTF-16LE");
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char unit[4] = {static_cast<char>(text[i] & 0xFF), static_cast<char>(text[i] >> 8)};
    std::size_t length = 2;
    bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
                text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
    if (pair) {
      unit[2] = static_cast<char>(text[i + 1] & 0xFF);
      unit[3] = static_cast<char>(text[i + 1] >> 8);
      length = 4;
    }
    if (!converter.Convert(unit, length, bytes)) bytes += '?';
    if (pair) ++i;
  }
  return bytes;
}

Text Cp949CodePage::Decode(std::string_view bytes) const {
  Converter converter("UTF-16LE", "CP949");
  std::string utf16;
  for (std::size_t i = 0; i < bytes.size();) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = (lead >= 0x81 && lead <= 0xFE && i + 1 < bytes.size()) ? 2 : 1;
    if (!converter.Convert(bytes.data() + i, length, utf16)) utf16 += std::string("\x3F\x00", 2);
    i += length;
  }
  Text text;
  for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(utf16[i]) |
                                  (static_cast<unsigned char>(utf16[i + 1]) << 8));
  }
  return text;
}

}  // namespace orlimo::fake
