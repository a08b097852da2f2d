// WAV playback through one device: a new cue ends the one still playing.
#pragma once

#include "base/text.h"

namespace orlimo::platform {

class Sound {
 public:
  virtual ~Sound() = default;
  // Closes whatever is open, which stops a cue still playing.
  virtual void Close() = 0;
  // Opens the WAV file on the waveform-audio device; false when it cannot be opened.
  virtual bool Open(const Text& path) = 0;
  // Starts playing what is open and returns at once.
  virtual void Play() = 0;
};

}  // namespace orlimo::platform
