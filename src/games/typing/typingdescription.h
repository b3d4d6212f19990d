#pragma once
// What the frames of the typing games share: the eleven grid columns of
// time-lag and cycle typing, their filters and their view buttons.
#include "games/frame/gamedescription.h"

namespace kioku {

// The columns of time-lag and cycle typing; the last is the lag (Ｍ) or the turn (Ｔ).
QList<GridColumn> typingColumns(const QString &last);
// cboJikan2 (play seconds with 秒, field 9) and cboKaisu2 (right + wrong), each emptying the other.
FilterBox typingSecondsFilter(const QStringList &items);
FilterBox typingCountFilter(const QStringList &items);
// 答数, 秒数, 正解率, 秒当たり, 字数 and the game's own sixth button (cmdJisyo).
QList<ViewButton> typingViews(const ViewButton &jisyo);

} // namespace kioku
