#include "core/game/historyview.h"

#include "core/text/formats.h"
#include "core/text/recordline.h"

namespace kioku {

QStringList historyRow(const HistoryEntry &entry, const QList<GridColumn> &columns, int number)
{
    QStringList cells;
    cells.reserve(columns.size());
    for (const GridColumn &c : columns) {
        if (c.field <= 0) {
            cells.append(QString::number(number));
            continue;
        }
        const QString v = entry.field(c.field);
        cells.append(c.date == DateForm::Short ? text::shortenDateText(v) : v);
    }
    return cells;
}

bool matchesFilter(const HistoryEntry &entry, const FilterRule &rule, const QString &chosen)
{
    switch (rule.rule) {
    case MatchRule::SumEquals: {
        // Sums are compared in whole numbers; a chosen text that is no number matches nothing.
        bool ok = false;
        const qint64 want = chosen.trimmed().toLongLong(&ok);
        if (!ok)
            return false;
        const qint64 sum = qint64(entry.intField(rule.field)) + entry.intField(rule.field2);
        return sum == want;
    }
    case MatchRule::EqualsWithSuffix:
        return entry.field(rule.field) == chosen + rule.suffix;
    case MatchRule::EqualsFirstChar:
        return entry.field(rule.field) == chosen.left(1);
    case MatchRule::Equals:
        return entry.field(rule.field) == chosen;
    }
    return false;
}

double chartValue(const QString &cell, ValueRule rule)
{
    switch (rule) {
    case ValueRule::LeadingNumber:
        return text::leadingNumber(cell);
    case ValueRule::DropLastChar:
        return cell.isEmpty() ? 0.0 : text::leadingNumber(cell.left(cell.size() - 1));
    }
    return 0.0;
}

} // namespace kioku
