// Reads and deletes one registry value by its full path, in the 64-bit view of the registry.
#pragma once

#include "platform/registry.h"

namespace orlimo::win32 {

class Win32Registry : public platform::Registry {
 public:
  // A string (an expandable one expanded), a 32- or 64-bit number, or the mark of data of
  // another type; throws only when the value cannot be read.
  platform::RegistryValue ReadValue(const Text& path) override;
  // REG_SZ, or REG_EXPAND_SZ with its environment strings expanded; throws for any other type.
  Text ReadString(const Text& path);
  // A path ending in "\" names a key, which is never deleted: that throws too.
  void DeleteValue(const Text& path) override;
};

}  // namespace orlimo::win32
