#pragma once
// 追跡記憶 (tracking memory): nine panels light up in a growing sequence.
#include "games/frame/gamedescription.h"

namespace kioku {

// What its frame is made of.
GameDescription trackingDescription();

} // namespace kioku
