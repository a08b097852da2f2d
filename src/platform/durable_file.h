// The two steps of a whole-file replacement that each system does its own way: writing a file
// through to the disk, and making a rename in a folder durable. The portable build links the
// POSIX implementation (platform/posix), the Windows program the Win32 one (win32/).
#pragma once

#include <filesystem>
#include <string_view>

namespace orlimo::platform {

// Creates or truncates the file, writes the bytes and flushes them to the disk. Throws
// std::runtime_error naming the file when any step fails.
void WriteDurably(const std::filesystem::path& path, std::string_view bytes);
// Makes a rename in the folder durable; a folder that cannot be flushed is left to the system.
void FlushFolder(const std::filesystem::path& folder);

}  // namespace orlimo::platform
