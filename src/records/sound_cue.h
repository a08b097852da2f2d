// Short WAV cues played from the program's folder; a new cue cuts off the one still playing.
#pragma once

#include "base/text.h"
#include "platform/sound.h"

namespace orlimo::Main {

inline constexpr char16_t kChimes[] = u"CHIMES.WAV";
inline constexpr char16_t kButton[] = u"BUTTON.WAV";
inline constexpr char16_t kCashRegister[] = u"CASHREG.WAV";
inline constexpr char16_t kGlass[] = u"GLASS.WAV";

// Close, open the file on the waveform-audio device, play. Never fails.
void PlaySound(platform::Sound& sound, const Text& path);

}  // namespace orlimo::Main
