// A temporary folder of its own for each test or scenario, removed afterwards; memory-backed when
// the machine has /dev/shm, as every metering step flushes Setup.ini.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/path.h"
#include "base/text.h"
#include "records/file_bytes.h"

namespace orlimo::testing {

class TestFolder {
 public:
  TestFolder() {
    static std::atomic<int> created{0};
    std::error_code error;
    const auto base = std::filesystem::is_directory("/dev/shm", error)
                          ? std::filesystem::path("/dev/shm")
                          : std::filesystem::temp_directory_path();
    path_ = base / ("orlimo-test-" + std::to_string(::getpid()) + "-" + std::to_string(created++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  Text folder() const { return path_.u16string(); }
  std::filesystem::path File(TextView name) const { return FsPath(InFolder(folder(), name)); }

  // Contents of a file in the folder; empty when it is missing.
  std::string Bytes(TextView name) const {
    return ReadWholeFile(InFolder(folder(), name)).value_or("");
  }
  void Write(TextView name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary | std::ios::trunc) << bytes;
  }
  bool Exists(TextView name) const { return std::filesystem::exists(File(name)); }
  // A folder that is not empty stands where a file should be created.
  void Block(TextView name) const {
    std::filesystem::create_directories(File(name));
    std::ofstream(File(name) / "keep") << "x";
  }

 private:
  std::filesystem::path path_;
};

}  // namespace orlimo::testing
