// The two families a save is cut off between in the crash tests, native and under Wine: a small
// one and a full table, so that their Setup.ini files differ in size.
#pragma once

#include "records/settings.h"

namespace orlimo::testing {

inline Settings SmallFamily() {
  Settings settings;
  settings.User(0) = {u"첫째", DateFromFields({2026, 12, 6, 15, 0, 0}), 60, 10, 600, u"1234"};
  settings.User(1) = {u"둘째", DateFromFields({2026, 12, 6, 15, 0, 0}), 45, 0, 0, u""};
  settings.UserCount = 1;
  settings.PasswordsInUse = 1;
  settings.ParentPassword = u"부모";
  return settings;
}

inline Settings FullFamily() {
  Settings settings;
  for (int user = 0; user < kMaxUsers; ++user) {
    settings.User(user) = {u"아이" + DecimalText(user),
                           DateFromFields({2026, 12, 7, 9, 30, 0}),
                           30 + user,
                           user,
                           60 * user + 7,
                           u"pw" + DecimalText(user)};
  }
  settings.UserCount = kMaxUsers - 1;
  settings.ParentPassword = u"5927";
  return settings;
}

}  // namespace orlimo::testing
