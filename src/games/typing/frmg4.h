#pragma once
// 輪廻記憶 (cycle typing): type every word shown so far, then the new one.
#include "games/frame/gamedescription.h"

namespace kioku {

// What its frame is made of.
GameDescription cycleDescription();

} // namespace kioku
