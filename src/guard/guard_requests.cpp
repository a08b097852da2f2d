// The guard's answers to the programs' requests. Any process of the child may connect, so each
// request is checked as if a hostile client had sent it: secrets leave only for the console the
// parent opened on that connection, and no request lowers a usage figure.
#include <algorithm>
#include <set>

#include "guard/guard.h"
#include "records/log_words.h"

namespace orlimo::guard {
namespace {

constexpr std::size_t kLongestNewLogUnits = 32 * 1024 * 1024;

Answer Refused(Result result) {
  Answer answer;
  answer.result = result;
  return answer;
}

// What Setup.ini can hold: a comma would shift the fields of its line.
bool Storable(TextView text) {
  return text.find(u',') == TextView::npos;
}

bool OneLine(TextView text) {
  return text.find(u'\r') == TextView::npos && text.find(u'\n') == TextView::npos;
}

Text Cut(const Text& text, std::size_t units) {
  return text.substr(0, units);
}

std::uint16_t SecondsUntil(std::int64_t untilMs, std::int64_t now) {
  return static_cast<std::uint16_t>((untilMs - now + 999) / 1000);
}

std::int32_t SecondsLeft(const std::optional<std::int64_t>& endMs, std::int64_t now) {
  if (!endMs) return -1;
  return static_cast<std::int32_t>(std::max<std::int64_t>(0, (*endMs - now + 999) / 1000));
}

TableView TableOf(const Settings& settings, bool withPasswords) {
  TableView table;
  table.passwordsInUse = settings.PasswordsInUse != 0;
  for (int user = 0; user <= settings.UserCount; ++user) {
    const UserEntry& entry = settings.User(user);
    UserView view{Cut(entry.Name, kMaxNameUnits),
                  entry.LimitMinutes,
                  entry.UsedMinutes,
                  entry.UsedSeconds,
                  !entry.Password.empty(),
                  {}};
    if (withPasswords) view.password = Cut(entry.Password, kMaxPasswordUnits);
    table.users.push_back(std::move(view));
  }
  return table;
}

}  // namespace

std::string Guard::Handle(ConnectionId id, SessionId session, std::string_view frame) {
  auto [entry, added] = connections_.try_emplace(id);
  if (added) entry->second.session = session;
  Connection& connection = entry->second;
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
  SessionState* session = Session(entry->second.session);
  if (session && session->console == id) CloseConsoleOf(*session);
  connections_.erase(entry);
}

Guard::SessionState* Guard::Session(SessionId id) {
  auto entry = sessions_.find(id);
  return entry == sessions_.end() ? nullptr : &entry->second;
}

bool Guard::HoldsConsole(ConnectionId id, const Connection& connection) {
  SessionState* session = Session(connection.session);
  return session && session->console == id;
}

int Guard::LogUser(const SessionState* session) const {
  return session && session->currentUser >= 0 ? session->currentUser : 0;
}

Answer Guard::Status(const Connection& connection) {
  Answer answer;
  answer.table = TableOf(settings_, false);
  SessionView view;
  if (const SessionState* session = Session(connection.session)) {
    const std::int64_t now = Now();
    view.currentUser = session->currentUser;
    view.chooseSecondsLeft = SecondsLeft(session->chooseEndsMs, now);
    view.countdownSecondsLeft = SecondsLeft(session->countdownEndsMs, now);
    view.paused = session->paused;
    view.consoleOpen = session->console.has_value();
  }
  answer.session = view;
  return answer;
}

// Each wrong password in a session makes the next check there wait longer: 1, 2, 4 ... 30 s.
Answer Guard::CheckPassword(SessionId session, bool right) {
  PasswordWait& wait = waits_[session];
  const std::int64_t now = Now();
  Answer answer;
  if (now < wait.untilMs) {
    answer.result = Result::Wait;
    answer.waitSeconds = SecondsUntil(wait.untilMs, now);
    return answer;
  }
  if (right) {
    wait.wrongAttempts = 0;
    return answer;
  }
  wait.wrongAttempts = std::min(wait.wrongAttempts + 1, 16);
  const int seconds = std::min(1 << (wait.wrongAttempts - 1), kLongestPasswordWaitSeconds);
  wait.untilMs = now + seconds * 1000;
  files_.WriteLog(u"보호: 암호 대기 " + DecimalText(seconds) + u"초");
  answer.result = Result::WrongPassword;
  answer.waitSeconds = static_cast<std::uint16_t>(seconds);
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

Answer Guard::On(ConnectionId, Connection& connection, const GetStatus&) {
  return Status(connection);
}

Answer Guard::On(ConnectionId, Connection& connection, const ChooseUser& request) {
  SessionState* session = Session(connection.session);
  if (!session) return Refused(Result::NoSession);
  if (request.user > settings_.UserCount) return Refused(Result::NoSuchUser);
  const UserEntry& entry = settings_.User(request.user);
  Answer check = CheckPassword(connection.session, request.password == entry.Password);
  if (check.result != Result::Ok) return check;
  if (std::int64_t{DayAllowance(request.user)} - entry.UsedMinutes < 1) {
    return Refused(Result::NoTimeLeft);
  }
  // The time so far still belongs to whoever was current.
  MeterStep();
  session->currentUser = static_cast<std::int16_t>(request.user);
  session->chooseEndsMs.reset();
  return Status(connection);
}

Answer Guard::On(ConnectionId, Connection& connection, const ChangeOwnPassword& request) {
  if (request.user > settings_.UserCount) return Refused(Result::NoSuchUser);
  UserEntry& entry = settings_.User(request.user);
  Answer check = CheckPassword(connection.session, request.current == entry.Password);
  if (check.result != Result::Ok) return check;
  if (!Storable(request.replacement)) return Refused(Result::BadValue);
  const Text before = entry.Password;
  entry.Password = request.replacement;
  if (Save()) return Answer{};
  entry.Password = before;
  return Refused(Result::Failed);
}

Answer Guard::On(ConnectionId id, Connection& connection, const OpenConsole& request) {
  SessionState* session = Session(connection.session);
  if (!session) return Refused(Result::NoSession);
  Answer check =
      CheckPassword(connection.session, request.parentPassword == settings_.ParentPassword);
  if (check.result == Result::Wait) return check;
  const Text& name = settings_.User(LogUser(session)).Name;
  if (check.result != Result::Ok) {
    files_.WriteLog(LogWords::kParentPasswordWrong + name + u")");
    return check;
  }
  MeterStep();
  files_.WriteLog(LogWords::kParentPasswordRight + name + u")");
  session->console = id;
  session->chooseEndsMs.reset();
  return Status(connection);
}

Answer Guard::On(ConnectionId id, Connection& connection, const CloseConsole&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  CloseConsoleOf(*Session(connection.session));
  return Status(connection);
}

Answer Guard::On(ConnectionId id, Connection& connection, const ReadSecrets&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  Answer answer;
  answer.table = TableOf(settings_, true);
  answer.parentPassword = Cut(settings_.ParentPassword, kMaxPasswordUnits);
  return answer;
}

// The console's table: names, allowances, passwords and the flag change; each user keeps the
// usage of the day of the user it was stored from, so no figure is lowered or made up.
Answer Guard::On(ConnectionId id, Connection& connection, const StoreTable& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  std::set<std::int32_t> sources;
  for (const StoredUser& user : request.users) {
    if (Trim(user.name).empty() || !Storable(user.name) || !Storable(user.password) ||
        !sources.insert(user.fromUser).second) {
      return Refused(Result::BadValue);
    }
  }
  MeterStep();
  const Settings before = settings_;
  const DateValue day = before.User(0).Day;
  for (int user = 0; user < kMaxUsers; ++user) {
    settings_.User(user) = UserEntry{};
    settings_.User(user).Day = day;
  }
  const FamilyDays familyBefore = family_;
  family_ = {};
  std::map<int, std::int16_t> renumbered;
  for (std::size_t i = 0; i < request.users.size(); ++i) {
    const StoredUser& stored = request.users[i];
    const UserEntry& old = before.User(stored.fromUser);
    UserEntry& entry = settings_.User(static_cast<int>(i));
    entry.Name = Trim(stored.name);
    entry.LimitMinutes = stored.limitMinutes;
    entry.Password = Trim(stored.password);
    entry.UsedMinutes = old.UsedMinutes;
    entry.UsedSeconds = old.UsedSeconds;
    renumbered[stored.fromUser] = static_cast<std::int16_t>(i);
    if (stored.fromUser <= before.UserCount) {
      family_[i] = familyBefore.at(static_cast<std::size_t>(stored.fromUser));
    }
  }
  settings_.UserCount = static_cast<std::int16_t>(request.users.size()) - 1;
  settings_.PasswordsInUse = request.passwordsInUse ? 1 : 0;
  if (!Save()) {
    settings_ = before;
    family_ = familyBefore;
    return Refused(Result::Failed);
  }
  files_.SaveFamily(family_, settings_);
  for (auto& [sessionId, session] : sessions_) {
    auto found = renumbered.find(session.currentUser);
    session.currentUser = found == renumbered.end() ? std::int16_t{-1} : found->second;
    ApplyChoiceRules(session, false, kStartUpMs + kChooseMs);
  }
  return Status(connection);
}

Answer Guard::On(ConnectionId id, Connection& connection, const SetParentPassword& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  if (Trim(request.password).empty() || !Storable(request.password)) {
    return Refused(Result::BadValue);
  }
  const Text before = settings_.ParentPassword;
  settings_.ParentPassword = request.password;
  if (Save()) return Answer{};
  settings_.ParentPassword = before;
  return Refused(Result::Failed);
}

// A program's own event lines; the guard's lines are its alone, so the parent can trust them.
Answer Guard::On(ConnectionId, Connection&, const AppendLog& request) {
  if (!OneLine(request.line) || request.line.starts_with(kGuardLinePrefix)) {
    return Refused(Result::BadValue);
  }
  files_.WriteLog(request.line);
  return Answer{};
}

Answer Guard::On(ConnectionId id, Connection& connection, const ReadLog& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  if (request.offset == 0) {
    std::optional<Text> log = files_.ReadLog();
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
    files_.ReplaceLog(connection.newLog);
    connection.newLog.clear();
  }
  return Answer{};
}

Answer Guard::On(ConnectionId id, Connection& connection, const Pause&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  MeterStep();
  SessionState& session = *Session(connection.session);
  session.paused = true;
  session.console.reset();
  session.chooseEndsMs.reset();
  session.countdownEndsMs.reset();
  session.logOffAtMs.reset();
  return Answer{};
}

Answer Guard::On(ConnectionId id, Connection& connection, const Remove&) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  MeterStep();
  files_.RemoveForGood();
  removed_ = true;
  for (auto& [sessionId, session] : sessions_) {
    session.chooseEndsMs.reset();
    session.countdownEndsMs.reset();
    session.logOffAtMs.reset();
  }
  Session(connection.session)->console.reset();
  return Answer{};
}

// The plans of days are no secret: every program shows its children's allowance of the day.
Answer Guard::On(ConnectionId, Connection&, const ReadDays&) {
  Answer answer;
  std::vector<DayPlan> plans;
  for (int user = 0; user <= settings_.UserCount && user < kMaxUsers; ++user) {
    plans.push_back(PlanOf(family_[static_cast<std::size_t>(user)]));
  }
  answer.days = std::move(plans);
  return answer;
}

// The console's plans change the weekdays and the extra minutes; each child's history stays the
// guard's own.
Answer Guard::On(ConnectionId id, Connection& connection, const StoreDays& request) {
  if (!HoldsConsole(id, connection)) return Refused(Result::NotAllowed);
  if (request.users.size() != static_cast<std::size_t>(settings_.UserCount + 1)) {
    return Refused(Result::BadValue);
  }
  MeterStep();
  const FamilyDays before = family_;
  for (std::size_t user = 0; user < request.users.size(); ++user) {
    ApplyPlan(request.users[user], family_[user]);
  }
  if (files_.SaveFamily(family_, settings_)) return Answer{};
  family_ = before;
  return Refused(Result::Failed);
}

}  // namespace orlimo::guard
