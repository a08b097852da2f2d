// Reads and deletes one registry value by its full path, in the 64-bit view of the registry.
#pragma once

#include "platform/registry.h"

namespace orlimo::win32 {

class Win32Registry : public platform::Registry {
 public:
  // A string, a 32- or 64-bit number, or word that the data is of another type.
  platform::RegistryValue ReadValue(const Text& path) override;
  // REG_SZ, or REG_EXPAND_SZ with its environment strings expanded; throws for any other type.
  Text ReadString(const Text& path);
  // A path ending in "\" names a key, which is never deleted: that throws too.
  void DeleteValue(const Text& path) override;
};

}  // namespace orlimo::win32
