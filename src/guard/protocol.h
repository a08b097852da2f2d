// The messages between the guard and the programs in the log-on sessions: each a frame of a
// 4-byte little-endian length and at most kMaxPayloadBytes of payload, the payload a kind byte
// and its fields. The first request of a connection says which protocol version the program
// speaks; every answer says ok or why not.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/text.h"
#include "records/family_days.h"

namespace orlimo::guard {

// Version 1 is the first. A guard answers programs from kOldestProgramVersion to its own.
inline constexpr std::uint16_t kProtocolVersion = 1;
inline constexpr std::uint16_t kOldestProgramVersion = 1;

inline constexpr std::size_t kFrameHeaderBytes = 4;
inline constexpr std::size_t kMaxPayloadBytes = 64 * 1024;

// Longest texts a request may carry, in 16-bit code units.
inline constexpr std::size_t kMaxNameUnits = 64;
inline constexpr std::size_t kMaxPasswordUnits = 64;
inline constexpr std::size_t kMaxLogLineUnits = 1024;
inline constexpr std::size_t kMaxLogPieceUnits = 16 * 1024;

struct Hello {
  std::uint16_t version = kProtocolVersion;
};
// The table without secrets and this session's state.
struct GetStatus {};
// Makes the user current in the caller's session, once the user's password is right.
struct ChooseUser {
  std::int32_t user = 0;
  Text password;
};
// Changes a user's own password on proof of the current one.
struct ChangeOwnPassword {
  std::int32_t user = 0;
  Text current;
  Text replacement;
};
// Opens the parent's console for this connection when the parent password is right.
struct OpenConsole {
  Text parentPassword;
};
struct CloseConsole {};
// The whole table with every password (console only).
struct ReadSecrets {};
// One user as the console stores it: the user number whose usage of the day the row keeps.
struct StoredUser {
  std::int32_t fromUser = 0;
  Text name;
  std::int32_t limitMinutes = 0;
  Text password;
  bool operator==(const StoredUser&) const = default;
};
// The console's table: users 0, 1, ... in order (console only).
struct StoreTable {
  bool passwordsInUse = false;
  std::vector<StoredUser> users;
};
struct SetParentPassword {
  Text password;
};
// One line for Logs.txt, stamped by the guard.
struct AppendLog {
  Text line;
};
// A piece of Logs.txt from a position in its text; position 0 takes a fresh copy (console only).
struct ReadLog {
  std::uint32_t offset = 0;
};
// A piece of the log's new text; the last piece replaces the whole log with the pieces sent
// (console only).
struct RewriteLog {
  bool last = false;
  Text piece;
};
// Stops the guard's care for this session until Windows starts again (console only).
struct Pause {};
// Stops the guard's care for good and deletes the Run value (console only).
struct Remove {};
// One child's plan of days: the minutes of each weekday, Sunday first (kDailyAllowance for the
// daily allowance), and the extra minutes given for one day.
inline constexpr std::int32_t kDailyAllowance = -1;
// One recorded day of a child's use: the day's number, the minutes used and the day's allowance.
struct RecentDay {
  std::int32_t day = 0;
  std::int32_t usedMinutes = 0;
  std::int32_t allowanceMinutes = 0;
  bool operator==(const RecentDay&) const = default;
};
// As many recorded days as the usage chart shows.
inline constexpr std::size_t kMaxRecentDays = 14;
struct DayPlan {
  std::array<std::int32_t, 7> weekdayMinutes{kDailyAllowance, kDailyAllowance, kDailyAllowance,
                                             kDailyAllowance, kDailyAllowance, kDailyAllowance,
                                             kDailyAllowance};
  std::int32_t extraMinutes = 0;
  std::int32_t extraDay = 0;
  // The child's last recorded days, oldest first, for the usage chart; a store ignores them.
  std::vector<RecentDay> recentDays;
  bool operator==(const DayPlan&) const = default;
};
DayPlan PlanOf(const ChildDays& days);
// Sets the plan's weekdays and extra minutes; the history stays.
void ApplyPlan(const DayPlan& plan, ChildDays& days);
// Every child's plan of days, users 0, 1, ... in order.
struct ReadDays {};
// The console's plans of days, users 0, 1, ... in order (console only).
struct StoreDays {
  std::vector<DayPlan> users;
};

using Request = std::variant<Hello, GetStatus, ChooseUser, ChangeOwnPassword, OpenConsole,
                             CloseConsole, ReadSecrets, StoreTable, SetParentPassword, AppendLog,
                             ReadLog, RewriteLog, Pause, Remove, ReadDays, StoreDays>;

enum class Result : std::uint8_t {
  Ok = 0,
  Malformed = 1,       // not a request this guard can read
  VersionRefused = 2,  // the program speaks a version this guard does not
  HelloFirst = 3,      // the connection has not said its version yet
  NotAllowed = 4,      // needs the parent's console open on this connection
  WrongPassword = 5,   // waitSeconds says how long the session now waits
  Wait = 6,            // a password check comes too soon; waitSeconds are left
  NoTimeLeft = 7,
  NoSuchUser = 8,
  BadValue = 9,    // a name, password or log text the files cannot hold
  NoSession = 10,  // the caller's session is not a log-on session
  Failed = 11,     // the file could not be read or written
};
inline constexpr std::uint8_t kLastResult = 11;

struct UserView {
  Text name;
  std::int32_t limitMinutes = 0;
  std::int32_t usedMinutes = 0;
  std::int32_t usedSeconds = 0;
  bool hasPassword = false;
  Text password;  // sent only in the answer to ReadSecrets
  bool operator==(const UserView&) const = default;
};

struct TableView {
  bool passwordsInUse = false;
  std::vector<UserView> users;
  bool operator==(const TableView&) const = default;
};

// What the program in a session shows: who is current, and the guard's clocks for the
// choose-a-user countdown and the time-is-up countdown (-1 while they do not run).
struct SessionView {
  std::int16_t currentUser = -1;
  std::int32_t chooseSecondsLeft = -1;
  std::int32_t countdownSecondsLeft = -1;
  bool paused = false;
  bool consoleOpen = false;
  bool operator==(const SessionView&) const = default;
};

struct LogPiece {
  std::uint32_t total = 0;  // code units in the whole log text
  Text piece;
  bool operator==(const LogPiece&) const = default;
};

struct Answer {
  Result result = Result::Ok;
  std::uint16_t waitSeconds = 0;
  std::uint16_t guardVersion = 0;  // in answers to Hello
  std::optional<TableView> table;
  std::optional<SessionView> session;
  // Present only in the answer to ReadSecrets; the users' passwords travel only with it.
  std::optional<Text> parentPassword;
  std::optional<LogPiece> log;
  std::optional<std::vector<DayPlan>> days;  // in the answer to ReadDays
  bool operator==(const Answer&) const = default;
};

struct ReadRequestResult {
  std::optional<Request> request;
  Result error = Result::Malformed;  // when there is no request
};

// The payload length a frame header announces; nothing when it is over the limit.
std::optional<std::size_t> PayloadLength(std::string_view header);

// Reads one whole frame (header and payload) as a request. Anything but exactly one well-formed
// request of a known kind, within the limits above, gives no request.
ReadRequestResult ReadRequest(std::string_view frame);
std::string EncodeRequest(const Request& request);

std::optional<Answer> ReadAnswer(std::string_view frame);
std::string EncodeAnswer(const Answer& answer);

}  // namespace orlimo::guard
