// The calendar panel (カレンダー) driven as the user drives it: opened by its
// menu button on a log, then the tables, their colours, the legend and the
// two weekday charts as shown.
#include "mainfixture.h"

#include "testing/controls.h"
#include "views/calendarview.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QColor kLightRed(255, 192, 192);
const QColor kLightOrange(255, 224, 192);
const QColor kLightYellow(255, 255, 192);
const QColor kLightGreen(192, 255, 192);
const QColor kLightCyan(192, 255, 255);
const QColor kLightBlue(192, 192, 255);

const QStringList kWeekdays = {"日", "月", "火", "水", "木", "金", "土"};

struct Opened {
    std::unique_ptr<MainWindow> w;
    CalendarView *view = nullptr;
    FlexGrid *months = nullptr;
    FlexGrid *weeks = nullptr;
    Chart *plays = nullptr;
    Chart *seconds = nullptr;

    QStringList legend() const
    {
        QStringList l;
        for (int k = 0; k < 7; ++k)
            l.append(view->findChild<QLabel *>(QStringLiteral("lblHan%1").arg(k))->text());
        return l;
    }
    QList<double> points(const Chart *c) const
    {
        QList<double> v;
        for (int i = 0; i < c->rowCount(); ++i)
            v.append(c->value(i));
        return v;
    }
    QStringList labels(const Chart *c) const
    {
        QStringList l;
        for (int i = 0; i < c->rowCount(); ++i)
            l.append(c->rowLabel(i));
        return l;
    }
};

// Opens the panel with its menu button, by mouse or by keyboard.
Opened open(MainFixture &f, bool keyboard = false)
{
    Opened o;
    o.w = f.load();
    if (keyboard)
        QTest::keyClick(o.w->cmdCale, Qt::Key_Space);
    else
        QTest::mouseClick(o.w->cmdCale, Qt::LeftButton);
    o.view = control<CalendarView>(o.w.get(), QStringLiteral("fraCale"));
    o.months = control<FlexGrid>(o.w.get(), QStringLiteral("msgCale"));
    o.weeks = o.w->findChild<FlexGrid *>(QStringLiteral("msgCale_w"));
    o.plays = control<Chart>(o.w.get(), QStringLiteral("mcrKensu"));
    o.seconds = control<Chart>(o.w.get(), QStringLiteral("mcrKingaku"));
    return o;
}

QStringList column0(const FlexGrid *g)
{
    QStringList l;
    for (int r = 1; r < g->rows(); ++r)
        l.append(g->textMatrix(r, 0));
    return l;
}

QList<PlayRecord> times(int n, const QString &date)
{
    return QList<PlayRecord>(n, play(date, "10:00:00", "数字記憶", 10));
}

bool lastRowShown(const FlexGrid *g)
{
    const int y = g->rowViewportPosition(g->rows() - 2);
    return y >= 0 && y + g->rowHeight(g->rows() - 2) <= g->viewport()->height();
}

} // namespace

class tst_calendarView : public QObject {
    Q_OBJECT

private slots:
    void fixtureLog_data();
    void fixtureLog();
    void emptyLogShowsTheDesignTimeLegend();
    void busiestDays_data();
    void busiestDays();
    void legendShowsTheBandColours();
    void longTablesScrollToTheirLastRow_data();
    void longTablesScrollToTheirLastRow();
    void helpTourExplainsThePanel();
};

void tst_calendarView::fixtureLog_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("keyboard") << true;
}

