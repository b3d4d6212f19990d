// The conditional list (範囲指定) driven as the user drives it: opened from the
// menu row, its item list, keyword box, weekday and period buttons pressed by
// mouse and keyboard, its grids, its button colours and its three graphs.
#include "mainfixture.h"

#include "core/text/formats.h"
#include "testing/controls.h"
#include "views/rangelistview.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QColor kYellow(255, 255, 192); // &HC0FFFF, a selected condition
const QColor kCyan(192, 255, 255);   // &HFFFFC0, the selected graph

// The plays of tests/data/views.txt by a letter each, in log order.
const QStringList kFixturePlays = {"2007/12/30 23:59:59", "2007/12/31 00:00:00", "2007/12/31 09:59:59",
                                   "2007/12/31 10:00:00", "2008/02/29 12:00:00", "2008/02/29 23:59:59",
                                   "2008/03/02 00:00:00"};

// The listed plays as letters A … G (the fixture's plays), "?" for another.
QString listedPlays(const FlexGrid *g)
{
    QString out;
    for (int r = 1; r < g->rows(); ++r) {
        const int i = int(kFixturePlays.indexOf(g->textMatrix(r, 1) + QLatin1Char(' ') + g->textMatrix(r, 2)));
        out += i < 0 ? QLatin1Char('?') : QChar(QLatin1Char('A').unicode() + i);
    }
    return out;
}

QStringList gridRow(const FlexGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells.append(g->textMatrix(r, c));
    return cells;
}

// The condition buttons shown selected, by name.
QStringList selectedConditions(const RangeListView *v)
{
    QList<QPushButton *> all = {v->cmdAllact, v->cmdKensaku, v->cmdAllWeek, v->cmdAllDay, v->cmdKikanF};
    all += v->cmdWeek;
    all += v->cmdKikan;
    QStringList names;
    for (QPushButton *b : std::as_const(all)) {
        const QColor c = backColor(b);
        if (c == kYellow)
            names.append(b->objectName());
        else if (c != buttonFace())
            names.append(b->objectName() + QStringLiteral("(?)"));
    }
    names.sort();
    return names;
}

QStringList chartLabels(const Chart *c)
{
    QStringList out;
    for (int i = 0; i < c->rowCount(); ++i)
        out.append(c->rowLabel(i));
    return out;
}

QList<double> chartValues(const Chart *c)
{
    QList<double> out;
    for (int i = 0; i < c->rowCount(); ++i)
        out.append(c->value(i));
    return out;
}

