// Everything of the outside world the program uses, handed to it at construction.
#pragma once

#include "platform/ansi_codepage.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/system.h"

namespace orlimo::platform {

struct Services {
  Clock& clock;
  AnsiCodePage& codePage;
  Sound& sound;
  Registry& registry;
  System& system;
};

}  // namespace orlimo::platform
