// The frame every game window shares, seen on the number-memory window and on
// plain test windows built from the other games' descriptions.
#include "core/game/history.h"
#include "core/rules/numbermemory.h"
#include "core/settings.h"
#include "core/text/textfile.h"
#include "gamefixture.h"
#include "games/frame/gamedescription.h"
#include "games/visual/frmg1.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QString kHistory = rules::kNumberMemoryHistoryFile;
const QString kSettings = rules::kNumberMemorySettingsFile;

QString entryLine(int day, int right, int wrong, const QString &secs)
{
    const int n = right + wrong;
    QString marks = QString(QStringLiteral("○")).repeated(right) + QString(QStringLiteral("×")).repeated(wrong)
                    + QString(QStringLiteral("－")).repeated(15 - n);
    return QStringLiteral("\"2026/11/%1\",\"10:00:00\",\"%2\",%3,%4,\"%5\",\"%6\"")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(marks)
        .arg(right)
        .arg(wrong)
        .arg(rules::correctRate(right, n), secs);
}

QStringList entries(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << entryLine(i, i % 8, 8 - i % 8, QStringLiteral("0.5秒"));
    return lines;
}

// A game window with no play of its own: the frame alone, from any description.
class TestGame : public GameFrame {
public:
    TestGame(AppContext &ctx, GameDescription d) : GameFrame(ctx, std::move(d)) { Form_Load(); }
    bool result = false;
    bool running = false;
    HistoryEntry entry;
    QList<std::function<void()>> steps;
    int boards = 0;
    int plays = 0;
    using GameFrame::setBusy;
    using GameFrame::startPlayClock;

protected:
    void prepareBoard() override { ++boards; }
    void beginPlay() override { ++plays; }
    bool hasResult() const override { return result; }
    bool playRunning() const override { return running || busy(); }
    HistoryEntry historyEntry(const QDateTime &) const override { return entry; }
    PlayRecord playRecord(const QDateTime &now) const override
    {
        PlayRecord r;
        r.date = now.date().toString(QStringLiteral("yyyy/MM/dd"));
        r.time = now.time().toString(QStringLiteral("HH:mm:ss"));
        r.item = description().itemName;
        r.seconds = 1;
        return r;
    }
    QList<std::function<void()>> bpSteps() override { return steps; }
};

TestGame *openTest(GameFixture &f, GameDescription d)
{
    auto *w = new TestGame(f.ctx, std::move(d));
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    return w;
}

QStringList headers(FlexGrid *g)
{
    QStringList h;
    for (int c = 0; c < g->cols(); ++c)
        h << g->textMatrix(0, c);
    return h;
}

QStringList column(FlexGrid *g, int c)
{
    QStringList v;
    for (int r = 1; r < g->rows(); ++r)
        v << g->textMatrix(r, c);
    return v;
}

} // namespace

class tst_GameFrame : public QObject {
    Q_OBJECT
private slots:
    void openingWithoutFilesUsesDefaults();
    void helpTextIsHandedToTheTourOnceShown();
    void choosingPointTwoRewritesTheSettingsLine();
    void settingsWrittenWithoutLeadingZeroAreRead();
    void gridScrollsOnlyPastSevenRows_data();
    void gridScrollsOnlyPastSevenRows();
    void gridShowsEntriesAsColumns();
    void filtersShowMatchingRowsNumberedAnew();
    void filterForDisplayTimeIsExactText();
    void viewButtonsDrawFromTheGrid();
    void saveBeforeAnyJudgedPlayWritesNothing();
    void saveIsRefusedDuringCountdownAndPlay();
    void clearCancelledChangesNothing();
    void clearEmptiesFileGridAndCharts();
    void toggleAutoSaveTwice();
    void countdownShowsThreePicturesThenBegins();
    void backShowsTheMainWindowAndGoes();
    void closingByTheFrameButtonGoesBackToo();
    void backDuringCountdownEndsIt();
    void bpStepsRunOnlyWhileBusyAndSurviveFailures();
    void playClockShowsElapsedSeconds();
    void unreadableHistoryIsReported();
    void everyGameCanBeDescribed_data();
    void everyGameCanBeDescribed();
    void iconConcentrationGridAndViews();
    void timeLagFiltersAndViews();
};

