#include "platform/durable_file.h"

#include <io.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace orlimo::platform {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& path) {
  const std::u8string name = path.u8string();
  throw std::runtime_error(std::string(what) + ": " + std::string(name.begin(), name.end()));
}

}  // namespace

void WriteDurably(const fs::path& path, std::string_view bytes) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) Fail("cannot create", path);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  bool flushed = written && std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
  bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed) Fail("cannot write", path);
}

// A rename on Windows is written through by the file system itself.
void FlushFolder(const fs::path&) {}

}  // namespace orlimo::platform
