#include "records/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "base/path.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orlimo {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const fs::path& path) {
  throw std::runtime_error(std::string(what) + ": " + ToUtf8(path.u16string()));
}

#ifdef _WIN32

void WriteDurably(const fs::path& path, std::string_view bytes) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) Fail("cannot create", path);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  bool flushed = written && std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
  bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed) Fail("cannot write", path);
}

void FlushFolder(const fs::path&) {}

#else

void WriteAll(int descriptor, std::string_view bytes, const fs::path& path) {
  while (!bytes.empty()) {
    ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
    if (count <= 0) Fail("cannot write", path);
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
}

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

// Makes the rename itself durable; a folder that cannot be opened is left to the system.
void FlushFolder(const fs::path& folder) {
  int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

#endif

}  // namespace

void ReplaceFileAtomically(const Text& path, std::string_view bytes) {
  const fs::path target = FsPath(path);
  const fs::path temporary = FsPath(path + u".tmp");
  std::error_code ignored;
  fs::remove(temporary, ignored);  // left over from a write that was cut off
  try {
    WriteDurably(temporary, bytes);
    fs::rename(temporary, target);
  } catch (...) {
    fs::remove(temporary, ignored);
    throw;
  }
  FlushFolder(target.parent_path());
}

}  // namespace orlimo