void tst_GameFrame::openingWithoutFilesUsesDefaults()
{
    GameFixture f;
    auto *w = f.open<frmG1>();
    WindowGuard g(w);

    QCOMPARE(w->objectName(), QStringLiteral("frmG1"));
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu")->currentText(), QStringLiteral("8"));
    QCOMPARE(w->findChild<QComboBox *>("cboJikan")->currentText(), QStringLiteral("0.5"));
    QCOMPARE(w->findChild<QComboBox *>("cboJikan")->count(), 32);
    QCOMPARE(w->findChild<QComboBox *>("cboJikan2")->count(), 32);
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu2")->count(), 15);
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu2")->currentText(), QString());
    // The save-mode logic ran: auto-save on, 保存 disabled, the file holds the three values.
    QVERIFY(w->chkAs()->isChecked());
    QCOMPARE(w->chkAs()->text(), QString());
    QCOMPARE(w->chkAs()->toolTip(), QStringLiteral("履歴の自動保存を制御します"));
    QVERIFY(!w->cmdHozon()->isEnabled());
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("8,0.5,1\r\n"));

    QCOMPARE(w->findChild<QLabel *>("lblByou")->text(), QStringLiteral("-----"));
    for (const char *name : {"lblMoji_T", "lblOk", "lblNg", "lblRitu", "lblJikan"})
        QCOMPARE(w->findChild<QLabel *>(name)->text(), QString());
    for (int i = 1; i <= 15; ++i) {
        QCOMPARE(w->lblMondai(i)->text(), QString());
        QVERIFY(w->txtKaitou(i)->isHidden());
    }
    QVERIFY(!w->findChild<QPushButton *>("cmdKekka")->isEnabled());
    QCOMPARE(w->cmdStart()->text(), QStringLiteral("スタート"));
    QCOMPARE(w->cmdEnd()->text(), QStringLiteral("戻り"));
    QCOMPARE(w->cmdClear()->text(), QStringLiteral("クリア"));
    QCOMPARE(w->cmdHozon()->text(), QStringLiteral("保存"));

    // An empty history: header only, the selected view 記憶数 on a chart with no points.
    QCOMPARE(w->msgRireki()->rows(), 1);
    QCOMPARE(headers(w->msgRireki()),
             (QStringList{"回", "日付", "時間", "成績詳細", "ＯＫ", "ＮＧ", "正解率", "秒"}));
    QCOMPARE(GameFrame::backColor(w->cmdAllDsp()), QColor(255, 255, 192));
    QCOMPARE(GameFrame::backColor(w->viewButton("cmdKaitou")), QColor(192, 255, 255));
    for (const char *b : {"cmdRitu", "cmdByou", "cmdPByou"})
        QCOMPARE(GameFrame::backColor(w->viewButton(b)), w->buttonFace());
    QVERIFY(!w->viewButton("cmdPByou")->isEnabled());
    QCOMPARE(w->viewButton("cmdKaitou")->text(), QStringLiteral("記憶数"));
    QCOMPARE(w->viewButton("cmdRitu")->text(), QStringLiteral("正解率"));
    QCOMPARE(w->viewButton("cmdByou")->text(), QStringLiteral("表示秒"));
    QCOMPARE(w->viewButton("cmdPByou")->text(), QStringLiteral("予備"));
    QVERIFY(!w->mcrRireki2()->isHidden());
    QVERIFY(w->mcrRireki()->isHidden());
    QCOMPARE(w->mcrRireki2()->rowCount(), 0);
    QCOMPARE(w->mcrRireki2()->seriesCount(), 2);

    QVERIFY(w->tmrStart()->interval() == 1000 && w->tmrBp()->interval() == 1000);
    QCOMPARE(w->tmrPlay()->interval(), 50);
    QVERIFY(!w->tmrPlay()->isActive());
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_GameFrame::helpTextIsHandedToTheTourOnceShown()
{
    GameFixture f;
    f.ctx.helpTourOn = 1;
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QVERIFY(f.messages.shown.isEmpty()); // not before the window is on screen
    w->show();
    QTRY_COMPARE(f.messages.shown.size(), 1);
    const ShownMessage &m = f.messages.shown.first();
    QCOMPARE(m.title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(m.text, QStringLiteral("このゲームは『数字記憶』です。\r\n\r\n"
                                    "指定した桁数の数字が指定秒数表示されますのでその間に記憶します｡ \r\n\r\n"
                                    "　※桁数（表示問題数）は１～１５桁まで設定できます。\r\n"
                                    "　※表示時間は0.2（瞬時）～３０秒まで設定できます。\r\n\r\n"
                                    "瞬間記憶やゆっくり記憶のトレーニングに。\r\n"));
    // Shown once only, not at every show.
    w->hide();
    w->show();
    QTest::qWait(20);
    QCOMPARE(f.messages.shown.size(), 1);
}

void tst_GameFrame::choosingPointTwoRewritesTheSettingsLine()
{
    GameFixture f;
    {
        auto *w = f.open<frmG1>();
        WindowGuard g(w);
        auto *box = w->findChild<QComboBox *>("cboJikan");
        box->setCurrentIndex(box->findText("0.2"));
        w->cboJikan_Click();
        QCOMPARE(f.dir.bytes(kSettings), QByteArray("8,0.2,1\r\n"));
        QCOMPARE(w->lblJikan()->text(), QStringLiteral("0.2"));
        auto *kaisu = w->findChild<QComboBox *>("cboKaisu");
        kaisu->setCurrentIndex(kaisu->findText("12"));
        w->cboKaisu_Click();
        QCOMPARE(f.dir.bytes(kSettings), QByteArray("12,0.2,1\r\n"));
        QCOMPARE(w->playDigits(), 12);
    }
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QCOMPARE(w->findChild<QComboBox *>("cboJikan")->currentText(), QStringLiteral("0.2"));
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu")->currentText(), QStringLiteral("12"));
}

void tst_GameFrame::settingsWrittenWithoutLeadingZeroAreRead()
{
    GameFixture f;
    f.dir.write(kSettings, "3,.2,0\r\n");
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QCOMPARE(w->findChild<QComboBox *>("cboJikan")->currentText(), QStringLiteral("0.2"));
    QCOMPARE(w->findChild<QComboBox *>("cboKaisu")->currentText(), QStringLiteral("3"));
    QVERIFY(!w->chkAs()->isChecked());
    QCOMPARE(w->chkAs()->text(), QStringLiteral("手動保存モード"));
    QVERIFY(w->cmdHozon()->isEnabled());
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("3,0.2,0\r\n"));
}

