// The history part of the frame every game window shares, seen on the
// number-memory window and on plain test windows: its grid, filters and views,
// saving by hand, clearing (the copy made first), auto-save, the panel that
// grows over the play area, and a history that cannot be read.
#include "core/backup.h"
#include "core/datafolder.h"
#include "core/game/history.h"
#include "core/rules/numbermemory.h"
#include "core/settings.h"
#include "frametestgame.h"
#include "gamefixture.h"
#include "games/frame/gamedescription.h"
#include "games/visual/numbermemorywindow.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace kioku;

namespace {

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

QByteArray entries(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << entryLine(i, i % 8, 8 - i % 8, QStringLiteral("0.5秒"));
    return sjisLines(lines);
}

} // namespace

class tst_GameFrameHistory : public QObject {
    Q_OBJECT
private slots:
    void gridScrollsOnlyPastSevenRows_data();
    void gridScrollsOnlyPastSevenRows();
    void gridShowsEntriesAsStored();
    void filtersShowMatchingRowsNumberedAnew();
    void viewButtonsDrawFromTheGrid();
    void saveNeedsAJudgedPlayOutsideCountdownAndPlay();
    void clearAsksFirstAndEmptiesFileGridAndCharts();
    void clearCopiesTheHistoryFirst_data();
    void clearCopiesTheHistoryFirst();
    void toggleAutoSaveTwice();
    void unreadableHistoryIsReported();
    void onlyThePlayersViewGrowsThePanel();
    void historyPanelFollowsClicks_data();
    void historyPanelFollowsClicks();
};

void tst_GameFrameHistory::gridScrollsOnlyPastSevenRows_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("6 entries do not scroll") << 6 << false;
    QTest::newRow("7 entries: the last page") << 7 << true;
    QTest::newRow("30 entries: the last page") << 30 << true;
}

void tst_GameFrameHistory::gridScrollsOnlyPastSevenRows()
{
    QFETCH(int, count);
    QFETCH(bool, scrolls);
    GameFixture f;
    f.dir.write(kHistory, entries(count));
    auto *w = f.open<NumberMemoryWindow>();
    w->resize(1000, 700);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->msgRireki()->rows(), count + 1);
    if (scrolls)
        QVERIFY(showsLastPage(w->msgRireki()));
    else
        QCOMPARE(w->msgRireki()->topRow(), 1);
    QCOMPARE(w->mcrRireki2()->rowCount(), count);
}

void tst_GameFrameHistory::gridShowsEntriesAsStored()
{
    GameFixture f;
    f.dir.write(kHistory, sjisLines({entryLine(7, 6, 2, "0.5秒"), entryLine(8, 1, 0, "12秒")}));
    auto *w = f.open<NumberMemoryWindow>();
    QCOMPARE(gridRow(w->msgRireki(), 1),
             (QStringList{"1", "26/11/07", "10:00:00", "○○○○○○××－－－－－－－", "6", "2", "75.0%", "0.5秒"}));
    QCOMPARE(gridRow(w->msgRireki(), 2).mid(6), (QStringList{"100.0%", "12秒"}));
}

