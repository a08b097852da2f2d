// Window texts that more than one window shows.
#pragma once

namespace orlimo::SharedTexts {

inline constexpr char16_t kWhoIsUsing[] = u"현재 사용자는 누구입니까?";
inline constexpr char16_t kOk[] = u"확 인";
inline constexpr char16_t kCancel[] = u"취 소";
inline constexpr char16_t kWrongPassword[] = u"암호가 틀렸습니다.";
inline constexpr char16_t kTimeLimitPassed[] = u"제한 시간 경과";
inline constexpr char16_t kHide[] = u"숨김";

// Why a new password is refused: Setup.ini separates its fields with commas, and its reader
// drops blanks around a password, so such a password would not open the window after a restart.
inline constexpr char16_t kCommaInPassword[] =
    u"암호에는 쉼표(,)를 쓸 수 없습니다. 다른 암호를 입력하십시오.";
inline constexpr char16_t kBlanksAroundPassword[] =
    u"암호의 앞이나 뒤에는 빈칸을 둘 수 없습니다. 다른 암호를 입력하십시오.";

}  // namespace orlimo::SharedTexts
