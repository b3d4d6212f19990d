#include "games/frame/gamedescription.h"

namespace kioku {

const FilterBox *GameDescription::filter(const QString &objectName) const
{
    for (const FilterBox &f : filters)
        if (f.objectName == objectName)
            return &f;
    return nullptr;
}

const ViewButton *GameDescription::view(const QString &objectName) const
{
    for (const ViewButton &v : views)
        if (v.objectName == objectName)
            return &v;
    return nullptr;
}

QStringList GameDescription::problems() const
{
    QStringList p;
    auto hasView = [this](const QString &n) { return view(n) != nullptr; };
    for (const QString &n : refreshOrder)
        if (!hasView(n))
            p << QStringLiteral("refreshOrder names no view button: %1").arg(n);
    if (!initialView.isEmpty() && !hasView(initialView))
        p << QStringLiteral("initialView names no view button: %1").arg(initialView);
    for (const FilterBox &f : filters)
        for (const QString &e : f.empties)
            if (!filter(e) || e == f.objectName)
                p << QStringLiteral("%1 empties no other filter box: %2").arg(f.objectName, e);
    if (autoSaveSetting >= settings.fields.size())
        p << QStringLiteral("autoSaveSetting %1 is past the settings line").arg(autoSaveSetting);
    for (const GridColumn &c : columns)
        if (c.field > history.fieldCount())
            p << QStringLiteral("column %1 shows field %2 of %3").arg(c.header).arg(c.field).arg(history.fieldCount());
    for (const ViewButton &v : views)
        for (int c : v.columns)
            if (c < 0 || c >= columns.size())
                p << QStringLiteral("%1 draws column %2 of %3").arg(v.objectName).arg(c).arg(columns.size());
    for (const FilterBox &f : filters)
        if (f.rule.field > history.fieldCount() || f.rule.field2 > history.fieldCount())
            p << QStringLiteral("%1 matches a field past the history line").arg(f.objectName);
    return p;
}

} // namespace kioku
