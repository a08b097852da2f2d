// The supervisor's table and sessions, and what the windows ask of it.
#include "supervisor/supervisor.h"

#include <algorithm>
#include <exception>
#include <set>
#include <utility>

#include "records/log_words.h"
#include "records/stored_field.h"
#include "records/usage_log.h"

namespace orlimo {
namespace {

Outcome Refused() {
  return {Verdict::Refused, 0};
}

Outcome Waiting(int seconds) {
  return {Verdict::Wait, seconds};
}

constexpr char16_t kMoreTimeGivenBefore[] = u" 님, ";
constexpr char16_t kMoreTimeGivenAfter[] = u"분을 더 받았습니다.";

Text WaitLine(int seconds) {
  return LogWords::kPasswordWaitPrefix + DecimalText(seconds) + LogWords::kSecondsUnit;
}

}  // namespace

Supervisor::Supervisor(FolderRecords& store, const platform::Clock& clock, SupervisorHost& host,
                       ParentPasswordRules parentRules)
    : store_(store),
      clock_(clock),
      host_(host),
      parentRules_(parentRules),
      parentPasswordExposed_(parentRules.exposed) {}

void Supervisor::LoadTable() {
  store_.Load(settings_);
  tableLoaded_ = true;
  try {
    family_ = store_.LoadFamily(settings_);
  } catch (const std::exception&) {
    // A Family.ini that cannot be rewritten leaves every child with the daily allowance alone.
    family_ = {};
  }
  TurnDayIfLater(NowDate());
  SaveSoon();
}

Supervisor::Session* Supervisor::Find(SessionId id) {
  auto found = sessions_.find(id);
  return found == sessions_.end() ? nullptr : &found->second;
}

const Supervisor::Session* Supervisor::Find(SessionId id) const {
  auto found = sessions_.find(id);
  return found == sessions_.end() ? nullptr : &found->second;
}

void Supervisor::OpenSession(SessionId id) {
  auto [entry, added] = sessions_.try_emplace(id);
  if (!added) return;
  Session& session = entry->second;
  session.id = id;
  if (!tableLoaded_ || removed_) return;
  TurnDayIfLater(NowDate());
  Inits(session);
  // A child locked out today who logs on again is that child, whose time is up.
  if (auto locked = lockedOutUsers_.find(host_.WindowsUser(id)); locked != lockedOutUsers_.end()) {
    session.currentUser = locked->second;
  }
  // The choosing starts with the start-up tick, not before.
  SetOff(session.userBeep);
  SetOn(session.startup, kStartUpMs);
}

bool Supervisor::SessionPaused(SessionId id) const {
  const Session* session = Find(id);
  return session && session->paused;
}

void Supervisor::EndSession(SessionId id) {
  Session* session = Find(id);
  if (!session) return;
  Meter(*session);
  sessions_.erase(id);
}

std::int32_t Supervisor::DayAllowance(int user) const {
  return Main::DayAllowance(settings_.User(user), family_.at(static_cast<std::size_t>(user)),
                            Today());
}

SessionSnapshot Supervisor::Snapshot(SessionId id) const {
  SessionSnapshot shown;
  shown.passwordsInUse = settings_.PasswordsInUse != 0;
  for (int u = 0; u <= settings_.UserCount && u < kMaxUsers; ++u) {
    const UserEntry& user = settings_.User(u);
    RowView row{user.Name,
                user.LimitMinutes,
                DayAllowance(u),
                user.UsedMinutes,
                user.UsedSeconds,
                !user.Password.empty(),
                -1,
                -1};
    if (const TimeLeft left = LeftToday(u); left.hoursEndFirst) {
      const auto& hours = family_[static_cast<std::size_t>(u)]
                              .Hours[static_cast<std::size_t>(Main::WeekdayOf(Today()))];
      row.hoursEndMinute = hours->toMinute;
      row.hoursSecondsLeft = static_cast<std::int32_t>(left.seconds);
    }
    shown.users.push_back(std::move(row));
  }
  const Session* session = Find(id);
  if (!session) return shown;
  const std::int64_t now = NowMs();
  shown.currentUser = session->currentUser;
  shown.chooseSeconds = session->chooseSeconds;
  if (session->countdownEnd.dueMs) {
    shown.countdownMsLeft =
        static_cast<std::int32_t>(std::max<std::int64_t>(0, *session->countdownEnd.dueMs - now));
  }
  shown.ended = session->ended;
  shown.locked = session->lockHeldFor >= 0;
  shown.consoleOpen = session->consoleOpen;
  shown.paused = session->paused;
  shown.chimes = session->chimes;
  shown.notices = session->notices;
  shown.notice = session->notice;
  for (const Timer* timer : {&session->startup, &session->checkTime, &session->userBeep,
                             &session->countdownEnd, &session->force}) {
    if (!timer->dueMs) continue;
    const auto left = static_cast<std::int32_t>(std::max<std::int64_t>(0, *timer->dueMs - now));
    if (shown.msToNextChange < 0 || left < shown.msToNextChange) shown.msToNextChange = left;
  }
  return shown;
}

void Supervisor::UsageSummary(const Session& session, TextView word) {
  const int user = session.currentUser >= 0 ? session.currentUser : 0;
  UserEntry entry = settings_.User(user);
  entry.LimitMinutes = DayAllowance(user);
  WriteLog(Main::UsageLine(word, entry));
}

// A session may write lines about passwords in a burst, then one every kPasswordLineEveryMs: a
// flood of guesses is counted, not written out line by line.
void Supervisor::WritePasswordLine(Session& session, TextView line) {
  const std::int64_t now = NowMs();
  session.passwordLines = std::min<double>(
      kPasswordLineBurst,
      session.passwordLines +
          static_cast<double>(now - session.passwordLinesAtMs) / kPasswordLineEveryMs);
  session.passwordLinesAtMs = now;
  if (session.passwordLines < 1) return;
  session.passwordLines -= 1;
  WriteLog(line);
}

void Supervisor::SaveSoon() {
  Save();
}

bool Supervisor::Save() {
  if (!tableLoaded_) return false;
  try {
    store_.Save(settings_);
    return true;
  } catch (const std::exception&) {
    // The store logged it; the next save makes it again.
    return false;
  }
}

void Supervisor::SaveFamily() {
  if (!tableLoaded_) return;
  try {
    store_.SaveFamily(family_, settings_);
  } catch (const std::exception&) {
    // The next writing tries again.
  }
}

void Supervisor::LogStart(SessionId, TextView caption) {
  WriteLog(LogWords::kStartMark);
  WriteLog(caption);
}

void Supervisor::WindowClosing(SessionId id) {
  Session* session = Find(id);
  if (!session) {
    // Before the session opened (a second program in the session): the line alone.
    UsageSummary(Session{}, LogWords::kClosed);
    return;
  }
  if (session->ended) return;  // the countdown's end closed the windows already
  Closing(*session);
}

void Supervisor::ProgramReleased(SessionId id) {
  const Session* session = Find(id);
  UsageSummary(session ? *session : Session{}, LogWords::kReleased);
}

// The user's password, then the time left; the seconds since the last step go to the user who
// becomes current, and both switch lines carry that user's figures.
Outcome Supervisor::ChooseUser(SessionId id, int user, TextView password) {
  Session* session = Find(id);
  if (!session || !tableLoaded_ || user < 0 || user > settings_.UserCount) return Refused();
  const std::int64_t now = NowMs();
  if (const int left = session->childWait.SecondsLeft(now)) return Waiting(left);
  const UserEntry& chosen = settings_.User(user);
  if (password != chosen.Password) {
    const int seconds = session->childWait.Wrong(now);
    WritePasswordLine(*session, WaitLine(seconds));
    return {Verdict::WrongPassword, seconds};
  }
  session->childWait.Right();
  const std::optional<std::int64_t> hoursLeft =
      Main::SecondsLeftInHours(family_[static_cast<std::size_t>(user)], NowDate());
  if (std::int64_t{DayAllowance(user)} - chosen.UsedMinutes < 1 || (hoursLeft && *hoursLeft < 60)) {
    return {Verdict::NoTimeLeft, 0};
  }
  session->currentUser = static_cast<std::int16_t>(user);
  session->lastTimedOut = -1;
  Meter(*session);
  TimeOutStep(*session);
  UsageSummary(*session, LogWords::kSwitchedFrom);
  UsageSummary(*session, LogWords::kSwitchedTo);
  session->chooseSeconds = -1;
  return {};
}

// A request that changes nothing writes nothing.
Outcome Supervisor::ChangeOwnPassword(SessionId id, int user, TextView current,
                                      TextView replacement) {
  Session* session = Find(id);
  if (!session || !tableLoaded_ || user < 0 || user > settings_.UserCount) return Refused();
  const std::int64_t now = NowMs();
  if (const int left = session->childWait.SecondsLeft(now)) return Waiting(left);
  UserEntry& entry = settings_.User(user);
  if (current != entry.Password) {
    const int seconds = session->childWait.Wrong(now);
    WritePasswordLine(*session, WaitLine(seconds));
    return {Verdict::WrongPassword, seconds};
  }
  session->childWait.Right();
  if (!replacement.empty() && !Main::ReadsBackExactly(replacement)) return Refused();
  if (replacement == entry.Password) return {};
  const Text before = entry.Password;
  entry.Password = Text(replacement);
  if (Save()) return {};
  entry.Password = before;
  return {Verdict::Failed, 0};
}

// Every attempt is logged with the name of the session's user; the parent password's wait is
// its own, and a right child password does not end it. An attempt during the wait is not
// checked: the first one of a wait is logged as such, and all are counted for the parent.
ConsoleEntry Supervisor::OpenConsole(SessionId id, TextView parentPassword) {
  ConsoleEntry entry;
  Session* session = Find(id);
  if (!session || removed_) {
    entry.outcome = Refused();
    return entry;
  }
  const Text name = settings_.User(session->currentUser >= 0 ? session->currentUser : 0).Name;
  const bool waiting = session->parentWait.SecondsLeft(NowMs()) > 0;
  if (!waiting && parentPassword != settings_.ParentPassword) {
    WritePasswordLine(*session, LogWords::kParentPasswordWrong + name + u")");
  }
  if (waiting && session->parentWait.FirstDuringWait()) {
    WritePasswordLine(*session, LogWords::kParentPasswordDuringWait + name + u")");
  }
  entry.outcome = CheckParentPassword(*session, parentPassword);
  if (entry.outcome.verdict != Verdict::Done) return entry;
  Meter(*session);
  WriteLog(LogWords::kParentPasswordRight + name + u")");
  SetOff(session->userBeep);
  session->consoleOpen = true;
  SetOff(session->checkTime);
  SetOff(session->startup);
  entry.wrongAttempts = std::exchange(wrongParentAttempts_, 0);
  entry.newParentPasswordNeeded =
      parentRules_.renewKnownPassword &&
      (parentPasswordExposed_ || settings_.ParentPassword == kDefaultParentPassword);
  return entry;
}

bool Supervisor::ConsoleOpen(SessionId id) const {
  const Session* session = Find(id);
  return session && session->consoleOpen;
}

// Metering and the start-up tick go on 30 s after the console closes, the title asking who is
// using the PC.
void Supervisor::CloseConsole(SessionId id) {
  Session* session = Find(id);
  if (!session || !session->consoleOpen) return;
  session->consoleOpen = false;
  if (session->paused || session->ended || removed_) return;
  SetOn(session->checkTime, kMeterEveryMs);
  SetOn(session->startup, kStartUpMs);
  session->chooseSeconds = -1;
}

std::optional<std::vector<Text>> Supervisor::RevealPasswords(SessionId id, TextView parentPassword,
                                                             Outcome* outcome) {
  Outcome checked = Refused();
  std::optional<std::vector<Text>> passwords;
  Session* session = Find(id);
  if (session && session->consoleOpen) {
    checked = CheckParentPassword(*session, parentPassword);
    if (checked.verdict == Verdict::Done) {
      passwords.emplace();
      for (int u = 0; u <= settings_.UserCount; ++u) {
        passwords->push_back(settings_.User(u).Password);
      }
    }
  }
  if (outcome) *outcome = checked;
  return passwords;
}

// The parent password against the session's wait: a check during the wait is not made, a wrong
// one makes the wait grow; both are counted for the parent.
Outcome Supervisor::CheckParentPassword(Session& session, TextView parentPassword) {
  const std::int64_t now = NowMs();
  if (const int left = session.parentWait.SecondsLeft(now)) {
    ++wrongParentAttempts_;
    return Waiting(left);
  }
  if (parentPassword != settings_.ParentPassword) {
    const int seconds = session.parentWait.Wrong(now);
    WritePasswordLine(session, WaitLine(seconds));
    ++wrongParentAttempts_;
    return {Verdict::WrongPassword, seconds};
  }
  session.parentWait.Right();
  return {};
}

// Names, allowances, passwords and the flag change; each user keeps the usage of the day of the
// user it was stored from, and the days and warnings go with it, so no figure is lowered or
// made up. Whatever acts on a child goes on acting on that child under its new number.
StoreResult Supervisor::StoreTable(SessionId id, const TableChange& change) {
  StoreResult result;
  result.renumbering.fill(-1);
  if (!ConsoleOpen(id) || change.users.size() > static_cast<std::size_t>(kMaxUsers)) {
    result.outcome = Refused();
    return result;
  }
  std::set<std::int32_t> sources;
  for (const StoredUser& user : change.users) {
    const bool known = user.fromUser >= 0 && user.fromUser <= settings_.UserCount;
    if (Trim(user.name).empty() || !Main::ReadsBackExactly(Trim(user.name)) ||
        (user.password && !user.password->empty() && !Main::ReadsBackExactly(*user.password)) ||
        (user.fromUser != -1 && (!known || !sources.insert(user.fromUser).second)) ||
        (!known && !user.password)) {
      result.outcome = Refused();
      return result;
    }
  }
  Meter(*Find(id));
  const Settings before = settings_;
  const FamilyDays familyBefore = family_;
  const auto creditedBefore = creditedUntil_;
  const DateValue day = before.User(0).Day;
  family_ = {};
  creditedUntil_ = {};
  for (int u = 0; u < kMaxUsers; ++u) {
    const std::size_t i = static_cast<std::size_t>(u);
    UserEntry& entry = settings_.User(u);
    entry = UserEntry{};
    entry.Day = day;
    if (i >= change.users.size()) continue;
    const StoredUser& stored = change.users[i];
    if (stored.fromUser >= 0) {
      const std::size_t from = static_cast<std::size_t>(stored.fromUser);
      entry = before.User(stored.fromUser);
      family_[i] = familyBefore[from];
      creditedUntil_[i] = creditedBefore[from];
      result.renumbering[from] = u;
    }
    entry.Name = Trim(stored.name);
    entry.LimitMinutes = stored.limitMinutes;
    if (stored.password) entry.Password = Trim(*stored.password);
  }
  settings_.UserCount = static_cast<std::int16_t>(change.users.size()) - 1;
  settings_.PasswordsInUse = change.passwordsInUse ? 1 : 0;
  if (!Save()) {
    settings_ = before;
    family_ = familyBefore;
    creditedUntil_ = creditedBefore;
    result.renumbering.fill(-1);
    result.outcome = {Verdict::Failed, 0};
    return result;
  }
  SaveFamily();
  for (auto& [sessionId, session] : sessions_) {
    const int current = session.currentUser;
    if (current >= 0 && current < kMaxUsers) {
      session.currentUser =
          static_cast<std::int16_t>(result.renumbering[static_cast<std::size_t>(current)]);
    }
    std::array<Main::WarningState, kMaxUsers> warnings{};
    for (std::size_t old = 0; old < kMaxUsers; ++old) {
      const int moved = result.renumbering[old];
      if (moved >= 0) warnings[static_cast<std::size_t>(moved)] = session.warnings[old];
    }
    session.warnings = warnings;
    // The other sessions are laid out anew for the stored table at once, unless their start-up
    // tick is still to come; the console's own when the parent closes it with the store.
    if (sessionId != id && !session.paused && !session.ended && !session.consoleOpen &&
        !session.startup.dueMs) {
      Inits(session);
    }
  }
  return result;
}

void Supervisor::Rebuild(SessionId id) {
  Session* session = Find(id);
  if (!session || !session->consoleOpen) return;
  Inits(*session);
}

Outcome Supervisor::SetParentPassword(TextView password) {
  if (Trim(password).empty() || !Main::ReadsBackExactly(password) ||
      (parentRules_.renewKnownPassword && password == kDefaultParentPassword)) {
    return Refused();
  }
  const Text before = settings_.ParentPassword;
  settings_.ParentPassword = Text(password);
  if (!Save()) {
    settings_.ParentPassword = before;
    return {Verdict::Failed, 0};
  }
  parentPasswordExposed_ = false;
  return {};
}

Outcome Supervisor::StoreDays(SessionId id, int user, const DaysChange& change) {
  if (!ConsoleOpen(id) || user < 0 || user > settings_.UserCount) return Refused();
  ChildDays& days = family_[static_cast<std::size_t>(user)];
  days.WeekdayMinutes = change.weekdayMinutes;
  days.Hours = change.hours;
  days.End = change.end;
  days.LockedTimeCounts = change.lockedTimeCounts;
  const std::int32_t before = days.ExtraDay == Today() ? days.ExtraMinutes : 0;
  GiveExtraMinutes(user, std::int64_t{change.extraToday} - before);
  SaveFamily();
  return {};
}

// "추가시간:첫째님 20분 더함, 오늘 80분" (or "10분 뺌") in the log when today's extra minutes
// change.
void Supervisor::GiveExtraMinutes(int user, std::int64_t difference) {
  if (difference == 0) return;
  Main::GiveExtraMinutes(family_[static_cast<std::size_t>(user)], Today(),
                         static_cast<std::int32_t>(difference));
  const std::int64_t amount = difference < 0 ? -difference : difference;
  WriteLog(LogWords::kExtraMinutes + settings_.User(user).Name + u"님 " + DecimalText(amount) +
           (difference < 0 ? LogWords::kTakenBack : LogWords::kGiven) +
           DecimalText(DayAllowance(user)) + LogWords::kMinutesUnit);
}

// A request of 10, 20 or 30 minutes for the child at the PC, granted with the parent password
// under the session's wait, as the console is opened: the reason line, then the extra minutes'
// line, and a notice for the child.
Outcome Supervisor::GrantMoreTime(SessionId id, int minutes, TextView parentPassword) {
  Session* session = Find(id);
  if (!session || removed_ || !MoreTimeAsked(*session, minutes)) return Refused();
  const int child = session->currentUser;
  const Text name = settings_.User(child).Name;
  if (session->parentWait.SecondsLeft(NowMs()) == 0 && parentPassword != settings_.ParentPassword) {
    WritePasswordLine(*session, LogWords::kParentPasswordWrong + name + u")");
  } else if (session->parentWait.SecondsLeft(NowMs()) > 0 &&
             session->parentWait.FirstDuringWait()) {
    WritePasswordLine(*session, LogWords::kParentPasswordDuringWait + name + u")");
  }
  const Outcome checked = CheckParentPassword(*session, parentPassword);
  if (checked.verdict != Verdict::Done) return checked;
  Meter(*session);
  WriteLog(LogWords::kMoreTimeGranted + name + u"님 " + DecimalText(minutes) +
           LogWords::kMinutesUnit);
  GiveExtraMinutes(child, minutes);
  SaveFamily();
  ++session->notices;
  session->notice = name + kMoreTimeGivenBefore + DecimalText(minutes) + kMoreTimeGivenAfter;
  return {};
}

void Supervisor::RefuseMoreTime(SessionId id, int minutes) {
  Session* session = Find(id);
  if (!session || !MoreTimeAsked(*session, minutes)) return;
  WritePasswordLine(*session, LogWords::kMoreTimeRefused +
                                  settings_.User(session->currentUser).Name + u"님 " +
                                  DecimalText(minutes) + LogWords::kMinutesUnit);
}

bool Supervisor::MoreTimeAsked(const Session& session, int minutes) const {
  return tableLoaded_ && session.currentUser >= 0 && session.currentUser <= settings_.UserCount &&
         (minutes == 10 || minutes == 20 || minutes == 30);
}

void Supervisor::Pause(SessionId id) {
  Session* session = Find(id);
  if (!session) return;
  Meter(*session);
  session->paused = true;
  session->consoleOpen = false;
  StopClocks(*session);
}

void Supervisor::Remove() {
  for (auto& [id, session] : sessions_) {
    Meter(session);
    StopClocks(session);
    session.consoleOpen = false;
  }
  removed_ = true;
  store_.Remove();
}

}  // namespace orlimo
