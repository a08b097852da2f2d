// Reading a whole file at once.
#pragma once

#include <optional>
#include <string>

#include "base/text.h"

namespace orlimo {

// The bytes of the file; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const Text& path);

}  // namespace orlimo
