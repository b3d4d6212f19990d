#pragma once
// What the frames of the typing games share: the choices of the answer count
// and the play seconds, the filters over them, the view buttons, and the
// eleven grid columns of time-lag and cycle typing.
#include "games/frame/gamedescription.h"

namespace kioku {

// The answer counts (1 … 100) and play seconds (10 … 180 by 5) of time-lag
// and cycle typing: offered in the play's boxes and the history's filters.
QStringList typingAnswerCounts();
QStringList typingPlaySeconds();

// A typing game's description as far as the three share it: its game, caption,
// settings and history; the filters cboJikan2 (play seconds with 秒, field 9)
// and cboKaisu2 (right + wrong), each emptying the other, over the given
// choices; the views 答数 (selected at opening), 秒数, 正解率, 秒当たり, 字数 and
// the game's own sixth button (cmdJisyo), which is looked at by a refresh
// when it draws something.
struct TypingDescription {
    Game game;
    QString caption;
    SettingsFormat settings;
    int autoSaveSetting;
    HistoryFormat history;
    QStringList playSeconds;
    QStringList answerCounts;
    ViewButton jisyo;
};
GameDescription typingDescription(const TypingDescription &t);

// The columns of time-lag and cycle typing; the last is the lag (Ｍ) or the turn (Ｔ).
QList<GridColumn> typingColumns(const QString &last);

} // namespace kioku
