#pragma once
// Rules of 時間差記憶 (time-lag typing): type the word shown one or two turns before: its settings line and history file.
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

} // namespace kioku::rules
