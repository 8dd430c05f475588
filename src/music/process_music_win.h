// The process's music module, driving the platform's multimedia services.
#pragma once

#include "music/music_routines.h"

namespace spindle {

MusicRoutines& ProcessMusic();

}  // namespace spindle
