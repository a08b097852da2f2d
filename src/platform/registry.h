// Registry access by full path: root key in full, key names, then the value name, joined by "\".
#pragma once

#include <stdexcept>

#include "base/text.h"

namespace orlimo::platform {

struct RegistryError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The value's data as text; throws RegistryError when it cannot be read.
  virtual Text ReadString(const Text& path) = 0;
  // Deletes the value; throws RegistryError when it cannot be deleted.
  virtual void DeleteValue(const Text& path) = 0;
};

}  // namespace orlimo::platform