void tst_GameFrameHistory::filtersShowMatchingRowsNumberedAnew()
{
    GameFixture f;
    f.dir.write(kHistory,
                sjisLines({entryLine(1, 6, 2, "0.5秒"), entryLine(2, 3, 0, "1秒"), entryLine(3, 8, 0, "1秒"),
                           entryLine(4, 2, 1, "0.1秒"), entryLine(5, 0, 8, "10秒")}));
    auto *w = f.open<NumberMemoryWindow>();
    pick(box(w, "cboKaisu2"), "8");
    w->cboKaisu2_Click();
    QCOMPARE(columnTexts(*w->msgRireki(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(columnTexts(*w->msgRireki(), 1), (QStringList{"26/11/01", "26/11/03", "26/11/05"}));
    QCOMPARE(backColor(w->cmdAllDsp()), w->buttonFace());
    QCOMPARE(w->mcrRireki2()->rowCount(), 3); // the chart follows the filter
    QCOMPARE(w->mcrRireki2()->value(2, 1), 8.0);

    // One filter at a time: choosing the display time empties the count filter.
    // The time is matched as the whole text: 1 is neither 0.1秒 nor 10秒.
    pick(box(w, "cboJikan2"), "1");
    w->cboJikan2_Click();
    QCOMPARE(box(w, "cboKaisu2")->currentText(), QString());
    QCOMPARE(columnTexts(*w->msgRireki(), 1), (QStringList{"26/11/02", "26/11/03"}));

    w->cmdAllDsp_Click();
    QCOMPARE(w->msgRireki()->rows(), 6);
    QCOMPARE(box(w, "cboJikan2")->currentText(), QString());
    QCOMPARE(backColor(w->cmdAllDsp()), kLightYellow);
}

void tst_GameFrameHistory::viewButtonsDrawFromTheGrid()
{
    GameFixture f;
    f.dir.write(kHistory, sjisLines({entryLine(1, 6, 2, "0.5秒"), entryLine(2, 3, 0, "12秒")}));
    auto *w = f.open<NumberMemoryWindow>();
    QCOMPARE(w->mcrRireki2()->value(0, 0), 6.0);
    QCOMPARE(w->mcrRireki2()->value(0, 1), 2.0);

    w->cmdRitu_Click();
    QVERIFY(w->mcrRireki2()->isHidden());
    QVERIFY(!w->mcrRireki()->isHidden());
    QCOMPARE(w->mcrRireki()->value(0), 75.0);
    QCOMPARE(w->mcrRireki()->value(1), 100.0);
    QCOMPARE(backColor(w->viewButton("cmdRitu")), kLightCyan);
    QCOMPARE(backColor(w->viewButton("cmdKaitou")), w->buttonFace());

    w->cmdByou_Click();
    QCOMPARE(w->mcrRireki()->value(1), 12.0);

    // The selected view is redrawn after a filter.
    pick(box(w, "cboKaisu2"), "3");
    w->cboKaisu2_Click();
    QCOMPARE(w->mcrRireki()->rowCount(), 1);
    QCOMPARE(w->mcrRireki()->value(0), 12.0);
}

void tst_GameFrameHistory::saveNeedsAJudgedPlayOutsideCountdownAndPlay()
{
    GameFixture f;
    f.dir.write(kSettings, "8,0.5,0\r\n");
    auto *w = f.open<TestGame>(numberMemoryDescription());
    // Before any play is judged 保存 writes nothing to either file.
    QVERIFY(w->cmdHozon()->isEnabled());
    w->cmdHozon_Click();
    QVERIFY(!f.dir.exists(kHistory));
    QVERIFY(!f.dir.exists(QStringLiteral("データ.txt")));

    w->hasResult = true;
    w->entry = HistoryEntry({"2026/12/07", "14:05:33", "○", "1", "0", "100.0%", "1秒"});
    w->cmdStart_Click();
    w->cmdHozon_Click(); // during the countdown
    QVERIFY(!f.dir.exists(kHistory));
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    QCOMPARE(w->playState(), GameFrame::PlayState::Showing);
    w->cmdHozon_Click();
    w->setPlayState(GameFrame::PlayState::Answering);
    w->cmdHozon_Click();
    QVERIFY(!f.dir.exists(kHistory));

    // スタート over a running play starts nothing.
    w->cmdStart_Click();
    QCOMPARE(w->playState(), GameFrame::PlayState::Answering);

    w->setPlayState(GameFrame::PlayState::Finished);
    w->cmdHozon_Click();
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), 1);
    QCOMPARE(readPlayLog().records.size(), 1);
    QCOMPARE(w->msgRireki()->rows(), 2);
}

void tst_GameFrameHistory::clearAsksFirstAndEmptiesFileGridAndCharts()
{
    GameFixture f;
    const QByteArray before = entries(3);
    f.dir.write(kHistory, before);
    f.dir.write(QStringLiteral("データ.txt"), "x\r\n");
    auto *w = f.open<NumberMemoryWindow>();
    w->cmdRitu_Click();

    // Cancel leaves file, grid and chart as they were.
    f.messages.answerNext(MsgAnswer::Cancel);
    w->cmdClear_Click();
    QCOMPARE(f.messages.shown.size(), 1);
    const ShownMessage q = f.messages.shown.first();
    QCOMPARE(q.text, QStringLiteral("履歴データをクリアします。よろしいですか？"));
    QCOMPARE(q.title, QStringLiteral("クリア確認"));
    QCOMPARE(q.buttons, MsgButtons::OkCancel);
    QCOMPARE(q.icon, MsgIcon::Warning);
    QCOMPARE(f.dir.bytes(kHistory), before);
    QCOMPARE(w->msgRireki()->rows(), 4);
    QCOMPARE(w->mcrRireki()->rowCount(), 3);

    w->cmdClear_Click();
    QCOMPARE(f.messages.shown.size(), 3);
    const ShownMessage done = f.messages.shown.at(2);
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

void tst_GameFrameHistory::clearCopiesTheHistoryFirst_data()
{
    QTest::addColumn<int>("history");   // entries; -1: no history file
    QTest::addColumn<QString>("block"); // "", "file" (a file named バックアップ), "cut" (the copy cut short)
    QTest::addColumn<bool>("refused");
    QTest::newRow("copied, then cleared") << 3 << QString() << false;
    QTest::newRow("a file named バックアップ") << 3 << "file" << true;
    QTest::newRow("copy cut short") << 3 << "cut" << true;
    // Nothing to lose, nothing to copy: the clear goes on whatever is in the way.
    QTest::newRow("empty history") << 0 << "file" << false;
    QTest::newRow("no history file") << -1 << "file" << false;
}

void tst_GameFrameHistory::clearCopiesTheHistoryFirst()
{
    QFETCH(int, history);
    QFETCH(QString, block);
    QFETCH(bool, refused);
    GameFixture f;
    const QByteArray before = history > 0 ? entries(history) : QByteArray();
    if (history >= 0)
        f.dir.write(kHistory, before);
    auto *w = f.open<NumberMemoryWindow>();
    const qsizetype told = f.messages.shown.size();
    // A copy cut short: the system refuses the bytes of a file past the eighth.
    std::optional<FileSizeLimit> full;
    if (block == QLatin1String("file"))
        f.dir.write(kBackupFolder, "in the way");
    else if (block == QLatin1String("cut"))
        full.emplace(8);
    w->cmdClear_Click(); // OK to the question
    full.reset();

    const QString copy = kBackupFolder + QLatin1Char('/') + backupName(kHistory, f.clock.now());
    QCOMPARE(f.messages.shown.size(), told + 2); // the question, then the result or the refusal
    const ShownMessage last = f.messages.shown.last();
    if (refused) {
        QCOMPARE(last.icon, MsgIcon::Warning);
        QVERIFY2(last.text.contains(QStringLiteral("「%1」のバックアップを作れなかったため").arg(kHistory)),
                 qPrintable(last.text));
        QCOMPARE(f.dir.bytes(kHistory), before);
        QCOMPARE(w->msgRireki()->rows(), history + 1);
        QVERIFY(!f.dir.exists(copy));
        return;
    }
    QCOMPARE(last.text, QStringLiteral("履歴データをクリアしました"));
    QCOMPARE(f.dir.bytes(kHistory), QByteArray());
    QCOMPARE(w->msgRireki()->rows(), 1);
    if (history > 0)
        QCOMPARE(f.dir.bytes(copy), before);
    else
        QVERIFY(!f.dir.exists(copy));
}

void tst_GameFrameHistory::toggleAutoSaveTwice()
{
    GameFixture f;
    f.dir.write(kSettings, "5,2,1\r\n");
    auto *w = f.open<NumberMemoryWindow>();
    w->chkAs()->setChecked(false);
    w->chkAs_Click();
    QVERIFY(w->cmdHozon()->isEnabled());
    QCOMPARE(w->chkAs()->text(), QStringLiteral("手動保存モード"));
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("5,2,0\r\n"));

    // The user's click goes through the same handler.
    w->show();
    QTest::mouseClick(w->chkAs(), Qt::LeftButton, {}, QPoint(6, w->chkAs()->height() / 2));
    QVERIFY(w->chkAs()->isChecked());
    QVERIFY(!w->cmdHozon()->isEnabled());
    QCOMPARE(w->chkAs()->text(), QString());
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("5,2,1\r\n"));
}

