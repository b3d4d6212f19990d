#include "calendar.h"

#include "core/text/formats.h"

namespace kioku {

int calendarBand(qint64 plays)
{
    if (plays <= 0)
        return 0;
    if (plays > 10)
        return 6;
    return int((plays + 1) / 2);
}

quint32 bandColor(int band)
{
    static const quint32 colors[6] = {
        0xFFC0C0, // light red
        0xFFE0C0, // light orange
        0xFFFFC0, // light yellow
        0xC0FFC0, // light green
        0xC0FFFF, // light cyan
        0xC0C0FF, // light blue
    };
    if (band < 1 || band > 6)
        return 0;
    return colors[band - 1];
}

QString legendText(int band, qint64 days)
{
    const QString n = QString::number(days) + QStringLiteral("日");
    if (band <= 0)
        return QStringLiteral("0回：") + n;
    if (band >= 6)
        return QStringLiteral("10超：") + n;
    return QString::number(2 * band - 1) + QLatin1Char('-') + QString::number(2 * band) + QStringLiteral("回：") + n;
}

QStringList weekdayLetters()
{
    return {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
            QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};
}

namespace {

CalendarTable emptyTable(const QStringList &labels, int columns)
{
    CalendarTable t;
    t.rows.reserve(labels.size());
    for (const QString &l : labels) {
        QStringList cells(columns + 1);
        cells[0] = l;
        t.rows.append(std::move(cells));
    }
    t.plays.fill(QList<qint64>(columns, 0), labels.size());
    return t;
}

void addPlay(CalendarTable &t, qint64 row, int col)
{
    const qint64 n = ++t.plays[row][col - 1];
    t.rows[row][col] = QString::number(n);
}

} // namespace

CalendarSummary summarizeCalendar(const QList<PlayRecord> &records, const LogSpan &span)
{
    CalendarSummary s;
    if (span.isValid()) {
        QStringList monthLabels;
        for (qint64 m = 0; m < span.months(); ++m)
            monthLabels.append(text::monthKanji(span.first.addMonths(int(m))));
        s.months = emptyTable(monthLabels, 31);

        // Weeks run Sunday to Saturday (dayOfWeek: Monday 1 … Sunday 7).
        const QDate weekStart = span.first.addDays(-(span.first.dayOfWeek() % 7));
        const qint64 weeks = weekStart.daysTo(span.last) / 7 + 1;
        QStringList weekLabels;
        for (qint64 w = 0; w < weeks; ++w)
            weekLabels.append(text::dateKanji(weekStart.addDays(7 * w)));
        s.weeks = emptyTable(weekLabels, 7);
        s.spanDays = span.days();

        for (const PlayRecord &r : records) {
            const QDate d = text::parseDateSlash(r.date);
            if (!span.contains(d))
                continue;
            addPlay(s.months, monthBoundaries(span.first, d), d.day());
            const int weekday = d.dayOfWeek() % 7; // Sunday 0
            addPlay(s.weeks, weekStart.daysTo(d) / 7, weekday + 1);
            ++s.weekdayPlays[weekday];
            s.weekdaySeconds[weekday] = text::roundHalfEven(double(s.weekdaySeconds[weekday]) + double(r.seconds));
        }

        qint64 played = 0;
        for (const QList<qint64> &row : std::as_const(s.months.plays)) {
            for (qint64 n : row) {
                if (n != 0) {
                    ++s.bandDays[calendarBand(n)];
                    ++played;
                }
            }
        }
        s.bandDays[0] = qMax<qint64>(0, s.spanDays - played);
    }
    for (int b = 0; b < kCalendarBands; ++b)
        s.legend.append(legendText(b, s.bandDays.at(b)));
    return s;
}

} // namespace kioku
