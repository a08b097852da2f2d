// Text in the system's ANSI code page (949 on Korean Windows).
#pragma once

#include "platform/ansi_codepage.h"

namespace orlimo::win32 {

class Win32AnsiCodePage : public platform::AnsiCodePage {
 public:
  std::string Encode(TextView text) const override;
  Text Decode(std::string_view bytes) const override;
};

}  // namespace orlimo::win32