void tst_GameFrameHistory::unreadableHistoryIsReported()
{
    GameFixture f;
    f.dir.write(kHistory, QByteArray("\"2026/11/01\",\"10:00:00\",\"\x81\xff\",1,0,\"100.0%\",\"1\x95\x62\"\r\n"));
    auto *w = f.open<NumberMemoryWindow>();
    QCOMPARE(w->msgRireki()->rows(), 2); // the entry is still shown
    QVERIFY(f.messages.shown.isEmpty()); // told once the window is on screen
    w->show();
    QTRY_COMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(kHistory));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    w->cmdAllDsp_Click(); // told once, not at every refill
    QCOMPARE(f.messages.shown.size(), 1);
}

void tst_GameFrameHistory::onlyThePlayersViewGrowsThePanel()
{
    // Image memory: the chart redrawn after a save leaves the judged board in
    // sight; a view the player presses grows the panel; a panel the player
    // hid comes back, compact, with the next play.
    GameFixture f;
    f.dir.write(gameInfo(Game::ImageMemory).settingsFile, "8,10,1,\"\",1\r\n");
    auto *w = f.open<TestGame>(imageMemoryDescription());
    w->show();
    QVERIFY(!w->panelTall());
    w->hasResult = true;
    w->entry = HistoryEntry({"2026/12/07", "14:05:33", "○", "1", "0", "100.0%", "5秒"});
    w->setPlayState(GameFrame::PlayState::Finished);
    w->cmdHozon_Click();
    QCOMPARE(w->msgRireki()->rows(), 2);
    QVERIFY(!w->panelTall());
    QTest::mouseClick(w->viewButton("cmdRitu"), Qt::LeftButton);
    QVERIFY(w->panelTall());
    w->fraRireki_Click();
    QVERIFY(!w->historyPanelShown());
    w->cmdStart_Click();
    QVERIFY(w->historyPanelShown());
    QVERIFY(!w->panelTall());
}

