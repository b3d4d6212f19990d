#include "widgets/figurefont.h"

#include <QStringList>

namespace kioku {

QFont figureFont(const QFont &base)
{
    QFont f = base;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), base.family()});
    return f;
}

bool holdsFigures(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= u'0' && c.unicode() <= u'9')
            return true;
    return false;
}

} // namespace kioku
