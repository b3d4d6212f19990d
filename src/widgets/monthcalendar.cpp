#include "widgets/monthcalendar.h"

#include "widgets/backcolor.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QToolButton>

namespace kioku {

MonthCalendar::MonthCalendar(QWidget *parent) : QCalendarWidget(parent)
{
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setFirstDayOfWeek(Qt::Sunday);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);

    colourWeekends();

    // The navigation bar reads the Japanese way: year first, "2026年 12月".
    auto *bar = findChild<QWidget *>(QStringLiteral("qt_calendar_navigationbar"));
    auto *yearButton = findChild<QToolButton *>(QStringLiteral("qt_calendar_yearbutton"));
    auto *monthButton = findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
    auto *yearEdit = findChild<QSpinBox *>(QStringLiteral("qt_calendar_yearedit"));
    if (bar && yearButton && monthButton) {
        if (auto *lay = qobject_cast<QBoxLayout *>(bar->layout())) {
            const int at = lay->indexOf(monthButton);
            if (at >= 0 && lay->indexOf(yearButton) > at) {
                lay->removeWidget(yearButton);
                lay->insertWidget(at, yearButton);
                if (yearEdit && lay->indexOf(yearEdit) >= 0) {
                    lay->removeWidget(yearEdit);
                    lay->insertWidget(at, yearEdit);
                }
            }
        }
    }
    if (yearEdit)
        yearEdit->setSuffix(QStringLiteral("年"));
    if (yearButton) {
        auto label = [this, yearButton] { yearButton->setText(QStringLiteral("%1年").arg(yearShown())); };
        label();
        connect(this, &QCalendarWidget::currentPageChanged, yearButton, label);
    }

    // Only the user's click is a date click; setting the date from code is not.
    connect(this, &QCalendarWidget::clicked, this, &MonthCalendar::dateClick);
}

// Saturdays blue and Sundays red, in the shade that reads on the calendar's
// back: as they are on a light desktop, lighter on a dark one.
void MonthCalendar::colourWeekends()
{
    const QColor back = palette().color(QPalette::Base);
    QTextCharFormat saturday;
    saturday.setForeground(readableTextOn(back, QColor(0x1e, 0x5a, 0xd2)));
    setWeekdayTextFormat(Qt::Saturday, saturday);
    QTextCharFormat sunday;
    sunday.setForeground(readableTextOn(back, QColor(0xd2, 0x23, 0x23)));
    setWeekdayTextFormat(Qt::Sunday, sunday);
}

void MonthCalendar::changeEvent(QEvent *e)
{
    QCalendarWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        colourWeekends();
}

void MonthCalendar::setValue(const QDate &d)
{
    if (!d.isValid())
        return;
    setSelectedDate(d);
    setCurrentPage(d.year(), d.month());
}

void MonthCalendar::setMarks(const QDate &first, const QDate &last, const QList<QDate> &days, const QColor &runColour,
                             const QColor &dayColour)
{
    m_first = first.isValid() && last.isValid() ? first : QDate();
    m_last = last;
    m_days = QSet<QDate>(days.cbegin(), days.cend());
    m_runColour = runColour;
    m_dayColour = dayColour;
    updateCells();
}

void MonthCalendar::paintCell(QPainter *painter, const QRect &rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    const bool frame = framed(date), dot = dotted(date);
    if (!frame && !dot)
        return;
    const QColor back = palette().color(QPalette::Base);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    if (frame) {
        const qreal w = qMax<qreal>(2, rect.height() / 12.0);
        painter->setPen(QPen(visibleLineOn(back, m_runColour), w));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(rect).adjusted(w / 2 + 1, w / 2 + 1, -w / 2 - 1, -w / 2 - 1), w, w);
    }
    if (dot) {
        const qreal r = qMax<qreal>(3, rect.height() / 7.0);
        painter->setPen(QPen(back, 1)); // clear of a selected day's colour
        painter->setBrush(visibleLineOn(back, m_dayColour));
        painter->drawEllipse(QPointF(rect.right() - r - 3, rect.top() + r + 3), r, r);
    }
    painter->restore();
}

void MonthCalendar::clickDate(const QDate &d)
{
    if (!d.isValid() || d < minimumDate() || d > maximumDate())
        return;
    setValue(d);
    emit clicked(d);
}

} // namespace kioku