void tst_GameFrameHistory::historyPanelFollowsClicks_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<bool>("backgroundMakesTall");
    QTest::addColumn<bool>("panelClickHides");
    QTest::newRow("数字記憶: no such panel") << 1 << false << false;
    QTest::newRow("アイコン衰弱: both clicks") << 2 << true << true;
    QTest::newRow("画像記憶: the panel hides") << 6 << false << true;
}

void tst_GameFrameHistory::historyPanelFollowsClicks()
{
    QFETCH(int, window);
    QFETCH(bool, backgroundMakesTall);
    QFETCH(bool, panelClickHides);
    GameFixture f;
    auto *w = f.open<TestGame>(gameDescription(window));
    w->resize(1100, 800);
    w->show();
    QWidget *playArea = w->findChild<QWidget *>("fraGame");
    QFrame *panel = w->fraRireki();
    QVERIFY(!w->panelTall());

    // A label in the panel has a click of its own: neither handler runs.
    QTest::mouseClick(panel->findChild<QLabel *>(), Qt::LeftButton);
    QVERIFY(!w->panelTall());
    QVERIFY(!panel->isHidden());

    // The bare background of the window (here of its empty play area).
    QTest::mouseClick(playArea, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(w->panelTall(), backgroundMakesTall);
    QCOMPARE(playArea->isHidden(), backgroundMakesTall); // the tall panel lies over the board

    // The panel's own margin hides it, and the board is free again.
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(panel->isHidden(), panelClickHides);
    QCOMPARE(w->historyPanelShown(), !panelClickHides);
    QCOMPARE(playArea->isHidden(), backgroundMakesTall && !panelClickHides);

    // The end of a game shows it again as it was; スタート makes it compact.
    w->showHistoryPanel();
    QVERIFY(!panel->isHidden());
    QCOMPARE(playArea->isHidden(), backgroundMakesTall);
    w->cmdStart_Click();
    QVERIFY(!w->panelTall());
    QVERIFY(!playArea->isHidden());
}

QTEST_MAIN(tst_GameFrameHistory)
#include "tst_gameframehistory.moc"
