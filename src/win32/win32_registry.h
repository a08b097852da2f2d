// Reads and deletes one registry value by its full path, in the 64-bit view of the registry.
#pragma once

#include "platform/registry.h"

namespace orlimo::win32 {

class Win32Registry : public platform::Registry {
 public:
  // REG_SZ, or REG_EXPAND_SZ with its environment strings expanded.
  Text ReadString(const Text& path) override;
  // A path ending in "\" names a key, which is never deleted: that throws too.
  void DeleteValue(const Text& path) override;
};

}  // namespace orlimo::win32
