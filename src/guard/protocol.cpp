#include "guard/protocol.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <type_traits>

namespace orlimo::guard {
namespace {

constexpr std::size_t kMaxUsersInTable = 10;

// The bits of an answer's parts byte.
constexpr std::uint8_t kSessionPart = 1;
constexpr std::uint8_t kConsolePart = 2;
constexpr std::uint8_t kPasswordsPart = 4;
constexpr std::uint8_t kRenumberingPart = 8;
constexpr std::uint8_t kLogPart = 16;
constexpr std::uint8_t kDaysPart = 32;
constexpr std::size_t kAnyUnits = std::numeric_limits<std::uint16_t>::max();
// How a weekday given the daily allowance travels.
constexpr std::int32_t kDailyAllowance = -1;

class Writer {
 public:
  void U8(std::uint8_t value) { bytes_ += static_cast<char>(value); }
  void U16(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value));
    U8(static_cast<std::uint8_t>(value >> 8));
  }
  void U32(std::uint32_t value) {
    U16(static_cast<std::uint16_t>(value));
    U16(static_cast<std::uint16_t>(value >> 16));
  }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
  void Bool(bool value) { U8(value ? 1 : 0); }
  // A list: its count in a byte (lists are kept within one), then each item.
  template <typename Items, typename WriteItem>
  void List(const Items& items, WriteItem writeItem) {
    U8(static_cast<std::uint8_t>(items.size()));
    for (const auto& item : items) writeItem(item);
  }
  // A text longer than a length word can count is cut; requests never carry one.
  void Str(TextView text) {
    std::size_t units =
        std::min<std::size_t>(text.size(), std::numeric_limits<std::uint16_t>::max());
    U16(static_cast<std::uint16_t>(units));
    for (std::size_t i = 0; i < units; ++i) U16(text[i]);
  }
  // The frame: the payload's length, then the payload.
  std::string Frame() const {
    Writer frame;
    frame.U32(static_cast<std::uint32_t>(bytes_.size()));
    return frame.bytes_ + bytes_;
  }

 private:
  std::string bytes_;
};

