#include "guard/protocol.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <type_traits>

namespace orlimo::guard {
namespace {

constexpr std::size_t kMaxUsersInTable = 10;

// The bits of an answer's parts byte.
constexpr std::uint8_t kTablePart = 1;
constexpr std::uint8_t kSessionPart = 2;
constexpr std::uint8_t kSecretsPart = 4;
constexpr std::uint8_t kLogPart = 8;
constexpr std::uint8_t kDaysPart = 16;

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

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

// ---- requests --------------------------------------------------------------------------------

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
void WriteFields(Writer& w, const StoreTable& r) {
  w.Bool(r.passwordsInUse);
  w.List(r.users, [&w](const StoredUser& user) {
    w.I32(user.fromUser);
    w.Str(user.name);
    w.I32(user.limitMinutes);
    w.Str(user.password);
  });
}
void WriteFields(Writer& w, const SetParentPassword& r) {
  w.Str(r.password);
}
void WriteFields(Writer& w, const AppendLog& r) {
  w.Str(r.line);
}
void WriteFields(Writer& w, const ReadLog& r) {
  w.U32(r.offset);
}
void WriteFields(Writer& w, const RewriteLog& r) {
  w.Bool(r.last);
  w.Str(r.piece);
}
void WriteDays(Writer& w, const std::vector<DayPlan>& users) {
  w.List(users, [&w](const DayPlan& plan) {
    for (std::int32_t minutes : plan.weekdayMinutes) w.I32(minutes);
    w.I32(plan.extraMinutes);
    w.I32(plan.extraDay);
    w.List(plan.recentDays, [&w](const RecentDay& day) {
      w.I32(day.day);
      w.I32(day.usedMinutes);
      w.I32(day.allowanceMinutes);
    });
  });
}
void WriteFields(Writer& w, const StoreDays& r) {
  WriteDays(w, r.users);
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
void ReadFields(Reader& r, StoreTable& m) {
  m.passwordsInUse = r.Bool();
  m.users = r.List<StoredUser>(kMaxUsersInTable, [&r] {
    StoredUser user;
    user.fromUser = r.UserNumber();
    user.name = r.Str(kMaxNameUnits);
    user.limitMinutes = r.I32();
    user.password = r.Str(kMaxPasswordUnits);
    return user;
  });
}
void ReadFields(Reader& r, SetParentPassword& m) {
  m.password = r.Str(kMaxPasswordUnits);
}
void ReadFields(Reader& r, AppendLog& m) {
  m.line = r.Str(kMaxLogLineUnits);
}
void ReadFields(Reader& r, ReadLog& m) {
  m.offset = r.U32();
}
void ReadFields(Reader& r, RewriteLog& m) {
  m.last = r.Bool();
  m.piece = r.Str(kMaxLogPieceUnits);
}
std::vector<DayPlan> ReadDayPlans(Reader& r) {
  return r.List<DayPlan>(kMaxUsersInTable, [&r] {
    DayPlan plan;
    for (std::int32_t& minutes : plan.weekdayMinutes) {
      minutes = r.I32();
      if (minutes < kDailyAllowance) r.Fail();
    }
    plan.extraMinutes = r.I32();
    plan.extraDay = r.I32();
    plan.recentDays = r.List<RecentDay>(kMaxRecentDays, [&r] {
      RecentDay day;
      day.day = r.I32();
      day.usedMinutes = r.I32();
      day.allowanceMinutes = r.I32();
      return day;
    });
    return plan;
  });
}
void ReadFields(Reader& r, StoreDays& m) {
  m.users = ReadDayPlans(r);
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

void WriteTable(Writer& w, const TableView& table, bool withPasswords) {
  w.Bool(table.passwordsInUse);
  w.List(table.users, [&w, withPasswords](const UserView& user) {
    w.Str(user.name);
    w.I32(user.limitMinutes);
    w.I32(user.usedMinutes);
    w.I32(user.usedSeconds);
    w.Bool(user.hasPassword);
    if (withPasswords) w.Str(user.password);
  });
}

TableView ReadTable(Reader& r, bool withPasswords) {
  constexpr std::size_t kAny = std::numeric_limits<std::uint16_t>::max();
  TableView table;
  table.passwordsInUse = r.Bool();
  table.users = r.List<UserView>(kMaxUsersInTable, [&r, withPasswords] {
    UserView user;
    user.name = r.Str(kAny);
    user.limitMinutes = r.I32();
    user.usedMinutes = r.I32();
    user.usedSeconds = r.I32();
    user.hasPassword = r.Bool();
    if (withPasswords) user.password = r.Str(kAny);
    return user;
  });
  return table;
}

std::optional<std::string_view> Payload(std::string_view frame) {
  if (frame.size() < kFrameHeaderBytes) return std::nullopt;
  std::optional<std::size_t> length = PayloadLength(frame.substr(0, kFrameHeaderBytes));
  if (!length || *length != frame.size() - kFrameHeaderBytes) return std::nullopt;
  return frame.substr(kFrameHeaderBytes);
}

}  // namespace

DayPlan PlanOf(const ChildDays& days) {
  DayPlan plan;
  for (std::size_t d = 0; d < 7; ++d) {
    plan.weekdayMinutes[d] = days.WeekdayMinutes[d].value_or(kDailyAllowance);
  }
  plan.extraMinutes = days.ExtraMinutes;
  plan.extraDay = days.ExtraDay;
  const std::size_t skipped = days.History.size() - std::min(days.History.size(), kMaxRecentDays);
  for (auto day = std::next(days.History.begin(), static_cast<std::ptrdiff_t>(skipped));
       day != days.History.end(); ++day) {
    plan.recentDays.push_back({day->first, day->second.UsedMinutes, day->second.AllowanceMinutes});
  }
  return plan;
}

void ApplyPlan(const DayPlan& plan, ChildDays& days) {
  for (std::size_t d = 0; d < 7; ++d) {
    const std::int32_t minutes = plan.weekdayMinutes[d];
    days.WeekdayMinutes[d] =
        minutes == kDailyAllowance ? std::nullopt : std::optional<std::int32_t>(minutes);
  }
  days.ExtraMinutes = plan.extraMinutes;
  days.ExtraDay = plan.extraDay;
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
  if (answer.table) parts |= kTablePart;
  if (answer.session) parts |= kSessionPart;
  if (answer.parentPassword) parts |= kSecretsPart;
  if (answer.log) parts |= kLogPart;
  if (answer.days) parts |= kDaysPart;
  w.U8(parts);
  if (answer.table) WriteTable(w, *answer.table, answer.parentPassword.has_value());
  if (answer.session) {
    w.I16(answer.session->currentUser);
    w.I32(answer.session->chooseSecondsLeft);
    w.I32(answer.session->countdownSecondsLeft);
    w.Bool(answer.session->paused);
    w.Bool(answer.session->consoleOpen);
  }
  if (answer.parentPassword) w.Str(*answer.parentPassword);
  if (answer.log) {
    w.U32(answer.log->total);
    w.Str(answer.log->piece);
  }
  if (answer.days) WriteDays(w, *answer.days);
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
  if (parts & kTablePart) answer.table = ReadTable(r, (parts & kSecretsPart) != 0);
  if (parts & kSessionPart) {
    SessionView session;
    session.currentUser = r.I16();
    session.chooseSecondsLeft = r.I32();
    session.countdownSecondsLeft = r.I32();
    session.paused = r.Bool();
    session.consoleOpen = r.Bool();
    answer.session = session;
  }
  if (parts & kSecretsPart)
    answer.parentPassword = r.Str(std::numeric_limits<std::uint16_t>::max());
  if (parts & kLogPart) {
    LogPiece log;
    log.total = r.U32();
    log.piece = r.Str(std::numeric_limits<std::uint16_t>::max());
    answer.log = std::move(log);
  }
  if (parts & kDaysPart) answer.days = ReadDayPlans(r);
  if (!r.AtEnd()) return std::nullopt;
  return answer;
}

}  // namespace orlimo::guard
