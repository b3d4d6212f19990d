#pragma once
// How a game window shows its history: the grid columns made from the history
// fields, the filter rules of its filter boxes and the chart values taken from
// grid cells. Plain data and functions; the window moves the results into controls.
#include "core/game/history.h"
#include "core/gridcolumn.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

namespace kioku {

// The cells of one grid row for `entry`, shown as row `number`.
QStringList historyRow(const HistoryEntry &entry, const QList<GridColumn> &columns, int number);

// How the text chosen in a filter box is matched against an entry.
enum class MatchRule {
    SumEquals,        // field + field2 (whole numbers) equals the chosen number
    EqualsWithSuffix, // the field equals the chosen text followed by `suffix`
    EqualsFirstChar,  // the field equals the first character of the chosen text
    Equals,           // the field equals the chosen text
};

struct FilterRule {
    MatchRule rule = MatchRule::Equals;
    int field = 1;
    int field2 = 0;
    QString suffix;
};

bool matchesFilter(const HistoryEntry &entry, const FilterRule &rule, const QString &chosen);

// How a chart value is read from a grid cell.
enum class ValueRule {
    LeadingNumber, // the number at the start of the text ("0.5秒" gives 0.5)
    DropLastChar,  // the text without its last character, as a number ("75.0%" gives 75)
};

// A text without a leading number gives 0.
double chartValue(const QString &cell, ValueRule rule);

} // namespace kioku
