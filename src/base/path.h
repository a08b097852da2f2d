// File paths inside the program's folder.
#pragma once

#include <filesystem>

#include "base/text.h"

namespace orlimo {

inline constexpr char16_t kPathSeparator =
    static_cast<char16_t>(std::filesystem::path::preferred_separator);

// The folder followed by the separator and the file name.
inline Text InFolder(const Text& folder, TextView fileName) {
  Text path = folder;
  path += kPathSeparator;
  path += fileName;
  return path;
}

inline std::filesystem::path FsPath(const Text& path) {
  return std::filesystem::path(path);
}

}  // namespace orlimo
