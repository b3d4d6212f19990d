#pragma once
// Small builders for the game descriptions: a column, a filter box, a view
// button, a help text, a list of numbers. Each game's description is written
// with these beside its window.
#include "games/frame/gamedescription.h"

namespace kioku::describe {

constexpr Qt::Alignment R = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment C = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment L = Qt::AlignLeft | Qt::AlignVCenter;

// Lines joined by CR LF, with a final CR LF when `finalBreak`.
QString helpLines(const QStringList &lines, bool finalBreak);
// "from", …, "to" in steps of `step`, as text.
QStringList numbers(int from, int to, int step = 1);

GridColumn col(const QString &header, int twips, int field, Qt::Alignment a = R, DateForm date = DateForm::AsStored);

FilterBox filterBox(const QString &name, const QString &label, const QStringList &items, FilterRule rule,
                    const QStringList &empties, bool emptiedByAllDsp = true);
FilterRule sumOf(int field, int field2);
FilterRule withSuffix(int field, const QString &suffix);
FilterRule equalsText(int field);
FilterRule firstChar(int field);

ViewButton view(const QString &name, const QString &caption, int chart, const QList<int> &columns,
                ValueRule rule = ValueRule::LeadingNumber, bool enabled = true, const QStringList &seriesNames = {});
// A spare button: shown, disabled, draws nothing.
ViewButton spareView(const QString &name, const QString &caption);

inline const QString kSec = QStringLiteral("秒");

} // namespace kioku::describe
