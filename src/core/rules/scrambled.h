#pragma once
// Rules of バラバラ記憶 (scrambled typing): the letters of a word appear one by one, scrambled: its settings line and history file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/rules/typing.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: answer count, play seconds, display seconds per letter, play mode, auto-save.
struct ScrambledSetting {
    enum : int { AnswerCount = 0, PlaySeconds = 1, DisplaySeconds = 2, PlayModeSetting = 3, AutoSave = 4 };
};
const SettingsFormat &scrambledSettings();
// Nine fields: date, time, answers, right, wrong, letters, rate, per second, seconds.
const HistoryFormat &scrambledHistory();

} // namespace kioku::rules