void tst_GameFrame::gridScrollsOnlyPastSevenRows_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("topRow");
    QTest::newRow("6 entries do not scroll") << 6 << 1;
    QTest::newRow("7 entries: the last is on top") << 7 << 7;
    QTest::newRow("30 entries: the last is on top") << 30 << 30;
}

void tst_GameFrame::gridScrollsOnlyPastSevenRows()
{
    QFETCH(int, count);
    QFETCH(int, topRow);
    GameFixture f;
    f.dir.write(kHistory, historyBytes(entries(count)));
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    w->resize(1000, 700);
    w->show();
    QCOMPARE(w->msgRireki()->rows(), count + 1);
    QCOMPARE(w->msgRireki()->topRow(), topRow);
    QCOMPARE(w->mcrRireki2()->rowCount(), count);
}

void tst_GameFrame::gridShowsEntriesAsColumns()
{
    GameFixture f;
    f.dir.write(kHistory, historyBytes({entryLine(7, 6, 2, "0.5秒"), entryLine(8, 1, 0, "12秒")}));
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    FlexGrid *grid = w->msgRireki();
    QCOMPARE(grid->rows(), 3);
    QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("26/11/07"));
    QCOMPARE(grid->textMatrix(1, 2), QStringLiteral("10:00:00"));
    QCOMPARE(grid->textMatrix(1, 3), QStringLiteral("○○○○○○××－－－－－－－"));
    QCOMPARE(grid->textMatrix(1, 4), QStringLiteral("6"));
    QCOMPARE(grid->textMatrix(1, 5), QStringLiteral("2"));
    QCOMPARE(grid->textMatrix(1, 6), QStringLiteral("75.0%"));
    QCOMPARE(grid->textMatrix(1, 7), QStringLiteral("0.5秒"));
    QCOMPARE(grid->textMatrix(2, 0), QStringLiteral("2"));
    QCOMPARE(grid->textMatrix(2, 7), QStringLiteral("12秒"));
    QCOMPARE(grid->colWidth(3), 3500);
    QCOMPARE(grid->colWidth(0), 475);
    QCOMPARE(grid->colAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(grid->colAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(grid->colAlignment(4) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

void tst_GameFrame::filtersShowMatchingRowsNumberedAnew()
{
    GameFixture f;
    f.dir.write(kHistory, historyBytes({entryLine(1, 6, 2, "0.5秒"), entryLine(2, 3, 0, "1秒"),
                                        entryLine(3, 8, 0, "1秒"), entryLine(4, 2, 1, "0.5秒"),
                                        entryLine(5, 0, 8, "10秒")}));
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    auto *kaisu2 = w->findChild<QComboBox *>("cboKaisu2");
    auto *jikan2 = w->findChild<QComboBox *>("cboJikan2");

    kaisu2->setCurrentIndex(kaisu2->findText("8"));
    w->cboKaisu2_Click();
    QCOMPARE(column(w->msgRireki(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(column(w->msgRireki(), 1), (QStringList{"26/11/01", "26/11/03", "26/11/05"}));
    QCOMPARE(GameFrame::backColor(w->cmdAllDsp()), w->buttonFace());
    QCOMPARE(w->mcrRireki2()->rowCount(), 3); // the chart follows the filter
    QCOMPARE(w->mcrRireki2()->value(2, 1), 8.0);

    jikan2->setCurrentIndex(jikan2->findText("1"));
    w->cboJikan2_Click();
    QCOMPARE(kaisu2->currentText(), QString()); // the other filter is emptied
    QCOMPARE(column(w->msgRireki(), 1), (QStringList{"26/11/02", "26/11/03"}));
    QCOMPARE(column(w->msgRireki(), 0), (QStringList{"1", "2"}));

    kaisu2->setCurrentIndex(kaisu2->findText("3"));
    w->cboKaisu2_Click();
    QCOMPARE(jikan2->currentText(), QString());
    QCOMPARE(column(w->msgRireki(), 1), (QStringList{"26/11/02", "26/11/04"}));

    w->cmdAllDsp_Click();
    QCOMPARE(w->msgRireki()->rows(), 6);
    QCOMPARE(kaisu2->currentText(), QString());
    QCOMPARE(GameFrame::backColor(w->cmdAllDsp()), QColor(255, 255, 192));
}

void tst_GameFrame::filterForDisplayTimeIsExactText()
{
    GameFixture f;
    f.dir.write(kHistory, historyBytes({entryLine(1, 1, 0, "1秒"), entryLine(2, 1, 0, "10秒"),
                                        entryLine(3, 1, 0, "0.1秒"), entryLine(4, 1, 0, "1.0秒")}));
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    auto *jikan2 = w->findChild<QComboBox *>("cboJikan2");
    jikan2->setCurrentIndex(jikan2->findText("1"));
    w->cboJikan2_Click();
    QCOMPARE(column(w->msgRireki(), 7), QStringList{"1秒"});
}

void tst_GameFrame::viewButtonsDrawFromTheGrid()
{
    GameFixture f;
    f.dir.write(kHistory, historyBytes({entryLine(1, 6, 2, "0.5秒"), entryLine(2, 3, 0, "12秒")}));
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QCOMPARE(w->mcrRireki2()->value(0, 0), 6.0);
    QCOMPARE(w->mcrRireki2()->value(0, 1), 2.0);

    w->cmdRitu_Click();
    QVERIFY(w->mcrRireki2()->isHidden());
    QVERIFY(!w->mcrRireki()->isHidden());
    QCOMPARE(w->mcrRireki()->rowCount(), 2);
    QCOMPARE(w->mcrRireki()->value(0), 75.0);
    QCOMPARE(w->mcrRireki()->value(1), 100.0);
    QCOMPARE(GameFrame::backColor(w->viewButton("cmdRitu")), QColor(192, 255, 255));
    QCOMPARE(GameFrame::backColor(w->viewButton("cmdKaitou")), w->buttonFace());

    w->cmdByou_Click();
    QCOMPARE(w->mcrRireki()->value(0), 0.5);
    QCOMPARE(w->mcrRireki()->value(1), 12.0);

    // The spare button draws nothing and keeps the selection.
    w->cmdPByou_Click();
    QCOMPARE(GameFrame::backColor(w->viewButton("cmdByou")), QColor(192, 255, 255));

    // The selected view is redrawn after a filter.
    auto *kaisu2 = w->findChild<QComboBox *>("cboKaisu2");
    kaisu2->setCurrentIndex(kaisu2->findText("3"));
    w->cboKaisu2_Click();
    QCOMPARE(w->mcrRireki()->rowCount(), 1);
    QCOMPARE(w->mcrRireki()->value(0), 12.0);
}

void tst_GameFrame::saveBeforeAnyJudgedPlayWritesNothing()
{
    GameFixture f;
    f.dir.write(kSettings, "8,0.5,0\r\n");
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QVERIFY(w->cmdHozon()->isEnabled());
    w->cmdHozon_Click();
    QVERIFY(!f.dir.exists(kHistory));
    QVERIFY(!f.dir.exists(QStringLiteral("データ.txt")));
    QCOMPARE(w->msgRireki()->rows(), 1);
}

void tst_GameFrame::saveIsRefusedDuringCountdownAndPlay()
{
    GameFixture f;
    auto *w = openTest(f, numberMemoryDescription());
    WindowGuard g(w);
    w->result = true;
    w->entry = HistoryEntry({"2026/12/07", "14:05:33", "○", "1", "0", "100.0%", "1秒"});

    w->cmdStart_Click();
    QVERIFY(w->countdownRunning());
    w->cmdHozon_Click();
    QVERIFY(!f.dir.exists(kHistory));
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    QVERIFY(!w->countdownRunning());

    w->running = true;
    w->cmdHozon_Click();
    QVERIFY(!f.dir.exists(kHistory));

    w->running = false;
    w->cmdHozon_Click();
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), 1);
    // Saving does not reset the result: a second press saves the same play again.
    w->cmdHozon_Click();
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), 2);
    QCOMPARE(column(w->msgRireki(), 0), (QStringList{"1", "2"}));
    QCOMPARE(readPlayLog().records.size(), 2);
}

void tst_GameFrame::clearCancelledChangesNothing()
{
    GameFixture f;
    const QByteArray before = historyBytes(entries(3));
    f.dir.write(kHistory, before);
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    f.messages.answerNext(MsgAnswer::Cancel);
    w->cmdClear_Click();
    QCOMPARE(f.messages.shown.size(), 1);
    const ShownMessage &q = f.messages.shown.first();
    QCOMPARE(q.text, QStringLiteral("履歴データをクリアします。よろしいですか？"));
    QCOMPARE(q.title, QStringLiteral("クリア確認"));
    QCOMPARE(q.buttons, MsgButtons::OkCancel);
    QCOMPARE(q.icon, MsgIcon::Warning);
    QCOMPARE(f.dir.bytes(kHistory), before);
    QCOMPARE(w->msgRireki()->rows(), 4);
    QCOMPARE(w->mcrRireki2()->rowCount(), 3);
}

void tst_GameFrame::clearEmptiesFileGridAndCharts()
{
    GameFixture f;
    f.dir.write(kHistory, historyBytes(entries(3)));
    f.dir.write(QStringLiteral("データ.txt"), "x\r\n");
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    w->cmdRitu_Click();
    f.messages.answerNext(MsgAnswer::Ok);
    w->cmdClear_Click();
    QCOMPARE(f.messages.shown.size(), 2);
    const ShownMessage &done = f.messages.shown.at(1);
    QCOMPARE(done.text, QStringLiteral("履歴データをクリアしました"));
    QCOMPARE(done.title, QStringLiteral("クリア終了"));
    QCOMPARE(done.buttons, MsgButtons::Ok);
    QCOMPARE(done.icon, MsgIcon::Information);
    QVERIFY(f.dir.exists(kHistory));
    QCOMPARE(f.dir.bytes(kHistory), QByteArray());
    QCOMPARE(w->msgRireki()->rows(), 1);
    QCOMPARE(w->mcrRireki()->rowCount(), 0);
    QCOMPARE(w->mcrRireki2()->rowCount(), 0);
    QCOMPARE(f.dir.bytes(QStringLiteral("データ.txt")), QByteArray("x\r\n")); // the play log is not touched
}

void tst_GameFrame::toggleAutoSaveTwice()
{
    GameFixture f;
    f.dir.write(kSettings, "5,2,1\r\n");
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QVERIFY(w->chkAs()->isChecked());
    QVERIFY(!w->cmdHozon()->isEnabled());

    w->chkAs()->setChecked(false);
    w->chkAs_Click();
    QVERIFY(w->cmdHozon()->isEnabled());
    QCOMPARE(w->chkAs()->text(), QStringLiteral("手動保存モード"));
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("5,2,0\r\n"));

    w->chkAs()->setChecked(true);
    w->chkAs_Click();
    QVERIFY(!w->cmdHozon()->isEnabled());
    QCOMPARE(w->chkAs()->text(), QString());
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("5,2,1\r\n"));

    // The user's click goes through the same handler.
    w->show();
    QTest::mouseClick(w->chkAs(), Qt::LeftButton, {}, QPoint(6, w->chkAs()->height() / 2));
    QVERIFY(!w->chkAs()->isChecked());
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("5,2,0\r\n"));
}

