// The guard's answers to the programs' requests. Any process of the child may connect, so each
// request is checked as if a hostile client had sent it: the parent password never leaves the
// guard, the children's passwords leave only for the console the parent opened on that
// connection, the rules decide every change, and no connection can ask faster than a program
// does or write more than a program's lines.
#include <algorithm>

#include "base/version.h"
#include "guard/guard.h"

namespace orlimo::guard {
namespace {

constexpr std::size_t kLongestNewLogUnits = 32 * 1024 * 1024;

Answer Refused(Result result) {
  Answer answer;
  answer.result = result;
  return answer;
}

Result ResultOf(Verdict verdict) {
  switch (verdict) {
    case Verdict::Done:
      return Result::Ok;
    case Verdict::WrongPassword:
      return Result::WrongPassword;
    case Verdict::Wait:
      return Result::Wait;
    case Verdict::NoTimeLeft:
      return Result::NoTimeLeft;
    case Verdict::Refused:
      return Result::BadValue;
    case Verdict::Failed:
      break;
  }
  return Result::Failed;
}

// How much of a budget that fills up with time is there now.
double Refilled(double left, std::int64_t& atMs, std::int64_t now, double perMs, double most) {
  left = std::min(most, left + static_cast<double>(now - atMs) * perMs);
  atMs = now;
  return left;
}

}  // namespace

std::string Guard::Handle(ConnectionId id, SessionId session, std::string_view frame) {
  // The rules are brought up to now before anything is answered.
  Poll();
  auto [entry, added] = connections_.try_emplace(id);
  if (added) {
    entry->second.session = session;
    entry->second.requestsAtMs = Now();
  }
  Connection& connection = entry->second;
  if (!TakesRequest(connection)) return EncodeAnswer(Refused(Result::Busy));
  // A console's program that keeps asking keeps it open.
  if (SessionCare* care = Care(connection.session); care && care->console == id) {
    care->consoleHeardMs = Now();
  }
  ReadRequestResult read = ReadRequest(frame);
  Answer answer;
  if (!read.request) {
    answer = Refused(read.error);
  } else if (!connection.greeted && !std::holds_alternative<Hello>(*read.request)) {
    answer = Refused(Result::HelloFirst);
  } else {
    answer =
        std::visit([&](const auto& request) { return On(id, connection, request); }, *read.request);
  }
  return EncodeAnswer(answer);
}

void Guard::Disconnected(ConnectionId id) {
  auto entry = connections_.find(id);
  if (entry == connections_.end()) return;
  const SessionId session = entry->second.session;
  if (SessionCare* care = Care(session); care && care->console == id)
    CloseConsoleOf(session, *care);
  connections_.erase(entry);
}

bool Guard::TakesRequest(Connection& connection) {
  connection.requests = Refilled(connection.requests, connection.requestsAtMs, Now(),
                                 kRequestsPerSecond / 1000.0, kRequestBurst);
  if (connection.requests < 1) return false;
  connection.requests -= 1;
  return true;
}

bool Guard::MayWriteProgramLines(SessionCare& care, int lines) {
  care.programLines = Refilled(care.programLines, care.programLinesAtMs, Now(),
                               1.0 / kProgramLineEveryMs, kProgramLineBurst);
  if (care.programLines < lines) return false;
  care.programLines -= lines;
  return true;
}

bool Guard::HoldsConsole(ConnectionId id, const Connection& connection) {
  const SessionCare* care = Care(connection.session);
  return care && care->console == id && supervisor_.ConsoleOpen(connection.session);
}

Answer Guard::Status(SessionId session) const {
  Answer answer;
  answer.session = supervisor_.Snapshot(session);
  return answer;
}

Answer Guard::On(ConnectionId, Connection& connection, const Hello& hello) {
  Answer answer;
  answer.guardVersion = kProtocolVersion;
  if (hello.version < kOldestProgramVersion || hello.version > kProtocolVersion) {
    answer.result = Result::VersionRefused;
    return answer;
  }
  connection.greeted = true;
  return answer;
}

// The start lines are the guard's own copy of the program's; the session is supervised from its
// first program's start, and a program started again changes nothing of its clocks.
Answer Guard::On(ConnectionId, Connection& connection, const Started&) {
  if (!Care(connection.session)) FollowSessions(Now());
  SessionCare* care = Care(connection.session);
  if (!care) return Refused(Result::NoSession);
  if (MayWriteProgramLines(*care, 2)) supervisor_.LogStart(connection.session, ProgramCaption());
  supervisor_.OpenSession(connection.session);
  return Status(connection.session);
}

Answer Guard::On(ConnectionId, Connection& connection, const GetStatus&) {
  return Status(connection.session);
}

Answer Guard::On(ConnectionId, Connection& connection, const Closing&) {
  SessionCare* care = Care(connection.session);
  if (!care) return Refused(Result::NoSession);
  if (!MayWriteProgramLines(*care, 1)) return Refused(Result::Busy);
  supervisor_.WindowClosing(connection.session);
  return Answer{};
}

Answer Guard::On(ConnectionId, Connection& connection, const Released&) {
  SessionCare* care = Care(connection.session);
  if (!care) return Refused(Result::NoSession);
  if (!MayWriteProgramLines(*care, 1)) return Refused(Result::Busy);
  supervisor_.ProgramReleased(connection.session);
  return Answer{};
}

// A log-on session whose program has not said it started is supervised from its first request
// that needs the rules.
bool Guard::Supervised(SessionId session) {
  if (!Care(session)) return false;
  supervisor_.OpenSession(session);
  return true;
}

Answer Guard::On(ConnectionId, Connection& connection, const ChooseUser& request) {
  if (!Supervised(connection.session)) return Refused(Result::NoSession);
  const Outcome outcome =
      supervisor_.ChooseUser(connection.session, request.user, request.password);
  Answer answer = Status(connection.session);
  answer.result = ResultOf(outcome.verdict);
  answer.waitSeconds = static_cast<std::uint16_t>(outcome.waitSeconds);
  return answer;
}

Answer Guard::On(ConnectionId, Connection& connection, const ChangeOwnPassword& request) {
  if (!Supervised(connection.session)) return Refused(Result::NoSession);
  const Outcome outcome = supervisor_.ChangeOwnPassword(connection.session, request.user,
                                                        request.current, request.replacement);
  Answer answer = Refused(ResultOf(outcome.verdict));
  answer.waitSeconds = static_cast<std::uint16_t>(outcome.waitSeconds);
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const OpenConsole& request) {
  if (!Supervised(connection.session)) return Refused(Result::NoSession);
  SessionCare* care = Care(connection.session);
  const ConsoleEntry entry = supervisor_.OpenConsole(connection.session, request.parentPassword);
  Answer answer = Status(connection.session);
  answer.result = ResultOf(entry.outcome.verdict);
  answer.waitSeconds = static_cast<std::uint16_t>(entry.outcome.waitSeconds);
  if (entry.outcome.verdict != Verdict::Done) return answer;
  care->console = id;
  care->consoleHeardMs = Now();
  answer.console = ConsoleView{entry.wrongAttempts, entry.newParentPasswordNeeded};
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const CloseConsole&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  CloseConsoleOf(connection.session, *Care(connection.session));
  return Status(connection.session);
}

Answer Guard::On(ConnectionId id, Connection& connection, const RevealPasswords& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  Outcome outcome;
  std::optional<std::vector<Text>> passwords =
      supervisor_.RevealPasswords(connection.session, request.parentPassword, &outcome);
  Answer answer = Refused(ResultOf(outcome.verdict));
  answer.waitSeconds = static_cast<std::uint16_t>(outcome.waitSeconds);
  answer.passwords = std::move(passwords);
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const StoreTable& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  const StoreResult stored = supervisor_.StoreTable(connection.session, request.change);
  Answer answer = Status(connection.session);
  answer.result = ResultOf(stored.outcome.verdict);
  if (stored.outcome.verdict == Verdict::Done) answer.renumbering = stored.renumbering;
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const Rebuild&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  supervisor_.Rebuild(connection.session);
  return Status(connection.session);
}

Answer Guard::On(ConnectionId id, Connection& connection, const SetParentPassword& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  const Outcome outcome = supervisor_.SetParentPassword(request.password);
  if (outcome.verdict == Verdict::Done) files_.ForgetParentPasswordExposed();
  return Refused(ResultOf(outcome.verdict));
}

Answer Guard::On(ConnectionId id, Connection& connection, const ReadDays&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  Answer answer;
  std::vector<ChildDays> days;
  for (int user = 0; user <= supervisor_.settings().UserCount && user < kMaxUsers; ++user) {
    days.push_back(RecentDaysOf(supervisor_.family()[static_cast<std::size_t>(user)]));
  }
  answer.days = std::move(days);
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const StoreDays& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  const Outcome outcome = supervisor_.StoreDays(connection.session, request.user, request.change);
  Answer answer = Status(connection.session);
  answer.result = ResultOf(outcome.verdict);
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const ReadLog& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  if (request.offset == 0) {
    std::optional<Text> log = files_.records().ReadLog();
    if (!log) return Refused(Result::Failed);
    connection.logCopy = std::move(*log);
  }
  if (request.offset > connection.logCopy.size()) return Refused(Result::BadValue);
  Answer answer;
  answer.log = LogPiece{static_cast<std::uint32_t>(connection.logCopy.size()),
                        connection.logCopy.substr(request.offset, kMaxLogPieceUnits)};
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const RewriteLog& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  connection.newLog += request.piece;
  if (connection.newLog.size() > kLongestNewLogUnits) {
    connection.newLog.clear();
    return Refused(Result::BadValue);
  }
  if (request.last) {
    files_.records().RewriteLog(connection.newLog);
    connection.newLog.clear();
  }
  return Answer{};
}

Answer Guard::On(ConnectionId id, Connection& connection, const Pause&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  supervisor_.Pause(connection.session);
  Care(connection.session)->console.reset();
  return Answer{};
}

// Any program of the session may ask; granting needs the parent password under the session's
// wait, and refusals are lines about passwords, limited as those are.
Answer Guard::On(ConnectionId, Connection& connection, const AskMoreTime& request) {
  if (!Supervised(connection.session)) return Refused(Result::NoSession);
  if (!request.grant) {
    supervisor_.RefuseMoreTime(connection.session, request.minutes);
    return Status(connection.session);
  }
  const Outcome outcome =
      supervisor_.GrantMoreTime(connection.session, request.minutes, request.parentPassword);
  Answer answer = Status(connection.session);
  answer.result = ResultOf(outcome.verdict);
  answer.waitSeconds = static_cast<std::uint16_t>(outcome.waitSeconds);
  return answer;
}

Answer Guard::On(ConnectionId id, Connection& connection, const Remove&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  supervisor_.Remove();
  files_.MarkRemoved();
  Care(connection.session)->console.reset();
  return Answer{};
}

}  // namespace orlimo::guard
