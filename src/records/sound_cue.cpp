#include "records/sound_cue.h"

namespace orlimo::Main {

void PlaySound(platform::Sound& sound, const Text& path) {
  try {
    sound.Close();
    if (sound.Open(path)) sound.Play();
  } catch (...) {
    // A cue that cannot be played leaves the program silent; the caller goes on.
  }
}

}  // namespace orlimo::Main
