// A registry path as the program writes it: root key, key names, value name, joined by "\".
#pragma once

#include <optional>

#include "base/text.h"

namespace orlimo::platform {

enum class RegistryRoot { LocalMachine, CurrentUser, ClassesRoot, Users };

struct RegistryPath {
  RegistryRoot root = RegistryRoot::LocalMachine;
  Text key;    // the key names under the root, joined by "\"; empty for the root itself
  Text value;  // empty for the key's default value (a path ending in "\")
  bool operator==(const RegistryPath&) const = default;
};

// Root keys are written in full or short (HKEY_LOCAL_MACHINE or HKLM), in any case.
// Gives nothing for an unknown root key or a path without a "\".
std::optional<RegistryPath> ParseRegistryPath(TextView path);

}  // namespace orlimo::platform
