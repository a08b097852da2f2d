#include "records/file_bytes.h"

#include <fstream>

#include "base/path.h"

namespace orlimo {

// Read in blocks: megabytes of noise are read as fast as the disk gives them.
std::optional<std::string> ReadWholeFile(const Text& path) {
  std::ifstream file(FsPath(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes;
  char block[64 * 1024];
  while (file.read(block, sizeof block) || file.gcount() > 0) {
    bytes.append(block, static_cast<std::size_t>(file.gcount()));
  }
  if (file.bad()) return std::nullopt;
  return bytes;
}

}  // namespace orlimo
