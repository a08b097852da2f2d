// Whether a new password can be kept in Setup.ini and typed again after a restart.
#pragma once

#include <optional>

#include "base/text.h"

namespace orlimo::NewPassword {

// The message that refuses the password, or nothing when it can be stored: it must read back
// from Setup.ini as typed, so a comma (which would shift the fields of its line) and the
// characters that the file gives back as others are refused with the comma's message, and blanks
// around it (which reading drops) with their own.
std::optional<Text> Problem(TextView password);

}  // namespace orlimo::NewPassword
