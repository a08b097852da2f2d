// Old start-up shortcuts of the program in the all-users start-up folder.
#pragma once

#include "base/text.h"

namespace orlimo::Main {

// Deletes every file matching the pattern: a folder, the separator, and a file name in which
// "*" stands for any run of characters (matched without regard to case). Ignores every failure.
void DeleteStartupShortcuts(const Text& pattern);

}  // namespace orlimo::Main
