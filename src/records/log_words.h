// The words and marks the usage log is made of.
#pragma once

namespace orlimo::LogWords {

inline constexpr char16_t kStartMark[] = u"(*----------------------------*)";
inline constexpr char16_t kEndMark[] = u")*----------------------------*(";

inline constexpr char16_t kStart[] = u"시작";
inline constexpr char16_t kInUse[] = u"사용중";
inline constexpr char16_t kEnd[] = u"종료";
inline constexpr char16_t kEndStart[] = u"종료시작";
inline constexpr char16_t kSwitchedFrom[] = u"사용중지";
inline constexpr char16_t kSwitchedTo[] = u"사용변경";
inline constexpr char16_t kClosed[] = u"정상종료";
inline constexpr char16_t kReleased[] = u"강제종료";

// Setup.ini: not read whole at the start; not saved (once, until a save succeeds again).
inline constexpr char16_t kSettingsUnreadable[] = u"설정읽기 실패";
inline constexpr char16_t kSettingsNotSaved[] = u"설정저장 실패";

// Attempts to open the setup console: the prefix, then the log user's name and ")".
inline constexpr char16_t kParentPasswordRight[] = u"설정시도: 암호 맞음, (";
inline constexpr char16_t kParentPasswordWrong[] = u"설정시도: 암호 틀림, (";
// An attempt made while the session waits after wrong parent passwords: it is not checked.
inline constexpr char16_t kParentPasswordDuringWait[] = u"설정시도: 대기 중, (";

// A wrong password makes the session wait: the prefix, the seconds, the unit.
inline constexpr char16_t kPasswordWaitPrefix[] = u"보호: 암호 대기 ";
inline constexpr char16_t kSecondsUnit[] = u"초";

// Today's extra minutes changed: "추가시간:첫째님 20분 더함, 오늘 80분" or "… 10분 뺌, 오늘 50분".
inline constexpr char16_t kExtraMinutes[] = u"추가시간:";
inline constexpr char16_t kGiven[] = u"분 더함, 오늘 ";
inline constexpr char16_t kTakenBack[] = u"분 뺌, 오늘 ";
inline constexpr char16_t kMinutesUnit[] = u"분";

// A child asked for more time at the PC: "추가시간 요청 허락:첫째님 10분" (then the extra minutes'
// line) or "추가시간 요청 거절:첫째님 10분".
inline constexpr char16_t kMoreTimeGranted[] = u"추가시간 요청 허락:";
inline constexpr char16_t kMoreTimeRefused[] = u"추가시간 요청 거절:";

}  // namespace orlimo::LogWords
