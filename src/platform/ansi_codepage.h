// The system's ANSI code page (949 on Korean Windows), in which Logs.txt is written.
#pragma once

#include <string>
#include <string_view>

#include "base/text.h"

namespace orlimo::platform {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Characters the code page cannot hold become its substitute character ("?").
  virtual std::string Encode(TextView text) const = 0;
  virtual Text Decode(std::string_view bytes) const = 0;
};

}  // namespace orlimo::platform
