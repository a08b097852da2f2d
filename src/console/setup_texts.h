// Captions of the setup console that more than one of its parts sets.
#pragma once

namespace orlimo::SetupTexts {

inline constexpr char16_t kSeeLogs[] = u"사용기록 보기";
inline constexpr char16_t kShowPasswords[] = u"보임";

}  // namespace orlimo::SetupTexts
