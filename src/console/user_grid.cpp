#include "console/user_grid.h"

#include <stdexcept>

#include "base/number.h"
#include "records/stored_field.h"

namespace orlimo::UserGrid {
namespace {

constexpr char16_t kRowSuffix[] = u"번째 줄: ";
constexpr char16_t kCommaRefused[] =
    u"성명과 암호에는 쉼표(,)를 쓸 수 없습니다. 쉼표를 지우고 다시 저장하십시오.";
constexpr char16_t kMinutesRefused[] =
    u"하루시간(분)은 -2147483648부터 2147483647까지의 수만 쓸 수 있습니다. 고쳐서 다시 "
    u"저장하십시오.";

bool Filled(const Row& row) {
  return !Trim(row.name).empty();
}

// The name and the password are stored trimmed.
bool ReadsBackExactly(const Row& row) {
  return Main::ReadsBackExactly(Trim(row.name)) && Main::ReadsBackExactly(Trim(row.password));
}

Text RowMessage(int row, TextView message) {
  return DecimalText(row + 1) + kRowSuffix + Text(message);
}

}  // namespace

std::optional<Text> Problem(const Rows& rows) {
  for (int r = 0; r < kMaxUsers; ++r) {
    const Row& row = rows[static_cast<std::size_t>(r)];
    if (!Filled(row)) continue;
    if (!ReadsBackExactly(row)) return RowMessage(r, kCommaRefused);
    if (!ReadInt32(row.minutes)) return RowMessage(r, kMinutesRefused);
  }
  return std::nullopt;
}

TableChange Change(const Rows& rows, int userCount, const std::array<bool, kMaxUsers>& keptPassword,
                   bool passwordsInUse) {
  TableChange change;
  change.passwordsInUse = passwordsInUse;
  for (int r = 0; r < kMaxUsers; ++r) {
    const Row& row = rows[static_cast<std::size_t>(r)];
    if (!Filled(row)) continue;
    std::optional<std::int32_t> minutes = ReadInt32(row.minutes);
    if (!minutes) throw std::invalid_argument("allowance out of range");
    StoredUser user;
    user.fromUser = r <= userCount ? r : -1;
    user.name = Trim(row.name);
    user.limitMinutes = *minutes;
    if (!keptPassword[static_cast<std::size_t>(r)] || user.fromUser < 0) {
      user.password = Trim(row.password);
    }
    change.users.push_back(std::move(user));
  }
  return change;
}

}  // namespace orlimo::UserGrid
