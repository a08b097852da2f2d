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
#include "supervisor/requests.h"
#include "supervisor/snapshot.h"

namespace orlimo::guard {

// Version 2 carries what the supervisor's rules show and ask (version 1 carried the guard's
// table and clocks for a program that kept rules of its own). A guard answers programs from
// kOldestProgramVersion to its own.
inline constexpr std::uint16_t kProtocolVersion = 2;
inline constexpr std::uint16_t kOldestProgramVersion = 2;

inline constexpr std::size_t kFrameHeaderBytes = 4;
inline constexpr std::size_t kMaxPayloadBytes = 64 * 1024;

// Longest texts a request may carry, in 16-bit code units.
inline constexpr std::size_t kMaxNameUnits = 64;
inline constexpr std::size_t kMaxPasswordUnits = 64;
inline constexpr std::size_t kMaxLogPieceUnits = 16 * 1024;

struct Hello {
  std::uint16_t version = kProtocolVersion;
};
// The program's main window loaded in the caller's session: the guard writes the start lines
// and, the first time in the session, starts its supervision there.
struct Started {};
// What the session shows now.
struct GetStatus {};
// The program's main window unloads; the program is finally released.
struct Closing {};
struct Released {};
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
// The children's passwords, for the console that asks with the parent password again.
struct RevealPasswords {
  Text parentPassword;
};
// The console's table: users 0, 1, ... in order (console only).
struct StoreTable {
  TableChange change;
};
// The console closes with its store: the session's main window is laid out anew.
struct Rebuild {};
struct SetParentPassword {
  Text password;
};
// The child at the PC asks for more minutes today: granted with the parent password, or refused.
struct AskMoreTime {
  std::int32_t minutes = 0;
  bool grant = false;
  Text parentPassword;
};
// Every child's days (console only): weekday allowances, extra minutes, recent days of use.
struct ReadDays {};
// One child's days as the console's days window stores them (console only).
struct StoreDays {
  std::int32_t user = 0;
  DaysChange change;
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

using Request =
    std::variant<Hello, Started, GetStatus, Closing, Released, ChooseUser, ChangeOwnPassword,
                 OpenConsole, CloseConsole, RevealPasswords, StoreTable, Rebuild, SetParentPassword,
                 ReadDays, StoreDays, ReadLog, RewriteLog, Pause, Remove, AskMoreTime>;

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
  Busy = 12,       // too many requests from this connection: nothing was done
};
inline constexpr std::uint8_t kLastResult = 12;

// One recorded day of a child's use: the day's number, the minutes used and the day's allowance.
inline constexpr std::size_t kMaxRecentDays = 14;

struct LogPiece {
  std::uint32_t total = 0;  // code units in the whole log text
  Text piece;
  bool operator==(const LogPiece&) const = default;
};

struct ConsoleView {
  std::int32_t wrongAttempts = 0;
  bool newParentPasswordNeeded = false;
  bool operator==(const ConsoleView&) const = default;
};

struct Answer {
  Result result = Result::Ok;
  std::uint16_t waitSeconds = 0;
  std::uint16_t guardVersion = 0;  // in answers to Hello
  std::optional<SessionSnapshot> session;
  std::optional<ConsoleView> console;  // in the answer to OpenConsole
  // The children's passwords: only in the answer to RevealPasswords.
  std::optional<std::vector<Text>> passwords;
  std::optional<Renumbering> renumbering;  // in the answer to StoreTable
  std::optional<LogPiece> log;
  // In the answer to ReadDays; each child's history holds its last kMaxRecentDays days.
  std::optional<std::vector<ChildDays>> days;
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

// A child's days with only the last kMaxRecentDays days of its history.
ChildDays RecentDaysOf(const ChildDays& days);

}  // namespace orlimo::guard
