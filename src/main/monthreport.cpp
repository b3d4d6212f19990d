#include "main/monthreport.h"

#include "core/stats/calendar.h"
#include "core/text/formats.h"
#include "widgets/chart.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QBuffer>
#include <QChartView>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace kioku {

namespace {

// The page is laid out in points of a 96 dpi device: A4 inside 15 mm margins
// is about 680 × 1010 of them, and the chart widgets render at their own size.
constexpr int kDpi = 96;
constexpr double kMarginMm = 15;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kFaint(0x70, 0x70, 0x70);
const QColor kRule(0xa0, 0xa0, 0xa0);
const QColor kHeaderBack(0xe8, 0xe8, 0xe8);
const QColor kSunday(0xc0, 0x20, 0x20);
const QColor kSaturday(0x20, 0x40, 0xc0);

// The program's Japanese face: the application's font when it is IPA Gothic
// (as the program sets it up), else IPA Gothic itself when it is installed.
QFont reportFont(double points, bool bold = false)
{
    QFont f = QApplication::font();
    if (!f.family().startsWith(QLatin1String("IPA"))) {
        const QStringList families = QFontDatabase::families();
        for (const QString &name : {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")}) {
            if (families.contains(name)) {
                f.setFamily(name);
                break;
            }
        }
    }
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// A page light as paper, whatever the desktop's theme: the charts draw in it.
QPalette paperPalette()
{
    QPalette p(QColor(0xf0, 0xf0, 0xf0), Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, kInk);
    p.setColor(QPalette::WindowText, kInk);
    p.setColor(QPalette::Mid, kRule);
    p.setColor(QPalette::Midlight, QColor(0xdd, 0xdd, 0xdd));
    return p;
}

// A text in its box; one too long for it (a long name, an item typed into
// the log by hand) ends in "…" instead of running into its neighbours.
void drawText(QPainter &p, const QRectF &r, const QString &text, const QFont &font, const QColor &colour,
              int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags, QFontMetricsF(font, p.device()).elidedText(text, Qt::ElideRight, r.width()));
}

// A caption over a part of the page; returns the height it took.
double caption(QPainter &p, double x, double y, double w, const QString &text)
{
    const QFont f = reportFont(11, true);
    drawText(p, QRectF(x, y, w, 20), text, f, kInk);
    return 24;
}

// The month as a wall calendar: a row per week, Sunday first, each day
// coloured by its band of plays and showing their number.
double paintCalendar(QPainter &p, const MonthFigures &m, const QDate &made, double x, double y, double cell)
{
    const double head = 22;
    const double rowH = cell * 0.82;
    const QStringList letters = weekdayLetters();
    p.setPen(QPen(kRule, 0.8));
    for (int c = 0; c < 7; ++c) {
        const QRectF r(x + c * cell, y, cell, head);
        p.fillRect(r, kHeaderBack);
        p.setPen(QPen(kRule, 0.8));
        p.drawRect(r);
        const QColor colour = c == 0 ? kSunday : c == 6 ? kSaturday : kInk;
        drawText(p, r, letters.at(c), reportFont(9.5, true), colour, Qt::AlignCenter);
    }
    const int lead = m.month.dayOfWeek() % 7; // Sunday 0
    const int weeks = (lead + int(m.days.size()) + 6) / 7;
    for (int i = 0; i < weeks * 7; ++i) {
        const QRectF r(x + (i % 7) * cell, y + head + (i / 7) * rowH, cell, rowH);
        const int d = i - lead;
        if (d >= 0 && d < m.days.size()) {
            const TotalsDay &day = m.days.at(d);
            const int band = calendarBand(day.count);
            if (band != 0)
                p.fillRect(r, QColor::fromRgb(QRgb(bandColor(band))));
            const int col = i % 7;
            const QColor dayColour = day.date > made ? kFaint : col == 0 ? kSunday : col == 6 ? kSaturday : kInk;
            drawText(p, r.adjusted(4, 2, -2, 0), QString::number(day.date.day()), reportFont(8), dayColour,
                     Qt::AlignLeft | Qt::AlignTop);
            if (day.count != 0)
                drawText(p, r.adjusted(0, 10, 0, 0), QStringLiteral("%1回").arg(day.count), reportFont(10.5, true),
                         kInk, Qt::AlignCenter);
        }
        p.setPen(QPen(kRule, 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
    return head + weeks * rowH;
}

// The colour bands with the days of each, as the calendar view's legend.
double paintLegend(QPainter &p, const MonthFigures &m, double x, double y, double w)
{
    double h = caption(p, x, y, w, QStringLiteral("色の目安"));
    const double rowH = 21;
    for (int b = 0; b < kCalendarBands; ++b) {
        const QRectF swatch(x, y + h + 3, 26, rowH - 6);
        const quint32 rgb = bandColor(b);
        p.fillRect(swatch, rgb == 0 ? QColor(Qt::white) : QColor::fromRgb(QRgb(rgb)));
        p.setPen(QPen(kRule, 0.8));
        p.drawRect(swatch);
        drawText(p, QRectF(x + 34, y + h, w - 34, rowH), m.legend.at(b), reportFont(9.5), kInk);
        h += rowH;
    }
    return h;
}

// The month in three figures.
double paintSummary(QPainter &p, const MonthFigures &m, double x, double y, double w)
{
    double h = caption(p, x, y, w, QStringLiteral("この月のまとめ"));
    const QList<QPair<QString, QString>> lines = {
        {QStringLiteral("プレイ回数"), QStringLiteral("%1回").arg(m.plays)},
        {QStringLiteral("プレイ時間"), text::formatHms(m.seconds)},
        {QStringLiteral("練習した日"), QStringLiteral("%1日 ／ %2日").arg(m.daysPlayed).arg(m.days.size())},
    };
    for (const auto &l : lines) {
        drawText(p, QRectF(x, y + h, 90, 22), l.first, reportFont(10), kFaint);
        drawText(p, QRectF(x + 90, y + h, w - 90, 22), l.second, reportFont(12, true), kInk);
        h += 24;
    }
    return h;
}

// The totals per game as a ruled table, with the month's sum below.
double paintTotals(QPainter &p, const MonthFigures &m, double x, double y, double w)
{
    double h = caption(p, x, y, w, QStringLiteral("ゲーム別の合計"));
    const QStringList headers = {QStringLiteral("ゲーム"), QStringLiteral("回数"), QStringLiteral("合計時間"),
                                 QStringLiteral("最長（秒）"), QStringLiteral("平均（秒）")};
    const QList<double> widths = {0.36, 0.13, 0.17, 0.17, 0.17};
    const double rowH = 21;
    const auto row = [&](const QStringList &cells, const QFont &font, bool header) {
        double cx = x;
        for (int c = 0; c < cells.size(); ++c) {
            const QRectF r(cx, y + h, w * widths.at(c), rowH);
            if (header)
                p.fillRect(r, kHeaderBack);
            p.setPen(QPen(kRule, 0.8));
            p.drawRect(r);
            const int align = header ? Qt::AlignCenter
                : c == 0             ? Qt::AlignLeft | Qt::AlignVCenter
                                     : Qt::AlignRight | Qt::AlignVCenter;
            drawText(p, r.adjusted(6, 0, -6, 0), cells.at(c), font, kInk, align);
            cx += r.width();
        }
        h += rowH;
    };
    row(headers, reportFont(9.5, true), true);
    if (m.items.isEmpty()) {
        drawText(p, QRectF(x, y + h, w, rowH + 6), QStringLiteral("この月のプレイはありません。"), reportFont(10),
                 kFaint, Qt::AlignCenter);
        return h + rowH + 6;
    }
    for (const TotalsItem &i : m.items)
        row({i.name, QString::number(i.count), text::formatHms(i.seconds), QString::number(i.max),
             text::format0_0(double(i.average()))},
            reportFont(10), false);
    const float average = m.plays == 0 ? 0.0f : float(m.seconds) / float(m.plays);
    qint64 longest = 0;
    for (const TotalsItem &i : m.items)
        longest = qMax(longest, i.max);
    row({QStringLiteral("合計"), QString::number(m.plays), text::formatHms(m.seconds), QString::number(longest),
         text::format0_0(double(average))},
        reportFont(10, true), false);
    return h;
}

// A chart of one value per day of the month, drawn by the program's chart
// widget (as the totals view draws its day series), on paper colours.
double paintDayChart(QPainter &p, const MonthFigures &m, double x, double y, double w, double h, const QString &title,
                     double (*value)(const TotalsDay &))
{
    Chart chart;
    chart.setPalette(paperPalette());
    chart.setTitle(title);
    chart.setRowCount(int(m.days.size()));
    for (int d = 0; d < m.days.size(); ++d) {
        // Every fifth day named: thirty labels would not fit under the bars.
        const int day = d + 1;
        chart.setRowLabel(d, day == 1 || day % 5 == 0 ? QString::number(day) : QString());
        chart.setValue(d, 0, value(m.days.at(d)));
    }
    chart.resize(int(w), int(h));
    // The chart draws itself at the next turn of the event loop: that turn is
    // taken here, for the chart alone, before it is rendered.
    QCoreApplication::sendPostedEvents(&chart, QEvent::MetaCall);
    // The few day numbers have room enough: none is cut short to "…".
    if (auto *view = chart.findChild<QChartView *>())
        for (QAbstractAxis *axis : view->chart()->axes(Qt::Horizontal))
            axis->setTruncateLabels(false);
    QCoreApplication::sendPostedEvents();
    p.save();
    p.translate(x, y);
    chart.render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    p.restore();
    p.setPen(QPen(kRule, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(x, y, w, h));
    return h;
}

double playsOf(const TotalsDay &d)
{
    return double(d.count);
}

double minutesOf(const TotalsDay &d)
{
    return std::round(double(d.seconds) / 6.0) / 10.0;
}

} // namespace

void paintMonthReport(QPainter &p, const MonthFigures &m, const QString &userName, const QDate &made, double pageWidth,
                      double pageHeight)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double w = pageWidth;
    double y = 0;

    // ---- the title: the month, the player, the day it was made ----
    drawText(p, QRectF(0, y, w, 40), m.title(), reportFont(22, true), kInk);
    const QString name = userName.trimmed();
    if (!name.isEmpty()) {
        // A long name is cut short, never the さん after it.
        const QFont nameFont = reportFont(14);
        const QFontMetricsF fm(nameFont, p.device());
        const QString san = QStringLiteral(" さん");
        const QString shown = fm.elidedText(name, Qt::ElideRight, w * 0.55 - fm.horizontalAdvance(san) - 2) + san;
        drawText(p, QRectF(w * 0.45, y, w * 0.55, 40), shown, nameFont, kInk, Qt::AlignRight | Qt::AlignVCenter);
    }
    y += 42;
    drawText(p, QRectF(0, y, w, 18), QStringLiteral("ソラミルプロジェクト３ ～記憶力"), reportFont(8.5), kFaint);
    drawText(p, QRectF(0, y, w, 18), QStringLiteral("作成日 %1").arg(text::dateSlash(made)), reportFont(8.5), kFaint,
             Qt::AlignRight | Qt::AlignVCenter);
    y += 20;
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(0, y), QPointF(w, y));
    y += 14;

    // ---- the calendar, and beside it the legend and the month in figures ----
    const double cell = 56;
    const double calendarWidth = 7 * cell;
    const double side = calendarWidth + 28;
    const double top = y;
    const double calendarHeight =
        caption(p, 0, y, calendarWidth, QStringLiteral("カレンダー")) + paintCalendar(p, m, made, 0, y + 24, cell);
    double sideHeight = paintSummary(p, m, side, top, w - side);
    sideHeight += 10 + paintLegend(p, m, side, top + sideHeight + 10, w - side);
    y = top + qMax(calendarHeight, sideHeight) + 18;

    // ---- the games ----
    y += paintTotals(p, m, 0, y, w) + 18;

    // ---- the days ----
    y += caption(p, 0, y, w, QStringLiteral("日別の推移"));
    const double chartHeight = qBound(120.0, (pageHeight - y - 10) / 2, 190.0);
    y += paintDayChart(p, m, 0, y, w, chartHeight, QStringLiteral("日別のプレイ回数"), playsOf) + 10;
    paintDayChart(p, m, 0, y, w, chartHeight, QStringLiteral("日別のプレイ時間（分）"), minutesOf);
}

QByteArray monthReportPdf(const MonthFigures &figures, const QString &userName, const QDate &made)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(figures.title());
        writer.setCreator(QStringLiteral("ソラミルプロジェクト３ ～記憶力"));
        QPainter painter(&writer);
        paintMonthReport(painter, figures, userName, made, writer.width(), writer.height());
    }
    return bytes;
}

} // namespace kioku
