// The guard's request reader on any bytes a client of the pipe may send: it never fails, takes
// only whole well-formed frames within the size limit, and what it takes is exactly what the
// program's encoder writes for that request, so no two byte strings mean the same request.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "guard/protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace guard = orlimo::guard;
  using orlimo::fuzz::Check;
  const std::string_view input = orlimo::fuzz::Bytes(data, size);

  guard::ReadRequestResult read = guard::ReadRequest(input);
  if (!read.request) {
    Check(read.error == guard::Result::Malformed, "a frame that is not read is malformed");
    return 0;
  }
  Check(size <= guard::kFrameHeaderBytes + guard::kMaxPayloadBytes, "no frame over the limit");
  Check(guard::EncodeRequest(*read.request) == input, "a request read is the one encoded");

  // The answers the guard gives read back as they were.
  guard::Answer answer;
  answer.result = guard::Result::Wait;
  answer.waitSeconds = static_cast<std::uint16_t>(size);
  if (const auto* log = std::get_if<guard::RewriteLog>(&*read.request)) {
    answer.log = guard::LogPiece{static_cast<std::uint32_t>(size), log->piece};
  }
  if (const auto* days = std::get_if<guard::StoreDays>(&*read.request)) {
    orlimo::ChildDays child;
    child.WeekdayMinutes = days->change.weekdayMinutes;
    child.ExtraMinutes = days->change.extraToday;
    answer.days = std::vector<orlimo::ChildDays>{child};
  }
  if (const auto* table = std::get_if<guard::StoreTable>(&*read.request)) {
    orlimo::SessionSnapshot shown;
    shown.passwordsInUse = table->change.passwordsInUse;
    for (const orlimo::StoredUser& user : table->change.users) {
      shown.users.push_back(
          {user.name, user.limitMinutes, user.fromUser, 0, 0, user.password.has_value()});
      if (user.password) answer.passwords = std::vector<orlimo::Text>{*user.password};
    }
    answer.session = shown;
  }
  Check(guard::ReadAnswer(guard::EncodeAnswer(answer)) == answer, "answers read back whole");
  return 0;
}