void tst_GameFrame::countdownShowsThreePicturesThenBegins()
{
    GameFixture f;
    auto *w = openTest(f, numberMemoryDescription());
    WindowGuard g(w);
    auto shown = [w] {
        QList<int> s;
        for (int i = 1; i <= 3; ++i)
            if (!w->imgStart(i)->isHidden())
                s << i;
        return s;
    };
    // A tick with no countdown does nothing but keep the counter at 0.
    w->tmrStart_Timer();
    QCOMPARE(w->countdownTick(), 0);
    QCOMPARE(shown(), QList<int>{});

    w->cmdStart_Click();
    QCOMPARE(w->boards, 1);
    QVERIFY(!w->cmdStart()->isEnabled());
    w->tmrStart_Timer();
    QCOMPARE(shown(), QList<int>{1});
    QCOMPARE(w->plays, 0);
    w->tmrStart_Timer();
    QCOMPARE(shown(), QList<int>{2});
    QCOMPARE(w->plays, 0);
    w->tmrStart_Timer();
    QCOMPARE(shown(), QList<int>{3});
    QCOMPARE(w->plays, 1);
    QVERIFY(!w->countdownRunning());
    w->tmrStart_Timer();
    QCOMPARE(w->countdownTick(), 0);
    QCOMPARE(w->plays, 1);
    QCOMPARE(w->imgStart(1)->pixmap().isNull(), false);
}

