#pragma once
// Rules of 輪廻記憶 (cycle typing): type every word shown so far, then the new one: its settings line and history file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/rules/typing.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: answer count, play seconds, play mode, auto-save.
struct CycleSetting {
    enum : int { AnswerCount = 0, PlaySeconds = 1, PlayModeSetting = 2, AutoSave = 3 };
};
const SettingsFormat &cycleSettings();
// Ten fields as time-lag typing; the last field is the turn reached (a whole number).
const HistoryFormat &cycleHistory();

} // namespace kioku::rules
