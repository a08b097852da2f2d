// File paths inside the program's folder.
#pragma once

#include <filesystem>

#include "base/text.h"

namespace orlimo {

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// The folder followed by the separator and the file name.
inline Text InFolder(const Text& folder, TextView fileName) {
  Text path = folder;
  path += kPathSeparator;
  path += fileName;
  return path;
}

inline std::filesystem::path FsPath(const Text& path) { return std::filesystem::path(path); }

}  // namespace orlimo