void tst_GameFrame::backShowsTheMainWindowAndGoes()
{
    GameFixture f;
    QPointer<frmG1> w = f.open<frmG1>();
    w->show();
    QTest::mouseClick(w->cmdEnd(), Qt::LeftButton);
    QCOMPARE(f.navigator.mains, 1);
    QTRY_VERIFY(w.isNull());
    QCOMPARE(f.navigator.mains, 1);
}

void tst_GameFrame::closingByTheFrameButtonGoesBackToo()
{
    GameFixture f;
    QPointer<frmG1> w = f.open<frmG1>();
    w->show();
    w->close();
    QCOMPARE(f.navigator.mains, 1);
    QTRY_VERIFY(w.isNull());
}

void tst_GameFrame::backDuringCountdownEndsIt()
{
    GameFixture f;
    QPointer<TestGame> w = openTest(f, numberMemoryDescription());
    w->show();
    w->cmdStart_Click();
    w->tmrStart_Timer();
    const int wakes = f.clock.wakes();
    w->cmdEnd_Click();
    QVERIFY(f.clock.wakes() > wakes);
    QCOMPARE(f.navigator.mains, 1);
    if (w) {
        QVERIFY(!w->countdownRunning());
        QVERIFY(!w->tmrStart()->isActive());
        w->tmrStart_Timer(); // a late tick does not begin the play
        QCOMPARE(w->plays, 0);
    }
    QTRY_VERIFY(w.isNull());
}

