#pragma once
// アイコン衰弱 (icon concentration): pairs of flag icons.
#include "games/frame/gamedescription.h"

namespace kioku {

// What its frame is made of.
GameDescription iconConcentrationDescription();

} // namespace kioku
