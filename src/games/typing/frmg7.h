#pragma once
// バラバラ記憶 (scrambled typing): the letters of a word appear one by one, scrambled.
#include "games/frame/gamedescription.h"

namespace kioku {

// What its frame is made of.
GameDescription scrambledDescription();

} // namespace kioku
