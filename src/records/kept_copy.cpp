#include "records/kept_copy.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "base/path.h"
#include "records/atomic_file.h"

namespace orlimo::Main {
namespace {

constexpr int kMostKeptCopies = 1000;

Text KeptCopyName(const Text& path, int number) {
  Text name = path + u".bad";
  if (number > 1) name += DecimalText(number);
  return name;
}

}  // namespace

bool FileIsThere(const Text& path) {
  std::error_code error;
  return std::filesystem::symlink_status(FsPath(path), error).type() !=
         std::filesystem::file_type::not_found;
}

void KeepUnreadableCopy(const Text& path, std::string_view bytes) {
  for (int number = 1; number <= kMostKeptCopies; ++number) {
    Text name = KeptCopyName(path, number);
    if (FileIsThere(name)) continue;
    ReplaceFileAtomically(name, bytes);
    return;
  }
  throw std::runtime_error("no free name to keep the unreadable settings file");
}

}  // namespace orlimo::Main
