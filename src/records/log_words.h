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

}  // namespace orlimo::LogWords
