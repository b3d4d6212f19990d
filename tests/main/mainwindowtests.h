#pragma once
// What the main window's tests share: a control found by its name, the texts
// of a grid row, the face the today panel shows, and white.
#include "main/mainwindow.h"
#include "main/todaypanel.h"
#include "widgets/flexgrid.h"

#include <QColor>
#include <QLabel>
#include <QtDebug>

inline const QColor kWhite(255, 255, 255);

template <typename T> T *child(kioku::MainWindow &w, const QString &name)
{
    T *c = w.findChild<T *>(name);
    if (!c)
        qWarning() << "no child" << name;
    return c;
}

inline QStringList gridRow(const kioku::FlexGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells.append(g->textMatrix(r, c));
    return cells;
}

inline QString visibleFace(kioku::MainWindow &w)
{
    QStringList shown;
    for (QLabel *face : {w.fraMain->imgNashi, w.fraMain->imgkana, w.fraMain->imgniko, w.fraMain->imgwara})
        if (!face->isHidden())
            shown.append(face->objectName());
    return shown.join(QLatin1Char(','));
}
