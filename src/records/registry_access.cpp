#include "records/registry_access.h"

#include <string>
#include <type_traits>

namespace orlimo::Registry {

Text RegistryRead(platform::Registry& registry, const Text& path) {
  return std::visit(
      [](const auto& data) -> Text {
        using Data = std::decay_t<decltype(data)>;
        if constexpr (std::is_same_v<Data, Text>) {
          return data;
        } else if constexpr (std::is_same_v<Data, std::uint64_t>) {
          return FromUtf8(std::to_string(data));
        } else {
          return {};
        }
      },
      registry.ReadValue(path));
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
