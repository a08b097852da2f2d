// Whether a process of a given executable name runs.
#pragma once

namespace orlimo::companion {

// Compares the executable names the process list gives, ignoring case. False when the list
// cannot be read.
bool IsRunning(const wchar_t* exeName);

}  // namespace orlimo::companion
