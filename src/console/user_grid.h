// What the setup console's grid stores as the user table.
#pragma once

#include <array>
#include <optional>

#include "base/text.h"
#include "records/settings.h"
#include "supervisor/requests.h"

namespace orlimo::UserGrid {

// The texts of one grid row, as typed.
struct Row {
  Text name;
  Text minutes;
  Text password;
};
using Rows = std::array<Row, kMaxUsers>;

// What a password box holds for a child with a password while the passwords are not shown.
inline constexpr char16_t kPasswordStandIn[] = u"\u25CF\u25CF\u25CF\u25CF";

// Why the grid cannot be stored, as a message naming the first row at fault; nothing when it
// can. A name or password must read back from Setup.ini as typed (a comma would shift the fields
// of its line, and some characters come back as others), and an allowance must fit LimitMinutes.
std::optional<Text> Problem(const Rows& rows);

// The rows whose trimmed name is not empty, as users 0, 1, ... in grid order, each keeping the
// usage of the day of the user it was shown from (rows past userCount are new users), so a gap
// closes by moving later users up as whole records. A row whose password is kept sends none.
// The rows must have no Problem.
TableChange Change(const Rows& rows, int userCount, const std::array<bool, kMaxUsers>& keptPassword,
                   bool passwordsInUse);

}  // namespace orlimo::UserGrid
