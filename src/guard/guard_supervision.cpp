#include "guard/guard_supervision.h"

#include <stdexcept>

namespace orlimo::guard {
namespace {

Verdict VerdictOf(Result result) {
  switch (result) {
    case Result::Ok:
      return Verdict::Done;
    case Result::WrongPassword:
      return Verdict::WrongPassword;
    case Result::Wait:
      return Verdict::Wait;
    case Result::NoTimeLeft:
      return Verdict::NoTimeLeft;
    case Result::Failed:
      return Verdict::Failed;
    default:
      return Verdict::Refused;
  }
}

Outcome OutcomeOf(const std::optional<Answer>& answer) {
  if (!answer) return {Verdict::Failed, 0};
  return {VerdictOf(answer->result), answer->waitSeconds};
}

}  // namespace

std::optional<Answer> GuardSupervision::Send(const Request& request) {
  std::optional<Answer> answer = client_.Send(request);
  reachable_ = answer.has_value() && answer->result != Result::VersionRefused;
  if (!reachable_) return std::nullopt;
  if (answer->session) last_ = *answer->session;
  return answer;
}

Outcome GuardSupervision::Ask(const Request& request) {
  return OutcomeOf(Send(request));
}

// While the guard cannot be reached the windows keep what they last showed, and ask again soon.
SessionSnapshot GuardSupervision::Poll() {
  if (startUntold_) TellStart();
  if (!Send(GetStatus{})) last_.msToNextChange = -1;
  return last_;
}

void GuardSupervision::TellStart() {
  const std::optional<Answer> answer = Send(Started{});
  startUntold_ = !answer || answer->result == Result::Busy || answer->result == Result::NoSession;
}

Outcome GuardSupervision::ChooseUser(int user, TextView password) {
  return Ask(guard::ChooseUser{user, Text(password)});
}

Outcome GuardSupervision::ChangeOwnPassword(int user, TextView current, TextView replacement) {
  return Ask(guard::ChangeOwnPassword{user, Text(current), Text(replacement)});
}

ConsoleEntry GuardSupervision::OpenConsole(TextView parentPassword) {
  std::optional<Answer> answer = Send(guard::OpenConsole{Text(parentPassword)});
  ConsoleEntry entry;
  entry.outcome = OutcomeOf(answer);
  if (answer && answer->console) {
    entry.wrongAttempts = answer->console->wrongAttempts;
    entry.newParentPasswordNeeded = answer->console->newParentPasswordNeeded;
  }
  return entry;
}

std::optional<std::vector<Text>> GuardSupervision::RevealPasswords(TextView parentPassword) {
  std::optional<Answer> answer = Send(guard::RevealPasswords{Text(parentPassword)});
  if (!answer || answer->result != Result::Ok) return std::nullopt;
  return answer->passwords;
}

StoreResult GuardSupervision::StoreTable(const TableChange& change) {
  std::optional<Answer> answer = Send(guard::StoreTable{change});
  StoreResult result;
  result.outcome = OutcomeOf(answer);
  result.renumbering.fill(-1);
  if (answer && answer->renumbering) result.renumbering = *answer->renumbering;
  return result;
}

Outcome GuardSupervision::SetParentPassword(TextView password) {
  return Ask(guard::SetParentPassword{Text(password)});
}

FamilyDays GuardSupervision::ReadDays() {
  std::optional<Answer> answer = Send(guard::ReadDays{});
  if (!answer || answer->result != Result::Ok || !answer->days) {
    throw std::runtime_error("the guard did not give the days");
  }
  FamilyDays family{};
  for (std::size_t user = 0; user < answer->days->size() && user < kMaxUsers; ++user) {
    family[user] = (*answer->days)[user];
  }
  return family;
}

Outcome GuardSupervision::StoreDays(int user, const DaysChange& change) {
  return Ask(guard::StoreDays{user, change});
}

std::vector<Text> GuardSupervision::ReadLogLines() {
  Text log;
  while (true) {
    std::optional<Answer> answer = Send(ReadLog{static_cast<std::uint32_t>(log.size())});
    if (!answer || answer->result != Result::Ok || !answer->log) {
      throw std::runtime_error("the guard did not give the log");
    }
    log += answer->log->piece;
    if (log.size() >= answer->log->total || answer->log->piece.empty()) break;
  }
  return SplitLines(log);
}

void GuardSupervision::RewriteLog(TextView text) {
  std::size_t start = 0;
  do {
    TextView piece = text.substr(start, kMaxLogPieceUnits);
    start += piece.size();
    std::optional<Answer> answer = Send(guard::RewriteLog{start >= text.size(), Text(piece)});
    if (!answer || answer->result != Result::Ok) return;
  } while (start < text.size());
}

}  // namespace orlimo::guard
