#include "views/panel.h"

#include "widgets/appcontext.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>

namespace kioku {

Panel::Panel(AppContext &ctx, const QString &name, QWidget *parent) : QFrame(parent), m_ctx(ctx)
{
    setObjectName(name);
}

void Panel::rebuild(const LogSummary &log)
{
    fill(log);
    emit rebuilt();
}

void Panel::release()
{
    if (!rebuildsWhenShown())
        return;
    for (FlexGrid *grid : findChildren<FlexGrid *>())
        if (grid->rows() > 1)
            grid->setRows(1);
    // A chart of every play holds as many values as the log has records; a
    // chart of a few bars keeps its drawing, which a rebuild then only updates.
    for (Chart *chart : findChildren<Chart *>())
        if (chart->isDense())
            chart->setRowCount(0);
}

bool Panel::writeFailed(const text::WriteResult &w)
{
    return reportWriteFailure(m_ctx.messages, window(), w);
}

bool reportWriteFailure(MessageService &messages, QWidget *parent, const text::WriteResult &w)
{
    if (w.ok)
        return false;
    messages.warn(parent, w.message, QStringLiteral("保存エラー"));
    return true;
}

QLabel *boldCaption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void fitGridWidth(FlexGrid *grid)
{
    int w = grid->horizontalHeader()->length() + 2 * grid->frameWidth();
    if (grid->verticalHeader()->isVisible())
        w += grid->verticalHeader()->width();
    w += grid->verticalScrollBar()->sizeHint().width() + 2;
    grid->setMinimumWidth(w);
}

GridColumn gridColumn(const char *header, int twips, Qt::Alignment align)
{
    GridColumn c;
    c.header = QString::fromUtf8(header);
    c.twips = twips;
    c.alignment = align;
    return c;
}

} // namespace kioku
