#pragma once
// 時間差記憶 (time-lag typing): type the word shown one or two turns before.
#include "games/frame/gamedescription.h"

namespace kioku {

// What its frame is made of.
GameDescription timeLagDescription();

} // namespace kioku
