// The setup console's view of Logs.txt: reading it line by line, and the text shown for it.
#pragma once

#include <vector>

#include "base/text.h"
#include "platform/ansi_codepage.h"

namespace orlimo::LogView {

// The lines of the file, in the system's ANSI code page; a line ends at CR or CR LF and the
// line end is not part of it. Throws std::runtime_error when the file cannot be read.
std::vector<Text> ReadLogLines(const Text& path, const platform::AnsiCodePage& codePage);

// The text the log box shows: each line as one blank, the line, CR LF.
Text DisplayText(const std::vector<Text>& lines);

// The log the shown text stands for: each display line without its leading blank and ending in
// CR LF; an empty text is an empty log. DisplayText of a file's lines gives back that file, as
// long as every line of it ended in CR LF.
Text LogText(TextView display);

}  // namespace orlimo::LogView
