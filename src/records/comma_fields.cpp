#include "records/comma_fields.h"

namespace orlimo::Main {

Text CommaFields::Next() {
  if (done_) throw ReadFailure("a line with too few fields");
  std::size_t comma = rest_.find(u',');
  if (comma == TextView::npos) {
    if (last_ == LastField::EndsWithComma) throw ReadFailure("a field without its comma");
    done_ = true;
    return Trim(rest_);
  }
  Text field = Trim(rest_.substr(0, comma));
  rest_.remove_prefix(comma + 1);
  return field;
}

Text CommaFields::Rest() {
  if (done_) throw ReadFailure("a line with too few fields");
  done_ = true;
  return Trim(rest_);
}

}  // namespace orlimo::Main
