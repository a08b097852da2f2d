// What the setup console's grid stores into the user table.
#pragma once

#include <array>
#include <optional>

#include "base/text.h"
#include "records/settings.h"

namespace orlimo::UserGrid {

// The texts of one grid row, as typed.
struct Row {
  Text name;
  Text minutes;
  Text password;
};
using Rows = std::array<Row, kMaxUsers>;

// Why the grid cannot be stored, as a message naming the first row at fault; nothing when it
// can. A name or password must read back from Setup.ini as typed (a comma would shift the fields
// of its line, and some characters come back as others), and an allowance must fit LimitMinutes.
std::optional<Text> Problem(const Rows& rows);

// For each old user number, the user's number after the store; -1 when the row was emptied.
using Renumbering = std::array<int, kMaxUsers>;

// Stores the rows whose trimmed name is not empty into users 0, 1, ... in grid order, each with
// the usage of the day of the slot it was shown from, so a gap closes by moving later users up
// as whole records. The slots past the last user are cleared. The rows must have no Problem.
Renumbering Store(Settings& settings, const Rows& rows);

}  // namespace orlimo::UserGrid
