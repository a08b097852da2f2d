// What the guard's host cannot do, in the guard's own log.
#include "guard/guard.h"

namespace orlimo::guard {

void Guard::LogPipeUnavailable() {
  files_.records().WriteLog(kPipeUnavailableLine);
}

}  // namespace orlimo::guard