void tst_GameFrame::bpStepsRunOnlyWhileBusyAndSurviveFailures()
{
    GameFixture f;
    auto *w = openTest(f, numberMemoryDescription());
    WindowGuard g(w);
    QStringList ran;
    w->steps = {[&] { ran << "bar"; }, [&] {
                    ran << "fails";
                    throw std::runtime_error("step failed");
                },
                [&] { ran << "time-out"; }};
    w->tmrBp_Timer();
    QVERIFY(ran.isEmpty());
    w->setBusy(true);
    w->tmrBp_Timer();
    QCOMPARE(ran, (QStringList{"bar", "fails", "time-out"}));
    // A step that clears the busy flag stops the rest.
    ran.clear();
    w->steps = {[&] {
                    ran << "finish";
                    w->setBusy(false);
                },
                [&] { ran << "after"; }};
    w->tmrBp_Timer();
    QCOMPARE(ran, QStringList{"finish"});
}

void tst_GameFrame::playClockShowsElapsedSeconds()
{
    GameFixture f;
    auto *w = openTest(f, trackingDescription());
    WindowGuard g(w);
    QCOMPARE(w->tmrPlay()->interval(), 100);
    QVERIFY(!w->tmrPlay()->isActive());
    w->startPlayClock();
    QVERIFY(w->tmrPlay()->isActive());
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("0.0"));
    f.clock.advanceMs(1249);
    w->tmrPlay_Timer();
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("1.2"));
    f.clock.advanceMs(86400 * 1000.0); // past midnight the count goes on
    w->tmrPlay_Timer();
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("86401.2"));
}

void tst_GameFrame::unreadableHistoryIsReported()
{
    GameFixture f;
    f.dir.write(kHistory, QByteArray("\"2026/11/01\",\"10:00:00\",\"\x81\xff\",1,0,\"100.0%\",\"1\x95\x62\"\r\n"));
    auto *w = f.open<frmG1>();
    WindowGuard g(w);
    QCOMPARE(w->msgRireki()->rows(), 2); // the entry is still shown
    QVERIFY(f.messages.shown.isEmpty()); // told once the window is on screen
    w->show();
    QTRY_COMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(kHistory));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    w->cmdAllDsp_Click(); // told once, not at every refill
    QCOMPARE(f.messages.shown.size(), 1);
}

void tst_GameFrame::everyGameCanBeDescribed_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("settingsFile");
    QTest::addColumn<int>("settingsValues");
    QTest::addColumn<QString>("historyFile");
    QTest::addColumn<int>("historyFields");
    QTest::addColumn<int>("gridColumns");
    QTest::addColumn<QStringList>("filters");
    QTest::addColumn<int>("timerMs");
    QTest::newRow("frmG1") << 1 << "数字記憶" << "数字記憶設定.txt" << 3 << "数字記憶履歴.txt" << 7 << 8
                           << QStringList{"cboKaisu2", "cboJikan2"} << 50;
    QTest::newRow("frmG6") << 6 << "画像記憶" << "画像記憶設定.txt" << 5 << "画像記憶履歴.txt" << 7 << 8
                           << QStringList{"cboKaisu2", "cboJikan2"} << 50;
    QTest::newRow("frmG2") << 2 << "アイコン衰弱" << "アイコン衰弱設定.txt" << 5 << "アイコン衰弱履歴.txt" << 8 << 9
                           << QStringList{"cboMondai2"} << 50;
    QTest::newRow("frmG5") << 5 << "追跡記憶" << "追跡記憶設定.txt" << 3 << "追跡記憶履歴.txt" << 7 << 8
                           << QStringList{"cboJikan2"} << 100;
    QTest::newRow("frmG3") << 3 << "時間差記憶" << "時間差設定.txt" << 5 << "時間差履歴.txt" << 10 << 11
                           << QStringList{"cboJikan2", "cboKaisu2", "cboMode2"} << 50;
    QTest::newRow("frmG4") << 4 << "輪廻記憶" << "輪廻設定.txt" << 4 << "輪廻記憶履歴.txt" << 10 << 11
                           << QStringList{"cboJikan2", "cboKaisu2"} << 50;
    QTest::newRow("frmG7") << 7 << "バラバラ記憶" << "バラバラ記憶設定.txt" << 5 << "バラバラ記憶履歴.txt" << 9 << 10
                           << QStringList{"cboJikan2", "cboKaisu2"} << 100;
}

