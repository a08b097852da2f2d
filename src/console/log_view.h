// The setup console's view of the log: the text shown for its lines, and the log it stands for.
#pragma once

#include <vector>

#include "base/text.h"

namespace orlimo::LogView {

// The text the log box shows: each line as one blank, the line, CR LF.
Text DisplayText(const std::vector<Text>& lines);

// The log the shown text stands for: each display line without its leading blank and ending in
// CR LF; an empty text is an empty log. DisplayText of a file's lines gives back that file, as
// long as every line of it ended in CR LF.
Text LogText(TextView display);

}  // namespace orlimo::LogView
