// A temporary program folder of its own for each records test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/path.h"
#include "base/text.h"

namespace orlimo::testing_records {

class TestFolder {
 public:
  TestFolder() {
    static std::atomic<int> created{0};
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("orlimo-") + test->test_suite_name() + "-" + test->name() + "-" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                       "-" + std::to_string(created++);
    path_ = std::filesystem::temp_directory_path() / name;
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
    std::ifstream file(File(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  void Write(TextView name, const std::string& bytes) const {
    std::ofstream file(File(name), std::ios::binary | std::ios::trunc);
    file << bytes;
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

}  // namespace orlimo::testing_records
