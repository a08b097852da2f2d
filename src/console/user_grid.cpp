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

// The record a row was filled from; a row past the last user starts a new one.
UserEntry ShownRecord(const Settings& settings, int row) {
  if (row <= settings.UserCount) return settings.User(row);
  UserEntry fresh;
  fresh.Day = settings.User(row).Day;
  return fresh;
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

Renumbering Store(Settings& settings, const Rows& rows) {
  Renumbering renumbering;
  renumbering.fill(-1);
  std::array<UserEntry, kMaxUsers> stored{};
  int count = 0;
  for (int r = 0; r < kMaxUsers; ++r) {
    const Row& row = rows[static_cast<std::size_t>(r)];
    if (!Filled(row)) continue;
    std::optional<std::int32_t> minutes = ReadInt32(row.minutes);
    if (!minutes) throw std::invalid_argument("allowance out of range");
    UserEntry user = ShownRecord(settings, r);
    user.Name = Trim(row.name);
    user.LimitMinutes = *minutes;
    user.Password = Trim(row.password);
    stored[static_cast<std::size_t>(count)] = user;
    renumbering[static_cast<std::size_t>(r)] = count++;
  }
  for (int u = 0; u < kMaxUsers; ++u) {
    UserEntry& slot = settings.User(u);
    if (u < count) {
      slot = stored[static_cast<std::size_t>(u)];
    } else {
      DateValue day = slot.Day;
      slot = UserEntry{};
      slot.Day = day;
    }
  }
  settings.UserCount = static_cast<std::int16_t>(count - 1);
  return renumbering;
}

}  // namespace orlimo::UserGrid
