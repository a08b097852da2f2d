// Code page 949 through iconv, so tests see the bytes a Korean PC writes.
#pragma once

#include "platform/ansi_codepage.h"

namespace orlimo::fake {

class Cp949CodePage : public platform::AnsiCodePage {
 public:
  std::string Encode(TextView text) const override;
  Text Decode(std::string_view bytes) const override;
};

}  // namespace orlimo::fake