// Reads fields from a payload; the first shortfall or out-of-range value makes it fail for good,
// and every later read gives zero.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return ok_ && position_ == bytes_.size(); }
  void Fail() { ok_ = false; }

  std::uint8_t U8() {
    if (!ok_ || position_ >= bytes_.size()) {
      ok_ = false;
      return 0;
    }
    return static_cast<std::uint8_t>(bytes_[position_++]);
  }
  std::uint16_t U16() {
    std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | U8() << 8);
  }
  std::uint32_t U32() {
    std::uint32_t low = U16();
    return low | static_cast<std::uint32_t>(U16()) << 16;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  bool Bool() {
    std::uint8_t value = U8();
    if (value > 1) ok_ = false;
    return value == 1;
  }
  Text Str(std::size_t maxUnits) {
    std::size_t units = U16();
    if (units > maxUnits || units * 2 > bytes_.size() - std::min(position_, bytes_.size())) {
      ok_ = false;
    }
    Text text;
    if (!ok_) return text;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) text += static_cast<char16_t>(U16());
    return text;
  }
  // A list written by Writer::List: a count above maxCount fails, and the items stop at the
  // first failed read.
  template <typename Item, typename ReadItem>
  std::vector<Item> List(std::size_t maxCount, ReadItem readItem) {
    std::vector<Item> items;
    std::size_t count = U8();
    if (count > maxCount) ok_ = false;
    for (std::size_t i = 0; ok_ && i < count; ++i) items.push_back(readItem());
    return items;
  }
  std::int32_t UserNumber() {
    std::int32_t user = I32();
    if (user < 0 || user >= static_cast<std::int32_t>(kMaxUsersInTable)) ok_ = false;
    return user;
  }
  // A user number, or -1 for none.
  std::int32_t UserOrNone() {
    std::int32_t user = I32();
    if (user < -1 || user >= static_cast<std::int32_t>(kMaxUsersInTable)) ok_ = false;
    return user;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

// ---- requests --------------------------------------------------------------------------------

// A child's hours of a weekday: from and to in minutes since midnight, -1 for the whole day.
void WriteHours(Writer& w, const std::array<std::optional<AllowedHours>, 7>& hours) {
  for (const std::optional<AllowedHours>& day : hours) {
    w.I32(day ? day->fromMinute : kDailyAllowance);
    w.I32(day ? day->toMinute : kDailyAllowance);
  }
}
std::array<std::optional<AllowedHours>, 7> ReadHours(Reader& r) {
  std::array<std::optional<AllowedHours>, 7> hours{};
  for (std::optional<AllowedHours>& day : hours) {
    const std::int32_t from = r.I32();
    const std::int32_t to = r.I32();
    if (from == kDailyAllowance && to == kDailyAllowance) continue;
    if (from < 0 || from >= to || to > 24 * 60) r.Fail();
    day = AllowedHours{from, to};
  }
  return hours;
}
EndAction ReadEnd(Reader& r) {
  const std::uint8_t end = r.U8();
  if (end > static_cast<std::uint8_t>(EndAction::Lock)) r.Fail();
  return static_cast<EndAction>(end);
}

void WriteWeekdays(Writer& w, const std::array<std::optional<std::int32_t>, 7>& weekdays) {
  for (const std::optional<std::int32_t>& minutes : weekdays)
    w.I32(minutes.value_or(kDailyAllowance));
}
std::array<std::optional<std::int32_t>, 7> ReadWeekdays(Reader& r) {
  std::array<std::optional<std::int32_t>, 7> weekdays{};
  for (std::optional<std::int32_t>& minutes : weekdays) {
    const std::int32_t value = r.I32();
    if (value < kDailyAllowance) r.Fail();
    if (value != kDailyAllowance) minutes = value;
  }
  return weekdays;
}

void WriteFields(Writer& w, const Hello& r) {
  w.U16(r.version);
}
void WriteFields(Writer& w, const ChooseUser& r) {
  w.I32(r.user);
  w.Str(r.password);
}
void WriteFields(Writer& w, const ChangeOwnPassword& r) {
  w.I32(r.user);
  w.Str(r.current);
  w.Str(r.replacement);
}
void WriteFields(Writer& w, const OpenConsole& r) {
  w.Str(r.parentPassword);
}
void WriteFields(Writer& w, const RevealPasswords& r) {
  w.Str(r.parentPassword);
}
void WriteFields(Writer& w, const StoreTable& r) {
  w.Bool(r.change.passwordsInUse);
  w.List(r.change.users, [&w](const StoredUser& user) {
    w.I32(user.fromUser);
    w.Str(user.name);
    w.I32(user.limitMinutes);
    w.Bool(user.password.has_value());
    if (user.password) w.Str(*user.password);
  });
}
void WriteFields(Writer& w, const SetParentPassword& r) {
  w.Str(r.password);
}
void WriteFields(Writer& w, const StoreDays& r) {
  w.I32(r.user);
  WriteWeekdays(w, r.change.weekdayMinutes);
  w.I32(r.change.extraToday);
  WriteHours(w, r.change.hours);
  w.U8(static_cast<std::uint8_t>(r.change.end));
  w.Bool(r.change.lockedTimeCounts);
}
void WriteFields(Writer& w, const AskMoreTime& r) {
  w.I32(r.minutes);
  w.Bool(r.grant);
  w.Str(r.parentPassword);
}
void WriteFields(Writer& w, const ReadLog& r) {
  w.U32(r.offset);
}
void WriteFields(Writer& w, const RewriteLog& r) {
  w.Bool(r.last);
  w.Str(r.piece);
}
template <typename Empty>
void WriteFields(Writer&, const Empty&) {
  static_assert(std::is_empty_v<Empty>);
}

void ReadFields(Reader& r, Hello& m) {
  m.version = r.U16();
}
void ReadFields(Reader& r, ChooseUser& m) {
  m.user = r.UserNumber();
  m.password = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, ChangeOwnPassword& m) {
  m.user = r.UserNumber();
  m.current = r.Str(kMaxPasswordUnits);
  m.replacement = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, OpenConsole& m) {
  m.parentPassword = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, RevealPasswords& m) {
  m.parentPassword = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, StoreTable& m) {
  m.change.passwordsInUse = r.Bool();
  m.change.users = r.List<StoredUser>(kMaxUsersInTable, [&r] {
    StoredUser user;
    user.fromUser = r.UserOrNone();
    user.name = r.Str(kMaxNameUnits);
    user.limitMinutes = r.I32();
    if (r.Bool()) user.password = r.Str(kMaxPasswordUnits);
    return user;
  });
}
void ReadFields(Reader& r, SetParentPassword& m) {
  m.password = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, StoreDays& m) {
  m.user = r.UserNumber();
  m.change.weekdayMinutes = ReadWeekdays(r);
  m.change.extraToday = r.I32();
  m.change.hours = ReadHours(r);
  m.change.end = ReadEnd(r);
  m.change.lockedTimeCounts = r.Bool();
}
void ReadFields(Reader& r, AskMoreTime& m) {
  m.minutes = r.I32();
  m.grant = r.Bool();
  m.parentPassword = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, ReadLog& m) {
  m.offset = r.U32();
}
void ReadFields(Reader& r, RewriteLog& m) {
  m.last = r.Bool();
  m.piece = r.Str(kMaxLogPieceUnits);
}
template <typename Empty>
void ReadFields(Reader&, Empty&) {
  static_assert(std::is_empty_v<Empty>);
}

// Kind byte k stands for the variant's alternative k - 1.
template <std::size_t Index = 0>
std::optional<Request> ReadKind(Reader& reader, std::size_t kind) {
  if constexpr (Index < std::variant_size_v<Request>) {
    if (kind == Index + 1) {
      std::variant_alternative_t<Index, Request> message;
      ReadFields(reader, message);
      return Request(std::move(message));
    }
    return ReadKind<Index + 1>(reader, kind);
  } else {
    return std::nullopt;
  }
}

// ---- answers ---------------------------------------------------------------------------------

void WriteSession(Writer& w, const SessionSnapshot& view) {
  w.Bool(view.passwordsInUse);
  w.List(view.users, [&w](const RowView& user) {
    w.Str(user.name);
    w.I32(user.limitMinutes);
    w.I32(user.dayAllowance);
    w.I32(user.usedMinutes);
    w.I32(user.usedSeconds);
    w.Bool(user.hasPassword);
    w.I32(user.hoursEndMinute);
    w.I32(user.hoursSecondsLeft);
  });
  w.I16(view.currentUser);
  w.I32(view.chooseSeconds);
  w.I32(view.countdownMsLeft);
  w.Bool(view.ended);
  w.Bool(view.locked);
  w.Bool(view.consoleOpen);
  w.Bool(view.paused);
  w.U32(view.chimes);
  w.U32(view.notices);
  w.Str(view.notice);
  w.I32(view.msToNextChange);
}

SessionSnapshot ReadSession(Reader& r) {
  SessionSnapshot view;
  view.passwordsInUse = r.Bool();
  view.users = r.List<RowView>(kMaxUsersInTable, [&r] {
    RowView user;
    user.name = r.Str(kAnyUnits);
    user.limitMinutes = r.I32();
    user.dayAllowance = r.I32();
    user.usedMinutes = r.I32();
    user.usedSeconds = r.I32();
    user.hasPassword = r.Bool();
    user.hoursEndMinute = r.I32();
    user.hoursSecondsLeft = r.I32();
    return user;
  });
  view.currentUser = r.I16();
  view.chooseSeconds = r.I32();
  view.countdownMsLeft = r.I32();
  view.ended = r.Bool();
  view.locked = r.Bool();
  view.consoleOpen = r.Bool();
  view.paused = r.Bool();
  view.chimes = r.U32();
  view.notices = r.U32();
  view.notice = r.Str(kAnyUnits);
  view.msToNextChange = r.I32();
  return view;
}

void WriteChildDays(Writer& w, const std::vector<ChildDays>& children) {
  w.List(children, [&w](const ChildDays& days) {
    WriteWeekdays(w, days.WeekdayMinutes);
    w.I32(days.ExtraMinutes);
    w.I32(days.ExtraDay);
    WriteHours(w, days.Hours);
    w.U8(static_cast<std::uint8_t>(days.End));
    w.Bool(days.LockedTimeCounts);
    w.List(days.History, [&w](const auto& day) {
      w.I32(day.first);
      w.I32(day.second.UsedMinutes);
      w.I32(day.second.AllowanceMinutes);
    });
  });
}

std::vector<ChildDays> ReadChildDays(Reader& r) {
  return r.List<ChildDays>(kMaxUsersInTable, [&r] {
    ChildDays days;
    days.WeekdayMinutes = ReadWeekdays(r);
    days.ExtraMinutes = r.I32();
    days.ExtraDay = r.I32();
    days.Hours = ReadHours(r);
    days.End = ReadEnd(r);
    days.LockedTimeCounts = r.Bool();
    r.List<int>(kMaxRecentDays, [&r, &days] {
      const DayNumber day = r.I32();
      DayUsage usage;
      usage.UsedMinutes = r.I32();
      usage.AllowanceMinutes = r.I32();
      days.History[day] = usage;
      return 0;
    });
    return days;
  });
}

std::optional<std::string_view> Payload(std::string_view frame) {
  if (frame.size() < kFrameHeaderBytes) return std::nullopt;
  std::optional<std::size_t> length = PayloadLength(frame.substr(0, kFrameHeaderBytes));
  if (!length || *length != frame.size() - kFrameHeaderBytes) return std::nullopt;
  return frame.substr(kFrameHeaderBytes);
}

}  // namespace

