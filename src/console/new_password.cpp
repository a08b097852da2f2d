#include "console/new_password.h"

#include "app/shared_texts.h"

namespace orlimo::NewPassword {

std::optional<Text> Problem(TextView password) {
  if (password.find(u',') != TextView::npos) return Text(SharedTexts::kCommaInPassword);
  if (Trim(password) != password) return Text(SharedTexts::kBlanksAroundPassword);
  return std::nullopt;
}

}  // namespace orlimo::NewPassword
