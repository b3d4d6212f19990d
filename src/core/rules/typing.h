#pragma once
// What the three typing games share: the play modes and the history fields.
#include "core/game/history.h"

#include <QList>
#include <QStringList>

namespace kioku::rules {

// The program-wide play mode: a timed play runs against the time limit, a
// counted play until the set number of answers.
enum class PlayMode : qint16 { Counted = 0, Timed = 1 };

// The play modes offered, as the settings line stores them: "秒数" (timed), "答数" (counted).
const QStringList &playModeItems();
PlayMode playModeOf(const QString &item);
QString playModeItem(PlayMode mode);

// The ten history fields of time-lag and cycle typing: date, time, answers,
// right, wrong, letters, rate, per second, seconds, and a last field in `last` form.
QList<FieldForm> typingHistoryFields(FieldForm last);

} // namespace kioku::rules
