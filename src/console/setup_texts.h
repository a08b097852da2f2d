// Captions of the setup console that more than one of its parts sets.
#pragma once

#include <array>

namespace orlimo::SetupTexts {

inline constexpr char16_t kSeeLogs[] = u"사용기록 보기";
inline constexpr char16_t kShowPasswords[] = u"보임";
inline constexpr char16_t kToday[] = u"오늘 ";
inline constexpr char16_t kMinutes[] = u"분";
// Sunday first.
inline constexpr std::array<const char16_t*, 7> kWeekdayNames = {u"일", u"월", u"화", u"수",
                                                                 u"목", u"금", u"토"};

}  // namespace orlimo::SetupTexts
