#include "games/frame/descriptionparts.h"

namespace kioku::describe {

QString helpLines(const QStringList &lines, bool finalBreak)
{
    QString s = lines.join(QStringLiteral("\r\n"));
    if (finalBreak)
        s += QStringLiteral("\r\n");
    return s;
}

QStringList numbers(int from, int to, int step)
{
    QStringList items;
    for (int i = from; i <= to; i += step)
        items.append(QString::number(i));
    return items;
}

GridColumn col(const QString &header, int twips, int field, Qt::Alignment a, DateForm date)
{
    GridColumn c;
    c.header = header;
    c.twips = twips;
    c.field = field;
    c.alignment = a;
    c.date = date;
    return c;
}

FilterBox filterBox(const QString &name, const QString &label, const QStringList &items, FilterRule rule,
                    const QStringList &empties, bool emptiedByAllDsp)
{
    FilterBox f;
    f.objectName = name;
    f.label = label;
    f.items = items;
    f.rule = rule;
    f.empties = empties;
    f.emptiedByAllDsp = emptiedByAllDsp;
    return f;
}

FilterRule sumOf(int a, int b)
{
    return FilterRule{MatchRule::SumEquals, a, b, QString()};
}

FilterRule withSuffix(int field, const QString &suffix)
{
    return FilterRule{MatchRule::EqualsWithSuffix, field, 0, suffix};
}

FilterRule equalsText(int field)
{
    return FilterRule{MatchRule::Equals, field, 0, QString()};
}

FilterRule firstChar(int field)
{
    return FilterRule{MatchRule::EqualsFirstChar, field, 0, QString()};
}

ViewButton view(const QString &name, const QString &caption, int chart, const QList<int> &columns, ValueRule rule,
                bool enabled, const QStringList &seriesNames)
{
    ViewButton v;
    v.objectName = name;
    v.caption = caption;
    v.chart = chart;
    v.columns = columns;
    v.rule = rule;
    v.enabled = enabled;
    v.seriesNames = seriesNames;
    return v;
}

ViewButton spareView(const QString &name, const QString &caption)
{
    return view(name, caption, 1, {}, ValueRule::LeadingNumber, false);
}

} // namespace kioku::describe
