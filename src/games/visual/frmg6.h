#pragma once
// 画像記憶 (image memory): number memory with icons.
#include "games/frame/gamedescription.h"

namespace kioku {

// What its frame is made of.
GameDescription imageMemoryDescription();

} // namespace kioku
