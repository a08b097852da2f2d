#include "records/startup_shortcuts.h"

#include <filesystem>
#include <system_error>

#include "base/path.h"

namespace orlimo::Main {
namespace {

bool WildcardMatches(TextView pattern, TextView name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == u'*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (WildcardMatches(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  return !name.empty() && ToLower(pattern.substr(0, 1)) == ToLower(name.substr(0, 1)) &&
         WildcardMatches(pattern.substr(1), name.substr(1));
}

}  // namespace

void DeleteStartupShortcuts(const Text& pattern) {
  std::size_t split = pattern.find_last_of(u"/\\");
  if (split == Text::npos) return;
  Text folder = pattern.substr(0, split);
  Text namePattern = pattern.substr(split + 1);
  std::error_code error;
  std::filesystem::directory_iterator entries(FsPath(folder), error);
  if (error) return;
  for (const auto& entry : entries) {
    Text name = entry.path().filename().u16string();
    if (!WildcardMatches(namePattern, name)) continue;
    std::error_code ignored;
    std::filesystem::remove(entry.path(), ignored);
  }
}

}  // namespace orlimo::Main