void clickItem(RangeListView *v, const QString &name)
{
    const QList<QListWidgetItem *> found = v->lstAct2->findItems(name, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QTest::mouseClick(v->lstAct2->viewport(), Qt::LeftButton, {}, v->lstAct2->visualItemRect(found.first()).center());
}

// Clicks into the keyword box (which empties it), types `keyword` and presses Enter.
void enterKeyword(RangeListView *v, const QString &keyword)
{
    QTest::mouseClick(v->txtKey, Qt::LeftButton);
    QVERIFY(v->txtKey->hasFocus());
    QCOMPARE(v->txtKey->text(), QString());
    // Kana and kanji cannot be typed key by key: the text goes in as an input method would put it.
    v->txtKey->insert(keyword);
    QTest::keyClick(v->txtKey, Qt::Key_Return);
}

void pressBySpace(QPushButton *b)
{
    b->setFocus(Qt::TabFocusReason);
    QTest::keyClick(b, Qt::Key_Space);
}

void typeDate(QComboBox *c, const QString &date)
{
    c->lineEdit()->selectAll();
    QTest::keyClicks(c->lineEdit(), date);
}

// One step of a scenario, as the user does it:
//   item:NAME      click NAME in the item list      listdown   Down arrow in the item list
//   key:TEXT       click into the keyword box, type TEXT, Enter
//   allact         項目の全部                         kensaku    検索
//   week:N         click the weekday button N        weekkey:N  the same by the space bar
//   allweek        曜日の全部
//   kikan:N        click cmdKikanN                   kikankey:N the same by the space bar
//   allday         期間の全部                         range:A~B  type A and B into the date boxes, 任意
void act(RangeListView *v, const QString &step)
{
    const QString arg = step.section(QLatin1Char(':'), 1);
    const QString what = step.section(QLatin1Char(':'), 0, 0);
    if (what == QLatin1String("item")) {
        clickItem(v, arg);
    } else if (what == QLatin1String("listdown")) {
        v->lstAct2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(v->lstAct2, Qt::Key_Down);
    } else if (what == QLatin1String("key")) {
        enterKeyword(v, arg);
    } else if (what == QLatin1String("allact")) {
        QTest::mouseClick(v->cmdAllact, Qt::LeftButton);
    } else if (what == QLatin1String("kensaku")) {
        QTest::mouseClick(v->cmdKensaku, Qt::LeftButton);
    } else if (what == QLatin1String("week")) {
        QTest::mouseClick(v->cmdWeek.at(arg.toInt()), Qt::LeftButton);
    } else if (what == QLatin1String("weekkey")) {
        pressBySpace(v->cmdWeek.at(arg.toInt()));
    } else if (what == QLatin1String("allweek")) {
        QTest::mouseClick(v->cmdAllWeek, Qt::LeftButton);
    } else if (what == QLatin1String("kikan")) {
        QTest::mouseClick(v->cmdKikan.at(arg.toInt() - 1), Qt::LeftButton);
    } else if (what == QLatin1String("kikankey")) {
        pressBySpace(v->cmdKikan.at(arg.toInt() - 1));
    } else if (what == QLatin1String("allday")) {
        QTest::mouseClick(v->cmdAllDay, Qt::LeftButton);
    } else if (what == QLatin1String("range")) {
        typeDate(v->cboStdate, arg.section(QLatin1Char('~'), 0, 0));
        typeDate(v->cboEddate, arg.section(QLatin1Char('~'), 1));
        QTest::mouseClick(v->cmdKikanF, Qt::LeftButton);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

struct Opened {
    MainFixture f{0};
    std::unique_ptr<MainWindow> w;
    RangeListView *v = nullptr;

    // The main window on `log` bytes (the fixture when empty), with 範囲指定 opened from the menu row.
    explicit Opened(const QByteArray &log = fixture(QStringLiteral("views.txt")), int tour = 0)
    {
        f.setTour(tour);
        f.ctx.session.welcomeShown = true;
        f.dir.write(QStringLiteral("データ.txt"), log);
        w = f.load();
        v = control<RangeListView>(w, QStringLiteral("fraTaijyu"));
        QTest::mouseClick(w->cmdTaijyu, Qt::LeftButton);
    }
};

} // namespace

class tst_RangeListView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void enteringListsEveryPlayWithTheAllButtonsSelected();
    void anEmptyLogListsNothingAndEveryItemAtZero();
    void conditionsCombine_data();
    void conditionsCombine();
    void theGraphsDrawWhatTheGridsShow();
    void aNewFillRedrawsOnlyTheSelectedGraph();
    void theListScrollsPastElevenRows_data();
    void theListScrollsPastElevenRows();
    void enteringAgainReadsTheLogAndStartsFromEveryPlay();
};

void tst_RangeListView::enteringListsEveryPlayWithTheAllButtonsSelected()
{
    Opened o(fixture(QStringLiteral("views.txt")), 1);
    RangeListView *v = o.v;
    QVERIFY(v->isVisible());

    QCOMPARE(gridRow(v->msgBunseki, 0), (QStringList{"", "日付", "時間", "曜", "項目", "秒"}));
    QCOMPARE(v->msgBunseki->fontSize(), 10.0);
    QCOMPARE(v->msgBunseki->colAlignment(4) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(listedPlays(v->msgBunseki), QStringLiteral("ABCDEFG"));
    QCOMPARE(gridRow(v->msgBunseki, 2), (QStringList{"2", "2007/12/31", "00:00:00", "月", "画像記憶", "12.5"}));
    QCOMPARE(gridRow(v->msgBunseki, 5), (QStringList{"5", "2008/02/29", "12:00:00", "金", "独自の練習", "30"}));
    QCOMPARE(gridRow(v->msgBunseki2, 0), (QStringList{"項目", "秒", "時間"}));
    QCOMPARE(v->msgBunseki2->rows(), 8);
    QCOMPARE(gridRow(v->msgBunseki2, 1), (QStringList{"数字記憶", "44", "0:00:44"}));
    QCOMPARE(gridRow(v->msgBunseki2, 3), (QStringList{"アイコン衰弱", "0", "0:00:00"}));
    QCOMPARE(gridRow(v->msgBunseki2, 4), (QStringList{"追跡記憶", "100", "0:01:40"}));

    // The period lists hold each logged day once, from the first to the last.
    QCOMPARE(v->cboStdate->count(), 4);
    QCOMPARE(v->cboStdate->itemText(3), QStringLiteral("2008/03/02"));
    QCOMPARE(v->cboStdate->currentText(), QStringLiteral("2007/12/30"));
    QCOMPARE(v->cboEddate->currentText(), QStringLiteral("2008/03/02"));
    QCOMPARE(v->lstAct2->count(), 7);
    QCOMPARE(v->lstAct2->item(6)->text(), QStringLiteral("バラバラ記憶"));

    QCOMPARE(selectedConditions(v), (QStringList{"cmdAllDay", "cmdAllWeek", "cmdAllact"}));
    QCOMPARE(v->weekdayFilter(), kAnyWeekday);
    // No graph is selected yet: the chart area is empty.
    QCOMPARE(v->graphButtons->selected(), QString());
    QCOMPARE(v->mcrBunseki->rowCount(), 0);

    QCOMPARE(o.f.messages.shown.size(), 1);
    QCOMPARE(o.f.messages.shown[0].title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(o.f.messages.shown[0].text,
             QStringLiteral("これまでプレイしてきたデータを「項目」「曜日」「期間」指定で表示できます。\r\n\r\n"
                            "「項目」をリストから選択すると、その「項目」のみのデータになります。\r\n"
                            "　※状況欄に直接任意の語句を入力することができます。（入力後Enter）\r\n\r\n"
                            "各種曜日ボタンで選択すると指定した曜日でのデータになります。\r\n\r\n"
                            "「期間」をボタンで選択すると指定した期間でのデータになります。\r\n"
                            "　※期間のコンボリストで任意に指定することも可能です。\r\n\r\n"
                            "時系列、項目別、時間別でグラフ表示することもできます。\r\n"));
}

void tst_RangeListView::anEmptyLogListsNothingAndEveryItemAtZero()
{
    Opened o{QByteArray()};
    RangeListView *v = o.v;
    QCOMPARE(v->msgBunseki->rows(), 1);
    QCOMPARE(v->msgBunseki2->rows(), 8);
    for (int r = 1; r <= 7; ++r)
        QCOMPARE(gridRow(v->msgBunseki2, r).mid(1), (QStringList{"0", "0:00:00"}));
    QCOMPARE(v->cboStdate->count(), 0);
    QCOMPARE(v->cboStdate->currentText(), QString());

    QTest::mouseClick(v->cmdAllDay, Qt::LeftButton);
    QCOMPARE(v->cboEddate->currentText(), QStringLiteral("2026/12/07"));
    QTest::mouseClick(v->cmdJikan3, Qt::LeftButton);
    QCOMPARE(v->mcrBunseki2->rowCount(), 24);
    QCOMPARE(chartValues(v->mcrBunseki2), QList<double>(24, 0.0));
    QTest::mouseClick(v->cmdDay3, Qt::LeftButton);
    QCOMPARE(v->mcrBunseki->rowCount(), 0);
}

void tst_RangeListView::conditionsCombine_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("listed");     // the fixture's plays A … G left in the list
    QTest::addColumn<QStringList>("marked"); // the condition buttons shown selected
    QTest::addColumn<QString>("keyword");    // what the keyword box holds

    const QString all = QStringLiteral("ABCDEFG");
    QTest::newRow("an item from the list")
        << QStringList{"item:数字記憶"} << "ACD" << QStringList{"cmdAllDay", "cmdAllWeek"} << "数字記憶";
    QTest::newRow("an item by the arrow key")
        << QStringList{"listdown"} << "B" << QStringList{"cmdAllDay", "cmdAllWeek"} << "画像記憶";
    QTest::newRow("item and weekday") << QStringList{"item:数字記憶", "week:1"} << "CD"
                                      << QStringList{"cmdAllDay", "cmdWeek1"} << "数字記憶";
    QTest::newRow("項目の全部 keeps the weekday") << QStringList{"item:数字記憶", "week:1", "allact"} << "BCD"
                                                  << QStringList{"cmdAllDay", "cmdAllact", "cmdWeek1"} << "";
    QTest::newRow("the keyword 記憶: all but アイコン衰弱 and the own item")
        << QStringList{"key:記憶"} << "ABCDFG" << QStringList{"cmdAllDay", "cmdAllWeek"} << "記憶";
    QTest::newRow("Enter on an empty box lists every item")
        << QStringList{"item:追跡記憶", "key:"} << all << QStringList{"cmdAllDay", "cmdAllWeek", "cmdAllact"} << "";
    QTest::newRow("keyword, weekday and period at once")
        << QStringList{"key:記憶", "weekkey:0", "kikan:4"} << "G" << QStringList{"cmdKikan4", "cmdWeek0"} << "記憶";
    QTest::newRow("曜日の全部 drops only the weekday") << QStringList{"key:記憶", "week:0", "kikan:4", "allweek"}
                                                       << "FG" << QStringList{"cmdAllWeek", "cmdKikan4"} << "記憶";
    QTest::newRow("前日: yesterday and today")
        << QStringList{"kikan:1"} << "G" << QStringList{"cmdAllWeek", "cmdAllact", "cmdKikan1"} << "";
    QTest::newRow("３日 by the space bar: over the leap day")
        << QStringList{"kikankey:8"} << "EFG" << QStringList{"cmdAllWeek", "cmdAllact", "cmdKikan8"} << "";
    QTest::newRow("３ヶ月") << QStringList{"kikan:5"} << all << QStringList{"cmdAllWeek", "cmdAllact", "cmdKikan5"}
                            << "";
    QTest::newRow("期間の全部 after a period")
        << QStringList{"kikan:1", "allday"} << all << QStringList{"cmdAllDay", "cmdAllWeek", "cmdAllact"} << "";
    QTest::newRow("任意: typed dates, both inclusive") << QStringList{"range:2007/12/31~2008/02/29"} << "BCDEF"
                                                       << QStringList{"cmdAllWeek", "cmdAllact", "cmdKikanF"} << "";
    QTest::newRow("任意: first date after the last") << QStringList{"range:2008/03/02~2007/12/30"} << ""
                                                     << QStringList{"cmdAllWeek", "cmdAllact", "cmdKikanF"} << "";
    QTest::newRow("検索 lists without the weekday and keeps the colours")
        << QStringList{"week:5", "key:記憶", "kensaku"} << "ABCDFG" << QStringList{"cmdAllDay", "cmdWeek5"} << "記憶";
}

void tst_RangeListView::conditionsCombine()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, listed);
    QFETCH(QStringList, marked);
    QFETCH(QString, keyword);
    // Today is the day of the fixture's last play, so the period buttons reach its plays.
    Opened o;
    o.f.clock.setNow(QDateTime(QDate(2008, 3, 2), QTime(21, 0)));
    for (const QString &step : std::as_const(steps)) {
        act(o.v, step);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(listedPlays(o.v->msgBunseki), listed);
    QCOMPARE(selectedConditions(o.v), marked);
    QCOMPARE(o.v->txtKey->text(), keyword);
    // The rows are numbered afresh and the summary counts only the rows listed.
    qint64 numberSeconds = 0;
    for (int r = 1; r < o.v->msgBunseki->rows(); ++r) {
        QCOMPARE(o.v->msgBunseki->textMatrix(r, 0), QString::number(r));
        if (o.v->msgBunseki->textMatrix(r, 4) == QStringLiteral("数字記憶"))
            numberSeconds = text::roundHalfEven(double(numberSeconds) + o.v->msgBunseki->textMatrix(r, 5).toDouble());
    }
    QCOMPARE(o.v->msgBunseki2->rows(), 8);
    QCOMPARE(o.v->msgBunseki2->textMatrix(1, 1), QString::number(numberSeconds));
}

void tst_RangeListView::theGraphsDrawWhatTheGridsShow()
{
    Opened o;
    RangeListView *v = o.v;
    QTest::mouseClick(v->cmdDay3, Qt::LeftButton);
    QVERIFY(!v->mcrBunseki->isHidden());
    QVERIFY(v->mcrBunseki2->isHidden());
    QCOMPARE(chartValues(v->mcrBunseki), (QList<double>{42.5, 12.5, 0.5, 1.5, 30, 100, 7}));
    QCOMPARE(chartLabels(v->mcrBunseki), QStringList(7, QString())); // a series of plays has no labels
    QCOMPARE(backColor(v->cmdDay3), kCyan);
    QCOMPARE(backColor(v->cmdTotal3), buttonFace());

    pressBySpace(v->cmdTotal3);
    QVERIFY(v->mcrBunseki->isHidden());
    QVERIFY(!v->mcrBunseki2->isHidden());
    QCOMPARE(chartLabels(v->mcrBunseki2), (QStringList{"数字", "画像", "アイ", "追跡", "時間", "輪廻", "バラ"}));
    QCOMPARE(chartValues(v->mcrBunseki2), (QList<double>{44, 12, 0, 100, 0, 0, 7}));
    QCOMPARE(backColor(v->cmdTotal3), kCyan);
    QCOMPARE(backColor(v->cmdDay3), buttonFace());

    QTest::mouseClick(v->cmdJikan3, Qt::LeftButton);
    QVERIFY(!v->mcrBunseki2->isHidden());
    QCOMPARE(v->mcrBunseki2->rowCount(), 24);
    QCOMPARE(v->mcrBunseki2->rowLabel(9), QStringLiteral(" 9"));
    QList<double> hours(24, 0.0);
    hours[0] = 19;  // 12.5 rounds to 12, then 7 more
    hours[9] = 0;   // 09:59:59 is still nine o'clock: 0.5 rounds to 0
    hours[10] = 2;  // 10:00:00: 1.5 rounds to 2
    hours[12] = 30; // the own item counts by the hour too: the graph is drawn from the list
    hours[23] = 142;
    QCOMPARE(chartValues(v->mcrBunseki2), hours);
    QCOMPARE(backColor(v->cmdJikan3), kCyan);
    QCOMPARE(v->graphButtons->selected(), QStringLiteral("cmdJikan3"));
}

void tst_RangeListView::aNewFillRedrawsOnlyTheSelectedGraph()
{
    Opened o;
    RangeListView *v = o.v;
    QSignalSpy drawn(v->graphButtons, &GraphButtons::drawn);
    // No graph selected: a fill draws none.
    clickItem(v, QStringLiteral("数字記憶"));
    QCOMPARE(drawn.size(), 0);

    QTest::mouseClick(v->cmdDay3, Qt::LeftButton);
    QCOMPARE(v->mcrBunseki->rowCount(), 3);
    drawn.clear();
    QTest::mouseClick(v->cmdWeek.at(1), Qt::LeftButton); // Mondays: two plays
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(drawn.at(0).at(0).toString(), QStringLiteral("cmdDay3"));
    QCOMPARE(chartValues(v->mcrBunseki), (QList<double>{0.5, 1.5}));

    QTest::mouseClick(v->cmdTotal3, Qt::LeftButton);
    drawn.clear();
    QTest::mouseClick(v->cmdAllWeek, Qt::LeftButton);
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(drawn.at(0).at(0).toString(), QStringLiteral("cmdTotal3"));
    QCOMPARE(chartValues(v->mcrBunseki2), (QList<double>{44, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(v->mcrBunseki->rowCount(), 0); // the other chart was only emptied
    QVERIFY(v->mcrBunseki->isHidden());

    drawn.clear();
    QTest::mouseClick(v->cmdKensaku, Qt::LeftButton);
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(backColor(v->cmdTotal3), kCyan);
}

void tst_RangeListView::theListScrollsPastElevenRows_data()
{
    QTest::addColumn<int>("plays");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("10 plays, 11 rows") << 10 << false;
    QTest::newRow("11 plays, 12 rows") << 11 << true;
    QTest::newRow("40 plays") << 40 << true;
}

void tst_RangeListView::theListScrollsPastElevenRows()
{
    QFETCH(int, plays);
    QFETCH(bool, scrolls);
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < plays; ++i)
        log.append(play("2026/12/06", QStringLiteral("10:%1:00").arg(i, 2, 10, QLatin1Char('0')), "数字記憶", 1));
    f.setLog(log);
    auto w = f.load();
    auto *v = control<RangeListView>(w, QStringLiteral("fraTaijyu"));
    FlexGrid *g = v->msgBunseki;
    // A list too short for ten plays: the rule, not the room, decides.
    g->setFixedHeight(g->horizontalHeader()->sizeHint().height() + 7 * g->verticalHeader()->defaultSectionSize());
    QTest::mouseClick(w->cmdTaijyu, Qt::LeftButton);
    QCoreApplication::processEvents();
    const int page = g->viewport()->height() / g->rowHeight(0);
    QVERIFY2(page > 2 && page < 10, qPrintable(QString::number(page)));
    QCOMPARE(g->rows(), plays + 1);
    QCOMPARE(g->topRow(), scrolls ? plays - page + 1 : 1);

    // A refill under a condition follows the same rule.
    QTest::mouseClick(v->cmdWeek.at(0), Qt::LeftButton); // 2026/12/06 is a Sunday
    QCoreApplication::processEvents();
    QCOMPARE(g->topRow(), scrolls ? plays - page + 1 : 1);
}

void tst_RangeListView::enteringAgainReadsTheLogAndStartsFromEveryPlay()
{
    Opened o(fixture(QStringLiteral("views.txt")), 1);
    RangeListView *v = o.v;
    o.f.clock.setNow(QDateTime(QDate(2008, 3, 2), QTime(21, 0)));
    act(v, QStringLiteral("item:数字記憶"));
    act(v, QStringLiteral("week:1"));
    act(v, QStringLiteral("kikan:5"));
    QCOMPARE(listedPlays(v->msgBunseki), QStringLiteral("CD"));

    // A button re-filters the log as it was read on entering: a play saved since is not listed yet.
    QByteArray bytes = fixture(QStringLiteral("views.txt"));
    bytes += sjisLines({play("2008/03/02", "21:00:00", "数字記憶", 9).gameLine()});
    o.f.dir.write(QStringLiteral("データ.txt"), bytes);
    act(v, QStringLiteral("allweek"));
    QCOMPARE(listedPlays(v->msgBunseki), QStringLiteral("ACD"));

    QTest::mouseClick(o.w->cmdMain, Qt::LeftButton);
    QVERIFY(v->isHidden());
    QTest::mouseClick(o.w->cmdTaijyu, Qt::LeftButton);
    QCOMPARE(listedPlays(v->msgBunseki), QStringLiteral("ABCDEFG?"));
    QCOMPARE(v->cboEddate->currentText(), QStringLiteral("2008/03/02"));
    QCOMPARE(v->cboStdate->count(), 4);
    // Every condition shows 全部 again, and nothing else is marked.
    QCOMPARE(selectedConditions(v), (QStringList{"cmdAllDay", "cmdAllWeek", "cmdAllact"}));
    QCOMPARE(v->txtKey->text(), QString());
    QVERIFY(v->lstAct2->selectedItems().isEmpty());
    QCOMPARE(v->weekdayFilter(), kAnyWeekday);
    act(v, QStringLiteral("week:0"));
    QCOMPARE(listedPlays(v->msgBunseki), QStringLiteral("AG?"));
    QCOMPARE(o.f.messages.shown.size(), 2); // the help tour each time the view is entered
}

QTEST_MAIN(tst_RangeListView)
#include "tst_rangelistview.moc"