ChildDays RecentDaysOf(const ChildDays& days) {
  ChildDays recent = days;
  while (recent.History.size() > kMaxRecentDays) recent.History.erase(recent.History.begin());
  return recent;
}

std::optional<std::size_t> PayloadLength(std::string_view header) {
  if (header.size() != kFrameHeaderBytes) return std::nullopt;
  Reader reader(header);
  std::size_t length = reader.U32();
  if (length > kMaxPayloadBytes) return std::nullopt;
  return length;
}

ReadRequestResult ReadRequest(std::string_view frame) {
  ReadRequestResult result;
  std::optional<std::string_view> payload = Payload(frame);
  if (!payload) return result;
  Reader reader(*payload);
  std::size_t kind = reader.U8();
  std::optional<Request> request = ReadKind(reader, kind);
  if (request && reader.AtEnd()) result.request = std::move(request);
  return result;
}

std::string EncodeRequest(const Request& request) {
  Writer w;
  w.U8(static_cast<std::uint8_t>(request.index() + 1));
  std::visit([&w](const auto& message) { WriteFields(w, message); }, request);
  return w.Frame();
}

std::string EncodeAnswer(const Answer& answer) {
  Writer w;
  w.U8(static_cast<std::uint8_t>(answer.result));
  w.U16(answer.waitSeconds);
  w.U16(answer.guardVersion);
  std::uint8_t parts = 0;
  if (answer.session) parts |= kSessionPart;
  if (answer.console) parts |= kConsolePart;
  if (answer.passwords) parts |= kPasswordsPart;
  if (answer.renumbering) parts |= kRenumberingPart;
  if (answer.log) parts |= kLogPart;
  if (answer.days) parts |= kDaysPart;
  w.U8(parts);
  if (answer.session) WriteSession(w, *answer.session);
  if (answer.console) {
    w.I32(answer.console->wrongAttempts);
    w.Bool(answer.console->newParentPasswordNeeded);
  }
  if (answer.passwords) w.List(*answer.passwords, [&w](const Text& password) { w.Str(password); });
  if (answer.renumbering) {
    for (int moved : *answer.renumbering) w.I32(moved);
  }
  if (answer.log) {
    w.U32(answer.log->total);
    w.Str(answer.log->piece);
  }
  if (answer.days) WriteChildDays(w, *answer.days);
  return w.Frame();
}

