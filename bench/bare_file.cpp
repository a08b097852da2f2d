#include "bare_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace orlimo::bench {

namespace fs = std::filesystem;

void BareReplace(const fs::path& path, std::string_view bytes) {
  const fs::path temporary = path.string() + ".tmp";
  int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file < 0) throw std::runtime_error("cannot create " + temporary.string());
  while (!bytes.empty()) {
    ssize_t written = ::write(file, bytes.data(), bytes.size());
    if (written <= 0) throw std::runtime_error("cannot write " + temporary.string());
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  ::fsync(file);
  ::close(file);
  if (::rename(temporary.c_str(), path.c_str()) != 0) throw std::runtime_error("cannot rename");
  int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_CLOEXEC);
  ::fsync(folder);
  ::close(folder);
}

std::string BareRead(const fs::path& path) {
  int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) throw std::runtime_error("cannot open " + path.string());
  std::string bytes;
  char block[64 * 1024];
  for (ssize_t count; (count = ::read(file, block, sizeof block)) > 0;) {
    bytes.append(block, static_cast<std::size_t>(count));
  }
  ::close(file);
  return bytes;
}

fs::path FreshFolder(Medium medium, const std::string& name) {
  std::error_code error;
  fs::path base = medium == Medium::kMemory && fs::is_directory("/dev/shm", error)
                      ? fs::path("/dev/shm")
                      : fs::temp_directory_path();
  fs::path folder = base / ("orlimo-bench-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

const char* MediumName(Medium medium) {
  return medium == Medium::kMemory ? "memory" : "disk";
}

}  // namespace orlimo::bench
