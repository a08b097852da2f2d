// Turning the fuzzer's bytes into the program's text, and a scratch folder for the targets that
// read and write files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "base/text.h"

namespace orlimo::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// One character per byte, the way Setup.ini's lines reach the reader.
inline Text ByteText(std::string_view bytes) {
  Text text;
  text.reserve(bytes.size());
  for (char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
  return text;
}

// Pairs of bytes as 16-bit code units, low byte first: every character a box can hold.
inline Text WideText(std::string_view bytes) {
  Text text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return text;
}

// The entry point of the targets that read text: <read> gets the bytes as UTF-8 text, then as
// 16-bit code units.
template <class Read>
int ReadAsUtf8AndWideText(const std::uint8_t* data, std::size_t size, Read read) {
  const std::string_view bytes = Bytes(data, size);
  read(FromUtf8(bytes));
  read(WideText(bytes));
  return 0;
}

// A folder of this run's own named after <target>, in memory when the machine has /dev/shm,
// removed when the run ends.
const std::filesystem::path& RunFolder(const char* target);

// Stops the run with a message that names the broken promise; libFuzzer keeps the input.
[[noreturn]] void Broken(const char* promise);

inline void Check(bool holds, const char* promise) {
  if (!holds) Broken(promise);
}

}  // namespace orlimo::fuzz
