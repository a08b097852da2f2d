// Window texts that more than one window shows.
#pragma once

namespace orlimo::SharedTexts {

inline constexpr char16_t kWhoIsUsing[] = u"현재 사용자는 누구입니까?";
inline constexpr char16_t kOk[] = u"확 인";
inline constexpr char16_t kCancel[] = u"취 소";
inline constexpr char16_t kWrongPassword[] = u"암호가 틀렸습니다.";
inline constexpr char16_t kTimeLimitPassed[] = u"제한 시간 경과";

}  // namespace orlimo::SharedTexts
