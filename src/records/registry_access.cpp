#include "records/registry_access.h"

namespace orlimo::Registry {

Text RegistryRead(platform::Registry& registry, const Text& path) {
  return registry.ReadString(path);
}

Text RegistryDelete(platform::Registry& registry, const Text& path) {
  try {
    registry.DeleteValue(path);
  } catch (...) {
    // No such value, no right to delete it: the removal goes on as if it were gone.
  }
  return {};
}

}  // namespace orlimo::Registry
