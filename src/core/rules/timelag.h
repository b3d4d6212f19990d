#pragma once
// Rules of 時間差記憶 (time-lag typing): type the word shown one or two turns before: its settings line and history
// file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/rules/typing.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: answer count, play seconds, lag ("1回"/"2回"), play mode, auto-save.
struct TimeLagSetting {
    enum : int { AnswerCount = 0, PlaySeconds = 1, Lag = 2, PlayModeSetting = 3, AutoSave = 4 };
};
const SettingsFormat &timeLagSettings();
// Eleven grid columns from ten fields; the last field is the lag ("2回").
const HistoryFormat &timeLagHistory();
// The lags offered: "1回", "2回".
const QStringList &lagItems();
// The number of words back: 1 for "1回", 2 for "2回".
int lagOf(const QString &lagText);
// The word due now: with `shown` the words that have left the display, oldest
// first, the one `lag` words back from the word on display; "" while none is due.
QString dueWord(const QStringList &shown, int lag);
// The saved play: its history line and its play-log record. `modeText` is the
// play mode ("秒数"/"答数"), `setting` the seconds or answers chosen for it.
HistoryEntry timeLagEntry(const TypingResult &r, const QString &lagText);
PlayRecord timeLagRecord(const TypingResult &r, const QString &modeText, const QString &setting,
                         const QString &lagText);

} // namespace kioku::rules
