// The baselines: the same file work done with bare system calls and nothing else.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orlimo::bench {

// Writes bytes to "<path>.tmp", flushes it, moves it over path and flushes the folder: the
// system calls of a durable whole-file replace, without any of the program's work.
void BareReplace(const std::filesystem::path& path, std::string_view bytes);

// Reads the whole file with read(2).
std::string BareRead(const std::filesystem::path& path);

// A fresh folder for one measurement: in memory (/dev/shm) or on the disk (the temporary
// folder), where a flush waits for the device.
enum class Medium { kMemory, kDisk };
std::filesystem::path FreshFolder(Medium medium, const std::string& name);
const char* MediumName(Medium medium);

}  // namespace orlimo::bench
