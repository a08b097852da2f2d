// Whether a name or password comes back from Setup.ini exactly as the program holds it.
#pragma once

#include "base/text.h"

namespace orlimo::Main {

// True when the value, written as a field of a Setup.ini line, reads back unchanged: it holds no
// comma (which would end the field), no blank at either end (reading trims every field), and no
// character that the line scrambling gives back as another one (the grave accent, most codes of
// 0x80 to 0xFF, U+2C00, U+3000, U+4E00 ...).
bool ReadsBackExactly(TextView value);

}  // namespace orlimo::Main
