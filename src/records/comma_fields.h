// The comma-separated fields of a line of Setup.ini or Family.ini, taken one at a time, each
// trimmed; a field that is missing or does not read ends the reading of the file.
#pragma once

#include <optional>
#include <stdexcept>

#include "base/text.h"

namespace orlimo::Main {

// Anything in a settings file that cannot be taken in ends the reading.
struct ReadFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class CommaFields {
 public:
  // Setup.ini ends every field with a comma (what follows the last one is no field); the last
  // field of a Family.ini line runs to the end of the line.
  enum class LastField { EndsWithComma, RunsToLineEnd };

  CommaFields(TextView line, LastField last) : rest_(line), last_(last) {}

  Text Next();
  // All that is left of the line, commas and all.
  Text Rest();

  // The next field as <read> reads it; nothing from <read> ends the reading.
  template <typename Value>
  Value NextAs(std::optional<Value> (*read)(TextView)) {
    std::optional<Value> value = read(Next());
    if (!value) throw ReadFailure("a field that does not read");
    return *value;
  }

 private:
  TextView rest_;
  LastField last_;
  bool done_ = false;
};

}  // namespace orlimo::Main
