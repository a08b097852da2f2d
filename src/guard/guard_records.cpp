#include "guard/guard_records.h"

#include <algorithm>
#include <stdexcept>

namespace orlimo::guard {

GuardRecords::GuardRecords(GuardChannel& channel, const platform::Clock& clock)
    : client_(channel), clock_(clock), clocks_(OutsideClocks{}) {}

std::optional<Answer> GuardRecords::Send(const Request& request) {
  std::optional<Answer> answer = client_.Send(request);
  reachable_ = answer.has_value() && answer->result != Result::VersionRefused;
  if (!reachable_) return std::nullopt;
  return answer;
}

void GuardRecords::Take(const Answer& answer, Settings& settings) {
  if (answer.table) {
    const TableView& table = *answer.table;
    // The guard counts the day; the figures shown belong to today.
    const DateValue today = DateFromFields(clock_.Now());
    Settings shown;
    shown.ParentPassword = settings.ParentPassword;
    shown.PasswordsInUse = table.passwordsInUse ? 1 : 0;
    const std::size_t count = std::min<std::size_t>(table.users.size(), kMaxUsers);
    for (std::size_t i = 0; i < count; ++i) {
      const UserView& view = table.users[i];
      UserEntry& user = shown.User(static_cast<int>(i));
      user = {view.name,        today,        view.limitMinutes, view.usedMinutes,
              view.usedSeconds, view.password};
    }
    shown.UserCount = static_cast<std::int16_t>(count) - 1;
    settings = shown;
  }
  if (answer.session) {
    const SessionView& session = *answer.session;
    clocks_ =
        OutsideClocks{session.currentUser, session.chooseSecondsLeft, session.countdownSecondsLeft};
  }
}

bool GuardRecords::Refresh(Settings& settings) {
  std::optional<Answer> answer = Send(GetStatus{});
  if (!answer || answer->result != Result::Ok) return false;
  // The passwords the console read stay while it is open.
  const Settings before = settings;
  Take(*answer, settings);
  if (answer->session && answer->session->consoleOpen) {
    settings.ParentPassword = before.ParentPassword;
    for (int user = 0; user <= settings.UserCount; ++user) {
      if (user <= before.UserCount) settings.User(user).Password = before.User(user).Password;
    }
  }
  return true;
}

void GuardRecords::Load(Settings& settings) {
  Refresh(settings);
}

void GuardRecords::Meter(Settings& settings, std::int16_t& currentUser, int) {
  Follow(settings, currentUser);
}

void GuardRecords::Follow(Settings& settings, std::int16_t& currentUser) {
  if (Refresh(settings)) currentUser = clocks_->currentUser;
}

FamilyDays GuardRecords::LoadFamily(const Settings&) {
  std::optional<Answer> answer = Send(ReadDays{});
  if (!answer || answer->result != Result::Ok || !answer->days) {
    throw std::runtime_error("the guard did not give the days");
  }
  FamilyDays family{};
  for (std::size_t user = 0; user < answer->days->size() && user < kMaxUsers; ++user) {
    const DayPlan& plan = (*answer->days)[user];
    ApplyPlan(plan, family[user]);
    for (const RecentDay& day : plan.recentDays) {
      family[user].History[day.day] = {day.usedMinutes, day.allowanceMinutes};
    }
  }
  return family;
}

void GuardRecords::SaveFamily(const FamilyDays& family, const Settings& settings) {
  StoreDays request;
  for (int user = 0; user <= settings.UserCount && user < kMaxUsers; ++user) {
    request.users.push_back(PlanOf(family[static_cast<std::size_t>(user)]));
  }
  Send(request);
}

UserChoice GuardRecords::ChooseUser(Settings& settings, int user, TextView password, std::int32_t) {
  std::optional<Answer> answer = Send(guard::ChooseUser{user, Text(password)});
  if (!answer) return UserChoice::WrongPassword;
  switch (answer->result) {
    case Result::Ok:
      Take(*answer, settings);
      return UserChoice::Chosen;
    case Result::NoTimeLeft:
      return UserChoice::NoTimeLeft;
    default:
      // A wrong password, or one tried again before the guard's wait is over.
      return UserChoice::WrongPassword;
  }
}

bool GuardRecords::ChangeOwnPassword(Settings&, int user, TextView current, TextView replacement) {
  std::optional<Answer> answer =
      Send(guard::ChangeOwnPassword{user, Text(current), Text(replacement)});
  if (!answer) throw std::runtime_error("the guard cannot be reached");
  if (answer->result == Result::Ok) return true;
  if (answer->result == Result::WrongPassword || answer->result == Result::Wait) return false;
  throw std::runtime_error("the guard did not store the password");
}

bool GuardRecords::OpenConsole(Settings& settings, TextView parentPassword, TextView) {
  // The guard logs the attempt itself, in the same words.
  std::optional<Answer> answer = Send(guard::OpenConsole{Text(parentPassword)});
  if (!answer || answer->result != Result::Ok) return false;
  Take(*answer, settings);
  ReadSecrets(settings);
  return true;
}

void GuardRecords::ReadSecrets(Settings& settings) {
  std::optional<Answer> answer = Send(guard::ReadSecrets{});
  if (!answer || answer->result != Result::Ok) return;
  Take(*answer, settings);
  if (answer->parentPassword) settings.ParentPassword = *answer->parentPassword;
}

void GuardRecords::CloseConsole(Settings& settings) {
  Send(guard::CloseConsole{});
  settings.ParentPassword.clear();
  for (UserEntry& user : settings.UserTable) user.Password.clear();
  Refresh(settings);
}

void GuardRecords::StoreTable(Settings& settings, const UserMoves& moves) {
  guard::StoreTable table;
  table.passwordsInUse = settings.PasswordsInUse != 0;
  std::array<int, kMaxUsers> from{};
  from.fill(-1);
  std::array<bool, kMaxUsers> taken{};
  for (int old = 0; old < kMaxUsers; ++old) {
    const int moved = moves[static_cast<std::size_t>(old)];
    if (moved >= 0 && moved < kMaxUsers) {
      from[static_cast<std::size_t>(moved)] = old;
      taken[static_cast<std::size_t>(old)] = true;
    }
  }
  for (int user = 0; user <= settings.UserCount; ++user) {
    int source = from[static_cast<std::size_t>(user)];
    // A new user starts from a number no stored user came from.
    for (int free = kMaxUsers - 1; source < 0 && free >= 0; --free) {
      if (!taken[static_cast<std::size_t>(free)]) {
        source = free;
        taken[static_cast<std::size_t>(free)] = true;
      }
    }
    const UserEntry& entry = settings.User(user);
    table.users.push_back({source, entry.Name, entry.LimitMinutes, entry.Password});
  }
  std::optional<Answer> answer = Send(table);
  if (answer && answer->result == Result::Ok) Take(*answer, settings);
  ReadSecrets(settings);
}

void GuardRecords::SetParentPassword(Settings& settings, TextView password) {
  std::optional<Answer> answer = Send(guard::SetParentPassword{Text(password)});
  if (!answer || answer->result != Result::Ok) {
    throw std::runtime_error("the guard did not store the parent password");
  }
  settings.ParentPassword = Text(password);
}

void GuardRecords::WriteLog(TextView line) {
  Send(AppendLog{Text(line)});
}

std::vector<Text> GuardRecords::ReadLogLines() {
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

void GuardRecords::RewriteLog(TextView text) {
  std::size_t start = 0;
  do {
    TextView piece = text.substr(start, kMaxLogPieceUnits);
    start += piece.size();
    std::optional<Answer> answer = Send(guard::RewriteLog{start >= text.size(), Text(piece)});
    if (!answer || answer->result != Result::Ok) return;
  } while (start < text.size());
}

void GuardRecords::Pause() {
  Send(guard::Pause{});
}

void GuardRecords::Remove() {
  Send(guard::Remove{});
}

}  // namespace orlimo::guard