void tst_GameFrame::everyGameCanBeDescribed()
{
    QFETCH(int, window);
    QFETCH(QString, item);
    QFETCH(QString, settingsFile);
    QFETCH(int, settingsValues);
    QFETCH(QString, historyFile);
    QFETCH(int, historyFields);
    QFETCH(int, gridColumns);
    QFETCH(QStringList, filters);
    QFETCH(int, timerMs);

    const GameDescription d = gameDescription(window);
    QCOMPARE(d.windowName, QStringLiteral("frmG%1").arg(window));
    QCOMPARE(d.itemName, item);
    QVERIFY(itemNames().contains(d.itemName));
    QCOMPARE(d.settings.fileName, settingsFile);
    QCOMPARE(d.settings.fields.size(), settingsValues);
    QCOMPARE(d.history.fileName, historyFile);
    QCOMPARE(d.history.fieldCount(), historyFields);
    QVERIFY(historyFileNames().contains(historyFile, Qt::CaseInsensitive));
    QCOMPARE(d.columns.size(), gridColumns);
    QVERIFY(d.helpText.startsWith(QStringLiteral("このゲームは『")));
    QCOMPARE(d.helpText.section(QStringLiteral("\r\n"), 1, 1), QString()); // an empty line follows

    GameFixture f;
    auto *w = openTest(f, d);
    WindowGuard g(w);
    QCOMPARE(w->msgRireki()->cols(), gridColumns);
    QStringList boxes;
    for (const FilterBox &fb : d.filters) {
        QVERIFY(w->filterBox(fb.objectName));
        boxes << fb.objectName;
    }
    QCOMPARE(boxes, filters);
    for (const ViewButton &v : d.views)
        QCOMPARE(w->viewButton(v.objectName)->text(), v.caption);
    for (const QString &name : d.refreshOrder)
        QVERIFY(w->viewButton(name));
    QCOMPARE(w->tmrPlay()->interval(), timerMs);
    QCOMPARE(f.dir.bytes(settingsFile), sjis(GameSettings(d.settings).line() + "\r\n"));
    // The auto-save flag of every settings line is the check box.
    QVERIFY(d.autoSaveSetting >= 0 && d.autoSaveSetting < settingsValues);
}

