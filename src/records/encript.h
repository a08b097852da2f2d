// The fixed scrambling of settings lines: four hex digits per character, low byte first.
#pragma once

#include <stdexcept>

#include "base/text.h"

namespace orlimo::Encript {

struct UnscrambleError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Trims blanks at both ends first; an empty or all-blank line gives an empty text.
Text ScrambleLine(TextView line);
// Throws UnscrambleError for a text of two or three characters that begins with "00".
Text UnscrambleLine(TextView scrambled);

}  // namespace orlimo::Encript