std::optional<Answer> ReadAnswer(std::string_view frame) {
  std::optional<std::string_view> payload = Payload(frame);
  if (!payload) return std::nullopt;
  Reader r(*payload);
  Answer answer;
  std::uint8_t result = r.U8();
  if (result > kLastResult) return std::nullopt;
  answer.result = static_cast<Result>(result);
  answer.waitSeconds = r.U16();
  answer.guardVersion = r.U16();
  std::uint8_t parts = r.U8();
  if (parts & kSessionPart) answer.session = ReadSession(r);
  if (parts & kConsolePart) {
    ConsoleView console;
    console.wrongAttempts = r.I32();
    console.newParentPasswordNeeded = r.Bool();
    answer.console = console;
  }
  if (parts & kPasswordsPart) {
    answer.passwords = r.List<Text>(kMaxUsersInTable, [&r] { return r.Str(kAnyUnits); });
  }
  if (parts & kRenumberingPart) {
    Renumbering renumbering{};
    for (int& moved : renumbering) moved = r.UserOrNone();
    answer.renumbering = renumbering;
  }
  if (parts & kLogPart) {
    LogPiece log;
    log.total = r.U32();
    log.piece = r.Str(kAnyUnits);
    answer.log = std::move(log);
  }
  if (parts & kDaysPart) answer.days = ReadChildDays(r);
  if (!r.AtEnd()) return std::nullopt;
  return answer;
}

}  // namespace orlimo::guard