// The shared fixture: 2007/12/30 (a Sunday) … 2008/03/02, no play in
// January, two plays on 29 February, one of them not a game.
void tst_calendarView::fixtureLog()
{
    QFETCH(bool, keyboard);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    Opened o = open(f, keyboard);
    QVERIFY(o.view->isVisible());

    QCOMPARE(o.months->cols(), 32);
    QCOMPARE(o.months->textMatrix(0, 0), QStringLiteral("年月"));
    QCOMPARE(o.months->textMatrix(0, 1), QStringLiteral("1"));
    QCOMPARE(o.months->textMatrix(0, 31), QStringLiteral("31"));
    QCOMPARE(o.months->colWidth(0), 1290);
    QCOMPARE(o.months->colWidth(31), 310);
    QCOMPARE(o.months->colAlignment(0), Qt::AlignHCenter);
    QCOMPARE(column0(o.months), QStringList({"2007年12月", "2008年01月", "2008年02月", "2008年03月"}));
    QCOMPARE(o.months->textMatrix(1, 30), QStringLiteral("1"));
    QCOMPARE(o.months->cellBackColor(1, 30), kLightRed);
    QCOMPARE(o.months->textMatrix(1, 31), QStringLiteral("3"));
    QCOMPARE(o.months->cellBackColor(1, 31), kLightOrange);
    QCOMPARE(o.months->textMatrix(3, 29), QStringLiteral("2"));
    QCOMPARE(o.months->cellBackColor(3, 29), kLightRed);
    QVERIFY(!o.months->cellBackColor(1, 29).isValid());
    QVERIFY(!o.months->cellBackColor(1, 0).isValid());

    QCOMPARE(
        o.legend(),
        QStringList({"0回：60日", "1-2回：3日", "3-4回：1日", "5-6回：0日", "7-8回：0日", "9-10回：0日", "10超：0日"}));

    QCOMPARE(o.weeks->fontSize(), 9.0);
    QCOMPARE(o.weeks->cols(), 8);
    QCOMPARE(o.weeks->textMatrix(0, 0), QStringLiteral("年月日"));
    QCOMPARE(o.weeks->colWidth(0), 1310);
    QCOMPARE(o.weeks->colWidth(7), 320);
    for (int c = 1; c <= 7; ++c)
        QCOMPARE(o.weeks->textMatrix(0, c), kWeekdays.at(c - 1));
    // The first play is on a Sunday: the weeks start on that very day.
    QCOMPARE(o.weeks->rows(), 11);
    QCOMPARE(o.weeks->textMatrix(1, 0), QStringLiteral("07年12月30日"));
    QCOMPARE(o.weeks->textMatrix(10, 0), QStringLiteral("08年03月02日"));
    QCOMPARE(o.weeks->textMatrix(1, 2), QStringLiteral("3"));
    QCOMPARE(o.weeks->cellBackColor(1, 2), kLightOrange);
    QCOMPARE(o.weeks->textMatrix(9, 6), QStringLiteral("2"));
    QCOMPARE(o.weeks->cellBackColor(9, 6), kLightRed);
    QVERIFY(!o.weeks->cellBackColor(2, 1).isValid());

    QCOMPARE(o.labels(o.plays), kWeekdays);
    QCOMPARE(o.labels(o.seconds), kWeekdays);
    QCOMPARE(o.points(o.plays), QList<double>({2, 3, 0, 0, 0, 2, 0}));
    // Sunday 42.5 → 42, + 7; Monday 12.5 → 12, + 0.5 → 12, + 1.5 → 14; Friday 30 + 100.
    QCOMPARE(o.points(o.seconds), QList<double>({49, 14, 0, 0, 0, 130, 0}));
}

void tst_calendarView::emptyLogShowsTheDesignTimeLegend()
{
    MainFixture f;
    Opened o = open(f);
    QVERIFY(o.view->isVisible());
    QCOMPARE(o.months->rows(), 1);
    QCOMPARE(o.months->cols(), 32);
    QCOMPARE(o.weeks->rows(), 1);
    QCOMPARE(o.weeks->cols(), 8);
    QCOMPARE(
        o.legend(),
        QStringList({"0回：0日", "1-2回：0日", "3-4回：0日", "5-6回：0日", "7-8回：0日", "9-10回：0日", "10超：0日"}));
    QCOMPARE(o.labels(o.plays), kWeekdays);
    QCOMPARE(o.points(o.plays), QList<double>(7, 0));
    QCOMPARE(o.points(o.seconds), QList<double>(7, 0));
}

void tst_calendarView::busiestDays_data()
{
    QTest::addColumn<int>("plays");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("band");
    QTest::newRow("10 plays: light cyan, 9-10回") << 10 << kLightCyan << 5;
    QTest::newRow("11 plays: light blue, 10超") << 11 << kLightBlue << 6;
}

