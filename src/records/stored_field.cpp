#include "records/stored_field.h"

#include "records/encript.h"

namespace orlimo::Main {

bool ReadsBackExactly(TextView value) {
  if (value.find(u',') != TextView::npos) return false;
  if (Trim(value) != value) return false;
  // Each character has a group of its own, so the value scrambles alone as it does in its line.
  return Encript::UnscrambleLine(Encript::ScrambleLine(value)) == value;
}

}  // namespace orlimo::Main
