// Logs.txt for the log viewer benchmark: years of a family's usage lines in code page 949, and
// the bare file and code page calls the viewer cannot do without.
#pragma once

#include <string>

namespace orlimo::winbench {

constexpr unsigned kKoreanCodePage = 949;

// <lines> log lines, half an hour apart from 2020-01-01 08:00:00 on: start marks, captions and
// the usage lines of three children, each ending in CR LF, in code page 949.
std::string YearsOfLog(int lines);

std::string ReadBytes(const std::wstring& path);
// Writes the bytes to a temporary file beside <path>, flushes it and moves it over <path>.
bool ReplaceDurably(const std::wstring& path, const std::string& bytes);

std::wstring Decode(const std::string& bytes);
std::string Encode(const std::wstring& text);

}  // namespace orlimo::winbench
