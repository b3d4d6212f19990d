#include "views/habitmarks.h"

#include "core/clock.h"
#include "core/stats/aggregates.h"
#include "widgets/appcontext.h"
#include "widgets/backcolor.h"
#include "widgets/flexgrid.h"
#include "widgets/messages.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

namespace kioku {

QColor runColour()
{
    return QColor(0xe0, 0x7b, 0x00); // orange
}

QColor goalColour()
{
    return QColor(0x2e, 0x9e, 0x4f); // green
}

DailyGoal loadDailyGoal(AppContext &ctx, QWidget *parent)
{
    const GoalRead r = readDailyGoal();
    const QString title = QStringLiteral("読み込みエラー");
    if (r.status.readError && ctx.session.tellOnce(QStringLiteral("read:") + kGoalFile))
        ctx.messages.warn(parent,
                          text::readFailureMessage(kGoalFile, r.status) + QStringLiteral("\r\n")
                              + QStringLiteral("1日の目標はなしとして扱います。ファイルはそのまま残してあります。"),
                          title);
    if (r.garbled && ctx.session.tellOnce(QStringLiteral("garbled:") + kGoalFile))
        ctx.messages.warn(parent, garbledGoalMessage(), title);
    return r.goal;
}

CellMarks::CellMarks(FlexGrid *grid) : QWidget(grid), m_grid(grid)
{
    setObjectName(QStringLiteral("cellMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    grid->viewport()->installEventFilter(this);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    setGeometry(grid->viewport()->geometry());
}

void CellMarks::setMarks(const QList<QPoint> &framed, const QList<QPoint> &dotted)
{
    m_framed = framed;
    m_dotted = dotted;
    setGeometry(m_grid->viewport()->geometry());
    raise();
    update();
}

bool CellMarks::eventFilter(QObject *watched, QEvent *event)
{
    // The viewport moves and grows with the grid: the marks lie over it.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        setGeometry(m_grid->viewport()->geometry());
        raise();
    } else if (event->type() == QEvent::Paint) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void CellMarks::paintEvent(QPaintEvent *)
{
    if (m_framed.isEmpty() && m_dotted.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor back = m_grid->palette().color(QPalette::Base);
    auto cellRect = [this](const QPoint &cell) {
        return m_grid->visualRect(m_grid->model()->index(cell.x() - 1, cell.y()));
    };
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(visibleLineOn(back, runColour()), 2));
    for (const QPoint &cell : std::as_const(m_framed)) {
        const QRect r = cellRect(cell);
        if (r.isValid())
            p.drawRect(QRectF(r).adjusted(1, 1, -1, -1));
    }
    // A ring of the grid's own back keeps the dot clear of the cell's colour.
    p.setPen(QPen(back, 1));
    p.setBrush(visibleLineOn(back, goalColour()));
    for (const QPoint &cell : std::as_const(m_dotted)) {
        const QRect r = cellRect(cell);
        if (r.isValid()) {
            const qreal radius = qMax<qreal>(2.5, r.height() / 7.0);
            p.drawEllipse(QPointF(r.right() - radius - 1, r.top() + radius + 1), radius, radius);
        }
    }
}

QWidget *habitLegend(QWidget *parent)
{
    auto *legend = new QWidget(parent);
    legend->setObjectName(QStringLiteral("habitLegend"));
    legend->setToolTip(QStringLiteral("1日の目標は「編集」で決められます"));
    auto *h = new QHBoxLayout(legend);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    const QColor back = parent->palette().color(QPalette::Base);
    const int side = legend->fontMetrics().height();
    // A sample of each mark as the grid draws it, then what it means.
    auto sample = [&](bool frame) {
        QPixmap pm(side * 2, side);
        pm.fill(back);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing, true);
        if (frame) {
            p.setPen(QPen(visibleLineOn(back, runColour()), 2));
            p.drawRect(QRectF(1, 1, side * 2 - 2, side - 2));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(visibleLineOn(back, goalColour()));
            p.drawEllipse(QPointF(side, side / 2.0), side / 4.0, side / 4.0);
        }
        auto *l = new QLabel(legend);
        l->setPixmap(pm);
        l->setAccessibleName(frame ? QStringLiteral("連続の枠") : QStringLiteral("目標達成の印"));
        return l;
    };
    h->addWidget(sample(true));
    h->addWidget(new QLabel(QStringLiteral("連続してプレイ中の日"), legend));
    h->addSpacing(10);
    h->addWidget(sample(false));
    h->addWidget(new QLabel(QStringLiteral("目標を達成した日"), legend));
    return legend;
}

void markMonthTable(CellMarks *marks, AppContext &ctx, const LogSummary &log)
{
    const LogSpan span = logSpan(log.firstPlayDate, log.lastPlayDate);
    if (log.logEmpty || !span.isValid()) {
        marks->setMarks({}, {});
        return;
    }
    const DailyGoal goal = loadDailyGoal(ctx, marks->window());
    const HabitSummary h =
        summarizeHabit(playDays(log.records(), span.first, span.last, log.items), ctx.clock.today(), goal);
    const QDate first = span.first;
    // The cell of a day: the row of its month after the header, the column of its day.
    auto cell = [&first](const QDate &d) {
        return QPoint((d.year() - first.year()) * 12 + d.month() - first.month() + 1, d.day());
    };
    QList<QPoint> framed, dotted;
    for (QDate d = h.streakFirst; h.streak > 0 && d <= h.streakLast; d = d.addDays(1))
        if (d >= first && d <= span.last)
            framed.append(cell(d));
    for (const QDate &d : h.goalDays)
        dotted.append(cell(d));
    marks->setMarks(framed, dotted);
}

} // namespace kioku
