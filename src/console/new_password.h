// Whether a new password can be kept in Setup.ini and typed again after a restart.
#pragma once

#include <optional>

#include "base/text.h"

namespace orlimo::NewPassword {

// The message that refuses the password, or nothing when it can be stored: a comma would shift
// the fields of Setup.ini, and blanks around it would be dropped when the settings are read.
std::optional<Text> Problem(TextView password);

}  // namespace orlimo::NewPassword