void tst_GameFrame::iconConcentrationGridAndViews()
{
    GameFixture f;
    const GameDescription d = iconConcentrationDescription();
    f.dir.write(d.history.fileName, sjisLines({"\"2026/12/01\",\"09:00:00\",\"ノーマル\",\"○\",\"25回\",\"34.5\",\"○\",",
                                               "\"2026/12/02\",\"09:30:00\",\"ハード\",,\"40回\",\"80.1\",,\"○\"",
                                               "\"2026/12/03\",\"10:00:00\",\"ノーマル\",,\"22回\",\"30.2\",\"○\",\"○\""}));
    auto *w = openTest(f, d);
    WindowGuard g(w);
    FlexGrid *grid = w->msgRireki();
    QCOMPARE(headers(grid),
             (QStringList{"回", "日付", "時間", "レベル", "名表示", "ターン", "クリア", "回記録", "秒記録"}));
    const QList<int> widths{620, 1400, 1100, 1000, 810, 900, 900, 850, 850};
    for (int c = 0; c < widths.size(); ++c)
        QCOMPARE(grid->colWidth(c), widths.at(c));
    QCOMPARE(grid->colAlignment(3) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    for (int c : {1, 2, 4, 7, 8})
        QCOMPARE(grid->colAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (int c : {0, 5, 6})
        QCOMPARE(grid->colAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("2026/12/01")); // the date as stored
    QCOMPARE(grid->textMatrix(2, 4), QString());
    QCOMPARE(grid->textMatrix(2, 8), QStringLiteral("○"));

    // ターン数: mcrRireki2 with one series, the leading number of the turns.
    QVERIFY(!w->mcrRireki2()->isHidden());
    QCOMPARE(w->mcrRireki2()->seriesCount(), 1);
    QCOMPARE(w->mcrRireki2()->value(0), 25.0);
    QCOMPARE(w->mcrRireki2()->value(1), 40.0);
    w->cmdJisyo_Click();
    QCOMPARE(w->mcrRireki()->value(1), 80.1);
    QCOMPARE(w->viewButton("cmdJisyo")->text(), QStringLiteral("秒数"));

    // The level filter; 全部表示 stays light yellow in this window.
    auto *mondai2 = w->filterBox("cboMondai2");
    QCOMPARE(mondai2->count(), 4);
    mondai2->setCurrentIndex(mondai2->findText("ノーマル"));
    w->cboMondai2_Click();
    QCOMPARE(column(grid, 0), (QStringList{"1", "2"}));
    QCOMPARE(column(grid, 6), (QStringList{"34.5", "30.2"}));
    QCOMPARE(GameFrame::backColor(w->cmdAllDsp()), QColor(255, 255, 192));
    QCOMPARE(w->mcrRireki()->rowCount(), 2);

    // Its panel has a compact and a tall size.
    QVERIFY(!w->panelTall());
    w->setPanelTall(true);
    QVERIFY(w->panelTall());
    QVERIFY(w->findChild<QWidget *>("fraGame")->isHidden());
    w->cmdStart_Click();
    QVERIFY(!w->panelTall());

    // A saved entry keeps its empty fields empty.
    w->result = true;
    w->entry = HistoryEntry({"2026/12/07", "14:05:33", "イージー", "", "30回", "12.0", "", ""});
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    w->cmdHozon_Click();
    QVERIFY(f.dir.bytes(d.history.fileName).endsWith(sjis("\"2026/12/07\",\"14:05:33\",\"イージー\",,\"30回\",\"12.0\",,\r\n")));
    QCOMPARE(grid->textMatrix(grid->rows() - 1, 0), QStringLiteral("3"));
}

void tst_GameFrame::timeLagFiltersAndViews()
{
    GameFixture f;
    const GameDescription d = timeLagDescription();
    f.dir.write(d.history.fileName,
                sjisLines({"\"2026/12/01\",\"09:00:00\",18,15,3,62,\"83.3%\",\"1.03/秒\",\"60秒\",\"2\"",
                           "\"2026/12/02\",\"09:00:00\",20,20,0,70,\"100.0%\",\"1.71/秒\",\"41.3秒\",\"1\"",
                           "\"2026/12/03\",\"09:00:00\",20,19,1,66,\"95.0%\",\"1.10/秒\",\"60秒\",\"1\""}));
    auto *w = openTest(f, d);
    WindowGuard g(w);
    FlexGrid *grid = w->msgRireki();
    QCOMPARE(grid->fontSize(), 11.0);
    QCOMPARE(headers(grid), (QStringList{"回", "日付", "時間", "答数", "ＯＫ", "ＮＧ", "字数", "正解率", "秒当たり",
                                        "秒数", "Ｍ"}));
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("2026/12/01"));
    QCOMPARE(grid->colAlignment(10) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    QComboBox *jikan2 = w->filterBox("cboJikan2");
    QComboBox *kaisu2 = w->filterBox("cboKaisu2");
    QComboBox *mode2 = w->filterBox("cboMode2");
    QCOMPARE(jikan2->count(), 35);
    QCOMPARE(jikan2->itemText(34), QStringLiteral("180"));
    QCOMPARE(kaisu2->count(), 100);
    QCOMPARE(mode2->count(), 2);
    QCOMPARE(mode2->currentText(), QString());

    jikan2->setCurrentIndex(jikan2->findText("60"));
    w->cboJikan2_Click();
    QCOMPARE(column(grid, 1), (QStringList{"2026/12/01", "2026/12/03"}));
    kaisu2->setCurrentIndex(kaisu2->findText("20"));
    w->cboKaisu2_Click();
    QCOMPARE(jikan2->currentText(), QString());
    QCOMPARE(column(grid, 1), (QStringList{"2026/12/02", "2026/12/03"}));
    jikan2->setCurrentIndex(jikan2->findText("60"));
    mode2->setCurrentIndex(mode2->findText("1回"));
    w->cboMode2_Click();
    QCOMPARE(jikan2->currentText(), QString());
    QCOMPARE(kaisu2->currentText(), QString());
    QCOMPARE(column(grid, 10), (QStringList{"1", "1"}));
    // 全部表示 does not empty the lag filter.
    kaisu2->setCurrentIndex(kaisu2->findText("18"));
    w->cmdAllDsp_Click();
    QCOMPARE(grid->rows(), 4);
    QCOMPARE(kaisu2->currentText(), QString());
    QCOMPARE(mode2->currentText(), QStringLiteral("1回"));

    // Six view buttons; 予備 is disabled; each draws its column.
    QStringList captions;
    for (const char *b : {"cmdKaitou", "cmdPByou", "cmdRitu", "cmdByou", "cmdMoji", "cmdJisyo"})
        captions << w->viewButton(b)->text();
    QCOMPARE(captions, (QStringList{"答数", "秒数", "正解率", "秒当たり", "字数", "予備"}));
    QVERIFY(!w->viewButton("cmdJisyo")->isEnabled());
    QCOMPARE(w->mcrRireki2()->value(0, 0), 15.0);
    w->cmdPByou_Click();
    QCOMPARE(w->mcrRireki()->value(1), 41.3);
    w->cmdByou_Click();
    QCOMPARE(w->mcrRireki()->value(0), 1.03);
    w->cmdMoji_Click();
    QCOMPARE(w->mcrRireki()->value(2), 66.0);
    w->cmdRitu_Click();
    QCOMPARE(w->mcrRireki()->value(0), 83.3);
    QCOMPARE(GameFrame::backColor(w->viewButton("cmdRitu")), QColor(192, 255, 255));
    for (const char *b : {"cmdKaitou", "cmdPByou", "cmdByou", "cmdMoji", "cmdJisyo"})
        QCOMPARE(GameFrame::backColor(w->viewButton(b)), w->buttonFace());
}

QTEST_MAIN(tst_GameFrame)
#include "tst_gameframe.moc"