void tst_calendarView::busiestDays()
{
    QFETCH(int, plays);
    QFETCH(QColor, color);
    QFETCH(int, band);
    MainFixture f;
    // A Wednesday.
    f.setLog(times(plays, "2006/01/04"));
    Opened o = open(f);
    QCOMPARE(o.months->textMatrix(1, 4), QString::number(plays));
    QCOMPARE(o.months->cellBackColor(1, 4), color);
    QCOMPARE(o.weeks->textMatrix(1, 0), QStringLiteral("06年01月01日"));
    QCOMPARE(o.weeks->textMatrix(1, 4), QString::number(plays));
    QCOMPARE(o.weeks->cellBackColor(1, 4), color);
    const QStringList legend = o.legend();
    for (int k = 1; k < 7; ++k)
        QVERIFY2(legend.at(k).endsWith(k == band ? "：1日" : "：0日"), qPrintable(legend.at(k)));
    QCOMPARE(o.points(o.plays), QList<double>({0, 0, 0, double(plays), 0, 0, 0}));
    QCOMPARE(o.points(o.seconds), QList<double>({0, 0, 0, 10.0 * plays, 0, 0, 0}));
}

void tst_calendarView::legendShowsTheBandColours()
{
    MainFixture f;
    Opened o = open(f);
    const QList<QColor> colours = {kLightRed, kLightOrange, kLightYellow, kLightGreen, kLightCyan, kLightBlue};
    for (int k = 1; k < 7; ++k)
        QCOMPARE(backColor(o.view->lblHan.at(k)), colours.at(k - 1));
    // The days without play in the colour of an uncoloured cell.
    QCOMPARE(backColor(o.view->lblHan.at(0)), o.months->palette().color(QPalette::Base));
}

void tst_calendarView::longTablesScrollToTheirLastRow_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<bool>("monthsScrolled");
    QTest::addColumn<bool>("weeksScrolled");
    // From Sunday 2006/01/01: 12 months and 15 weeks fit their limits.
    QTest::newRow("15 weeks") << "2006/04/15" << false << false;
    QTest::newRow("16 weeks") << "2006/04/16" << false << true;
    QTest::newRow("12 months") << "2006/12/31" << false << true;
    QTest::newRow("13 months") << "2007/01/01" << true << true;
}

void tst_calendarView::longTablesScrollToTheirLastRow()
{
    QFETCH(QString, last);
    QFETCH(bool, monthsScrolled);
    QFETCH(bool, weeksScrolled);
    MainFixture f;
    f.setLog({play("2006/01/01", "10:00:00", "数字記憶", 10), play(last, "10:00:00", "数字記憶", 10)});
    Opened o = open(f);
    // The window made low enough that neither table shows all its rows: a
    // table the rule has scrolled to its end stays there, one it has not stays at the top.
    o.w->resize(1000, 480);
    QApplication::processEvents();
    QVERIFY(o.months->viewport()->height() < 10 * o.months->rowHeight(1));
    QVERIFY(o.weeks->viewport()->height() < 12 * o.weeks->rowHeight(1));
    QCOMPARE(o.months->topRow() > 1, monthsScrolled);
    QCOMPARE(o.weeks->topRow() > 1, weeksScrolled);
    if (monthsScrolled)
        QVERIFY(lastRowShown(o.months));
    if (weeksScrolled)
        QVERIFY(lastRowShown(o.weeks));
}

void tst_calendarView::helpTourExplainsThePanel()
{
    MainFixture f(1);
    f.ctx.session.welcomeShown = true;
    auto w = f.load();
    const int before = int(f.messages.shown.size());
    w->cmdCale->click();
    QCOMPARE(f.messages.shown.size(), before + 1);
    QCOMPARE(f.messages.shown.last().text,
             QStringLiteral("実施状況を色と数字で把握できるカレンダーです。\r\n\r\n"
                            "月毎のデータリストと週毎のデータリストを持ちます。\r\n\r\n"
                            "色が実施状況（セット数）、数字が合計回数を表します。\r\n\r\n"
                            "週毎で件数と台数をグラフ表示できます。\r\n\r\n"));
}

QTEST_MAIN(tst_calendarView)
#include "tst_calendarview.moc"
