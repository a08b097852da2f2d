#include "records/atomic_file.h"

#include <filesystem>

#include "base/path.h"
#include "platform/durable_file.h"

namespace orlimo {

void ReplaceFileAtomically(const Text& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const fs::path target = FsPath(path);
  const fs::path temporary = FsPath(path + u".tmp");
  std::error_code ignored;
  fs::remove(temporary, ignored);  // left over from a write that was cut off
  try {
    platform::WriteDurably(temporary, bytes);
    fs::rename(temporary, target);
  } catch (...) {
    fs::remove(temporary, ignored);
    throw;
  }
  platform::FlushFolder(target.parent_path());
}

}  // namespace orlimo
