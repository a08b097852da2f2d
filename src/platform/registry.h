// Registry access by full path: root key in full, key names, then the value name, joined by "\".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <variant>

#include "base/text.h"

namespace orlimo::platform {

struct RegistryError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Data of a type that is neither a string nor a number (binary data, a list of strings, ...).
struct RegistryOtherData {
  bool operator==(const RegistryOtherData&) const = default;
};

// A value's data as read: a string (REG_SZ, or REG_EXPAND_SZ with its environment strings
// expanded), a number (REG_DWORD, REG_QWORD), or data of another type.
using RegistryValue = std::variant<Text, std::uint64_t, RegistryOtherData>;

class Registry {
 public:
  virtual ~Registry() = default;
  // The value's data; throws RegistryError when it cannot be read.
  virtual RegistryValue ReadValue(const Text& path) = 0;
  // Deletes the value; throws RegistryError when it cannot be deleted.
  virtual void DeleteValue(const Text& path) = 0;
};

}  // namespace orlimo::platform
