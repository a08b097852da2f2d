// The Unix process Wine runs a Windows program in, seen through Wine's Z: drive. Under Wine,
// GetProcessTimes and GetThreadTimes give no figures for another process; /proc/<pid>/stat of
// its Unix process has them.
#pragma once

#include <string>

namespace orlimo::winbench {

// The Unix process id of the running program started with <exe> (its full Windows path, which
// is the first word of its Unix command line) in this Wine prefix, or 0 when none is found.
// Other command lines that merely name <exe> (the probe's own) and the programs of other Wine
// prefixes on the machine are not taken.
unsigned UnixProcessOf(const std::wstring& exe);

// User plus system time of the Unix process so far, in seconds (-1 when it cannot be read).
double UnixProcessorSeconds(unsigned pid);

}  // namespace orlimo::winbench
