#pragma once
// Rules of アイコン衰弱 (icon concentration): pairs of flag icons: its settings line and history file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: level, name display, auto-save, turn-back delay, removal delay.
struct IconConcentrationSetting {
    enum : int { Level = 0, NameDisplay = 1, AutoSave = 2, TurnBackDelay = 3, RemovalDelay = 4 };
};
const SettingsFormat &iconConcentrationSettings();
// Eight fields: date, time, level, name display, turns, clear seconds, turn record, seconds record.
const HistoryFormat &iconConcentrationHistory();
// The four levels, easiest first.
const QStringList &iconLevels();

} // namespace kioku::rules
