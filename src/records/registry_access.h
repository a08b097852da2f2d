// The program's two registry accesses.
#pragma once

#include "base/text.h"
#include "platform/registry.h"

namespace orlimo::Registry {

inline constexpr char16_t kCommonStartupPath[] =
    u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    u"Folders\\Common Startup";
inline constexpr char16_t kRunValuePath[] =
    u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\VarnTime";

// The value's data as text: a string as read (an expandable one expanded), a number in decimal,
// and an empty text for data of any other type, which names no folder and so deletes nothing.
// A value that cannot be read goes to the caller (platform::RegistryError).
Text RegistryRead(platform::Registry& registry, const Text& path);
// Deletes the value, swallowing every failure; always gives an empty text.
Text RegistryDelete(platform::Registry& registry, const Text& path);

}  // namespace orlimo::Registry
