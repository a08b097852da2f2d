#include "guard/guard_client.h"

namespace orlimo::guard {

std::optional<Answer> GuardClient::Exchange(const Request& request) {
  std::optional<std::string> frame = channel_.Exchange(EncodeRequest(request));
  std::optional<Answer> answer = frame ? ReadAnswer(*frame) : std::nullopt;
  if (!answer) greeted_ = false;
  return answer;
}

std::optional<Answer> GuardClient::Send(const Request& request) {
  if (!greeted_) {
    std::optional<Answer> hello = Exchange(Hello{});
    if (!hello || hello->result != Result::Ok) return hello;
    greeted_ = true;
  }
  std::optional<Answer> answer = Exchange(request);
  // A guard started anew meanwhile does not know this connection yet.
  if (answer && answer->result == Result::HelloFirst) {
    greeted_ = false;
    return Send(request);
  }
  return answer;
}

}  // namespace orlimo::guard
