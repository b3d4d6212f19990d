#pragma once
// Rules of 追跡記憶 (tracking memory): nine panels light up in a growing sequence: its settings line and history file.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"

#include <QStringList>

namespace kioku::rules {

// The settings line: a spare value (written back as read), lighting time, auto-save.
struct TrackingSetting {
    enum : int { Spare = 0, LightingTime = 1, AutoSave = 2 };
};
const SettingsFormat &trackingSettings();
// Seven fields: date, time, turns, steps into the last turn, trace length, lighting time, seconds.
const HistoryFormat &trackingHistory();
// The lighting times offered: 0.1 to 0.9, then 1.
QStringList lightingTimeItems();

} // namespace kioku::rules
