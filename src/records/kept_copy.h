// Keeping a file that could not be read beside it, before it is rewritten.
#pragma once

#include <string_view>

#include "base/text.h"

namespace orlimo::Main {

// Writes bytes to "<path>.bad", or to "<path>.bad2", "<path>.bad3" ... when the earlier names
// are taken; a kept copy is never overwritten. Throws when no copy can be written.
void KeepUnreadableCopy(const Text& path, std::string_view bytes);

// Whether anything stands at path (a file, a folder, a link even to nothing), or it cannot be told.
bool FileIsThere(const Text& path);

}  // namespace orlimo::Main
