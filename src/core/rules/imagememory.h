#pragma once
// Rules of 画像記憶 (image memory): number memory with icons: its settings line and history file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: icon count, display time, name display, spare text (kept as read), auto-save.
struct ImageMemorySetting {
    enum : int { IconCount = 0, DisplayTime = 1, NameDisplay = 2, SpareText = 3, AutoSave = 4 };
};
const SettingsFormat &imageMemorySettings();
// Seven fields as number memory: date, time, marks, right, wrong, rate, display time ("5秒").
const HistoryFormat &imageMemoryHistory();

} // namespace kioku::rules
