// The program's version, as the build gives it.
#pragma once

#include "base/text.h"

namespace orlimo {

// "Orlimo Ver.<major>.<minor>.<patch>"
inline Text VersionTitle() {
  return u"Orlimo Ver." + DecimalText(ORLIMO_VERSION_MAJOR) + u"." +
         DecimalText(ORLIMO_VERSION_MINOR) + u"." + DecimalText(ORLIMO_VERSION_PATCH);
}

// The main window's caption, which is also the program's second start line in the log.
inline Text ProgramCaption() {
  return VersionTitle() + u"    Orlimo  (C) Orlimo 개발팀";
}

}  // namespace orlimo
