// Whole-file replacement that never leaves a torn file behind.
#pragma once

#include <string_view>

#include "base/text.h"

namespace orlimo {

// Writes bytes to "<path>.tmp" in the same folder, flushes it to the disk, then moves it over
// path. Throws std::runtime_error on any failure; the file at path is then as it was, and no
// temporary file is left behind.
void ReplaceFileAtomically(const Text& path, std::string_view bytes);

}  // namespace orlimo
