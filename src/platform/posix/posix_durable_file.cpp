#include "platform/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace orlimo::platform {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& path) {
  throw std::runtime_error(std::string(what) + ": " + path.string());
}

void WriteAll(int descriptor, std::string_view bytes, const fs::path& path) {
  while (!bytes.empty()) {
    ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
    if (count <= 0) Fail("cannot write", path);
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
}

}  // namespace

void WriteDurably(const fs::path& path, std::string_view bytes) {
  int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor < 0) Fail("cannot create", path);
  try {
    WriteAll(descriptor, bytes, path);
    if (::fsync(descriptor) != 0) Fail("cannot flush", path);
  } catch (...) {
    ::close(descriptor);
    throw;
  }
  if (::close(descriptor) != 0) Fail("cannot close", path);
}

void FlushFolder(const fs::path& folder) {
  int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace orlimo::platform
