#include "widgets/monthcalendar.h"

#include "widgets/backcolor.h"

#include <QBoxLayout>
#include <QEvent>
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

void MonthCalendar::clickDate(const QDate &d)
{
    if (!d.isValid() || d < minimumDate() || d > maximumDate())
        return;
    setValue(d);
    emit clicked(d);
}

} // namespace kioku
