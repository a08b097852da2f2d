#include "console/new_password.h"

#include "program/shared_texts.h"
#include "records/stored_field.h"

namespace orlimo::NewPassword {

std::optional<Text> Problem(TextView password) {
  if (!Main::ReadsBackExactly(Trim(password))) return Text(SharedTexts::kCommaInPassword);
  if (Trim(password) != password) return Text(SharedTexts::kBlanksAroundPassword);
  return std::nullopt;
}

}  // namespace orlimo::NewPassword
