// WAV cues through the system's sound player: one cue at a time, a new one cuts the last off.
#pragma once

#include <string>

#include "platform/sound.h"

namespace orlimo::win32 {

class Win32Sound : public platform::Sound {
 public:
  ~Win32Sound() override;
  void Close() override;
  bool Open(const Text& path) override;
  void Play() override;

 private:
  std::wstring open_;  // empty when nothing is open
};

}  // namespace orlimo::win32
