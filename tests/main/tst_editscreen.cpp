// The edit screen (編集) of the main window driven as the user drives it: rows
// deleted by the mouse and the keyboard, a damaged log, the new start, the
// backup copy made before every change of the log, and the user's name.
#include "mainfixture.h"
#include "mainwindowtests.h"

#include "core/backup.h"
#include "core/settings.h"
#include "core/stats/today.h"
#include "core/text/textfile.h"
#include "main/editpanel.h"
#include "main/todaypanel.h"
#include "widgets/flexgrid.h"
#include "widgets/monthcalendar.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <optional>

using namespace kioku;

namespace {

// The last message box shown.
ShownMessage lastShown(const MainFixture &f)
{
    return f.messages.shown.value(f.messages.shown.size() - 1);
}

} // namespace

class tst_EditScreen : public QObject {
    Q_OBJECT

private slots:
    void deletingTheOnlyRecordEmptiesTheLogWithoutAsking();
    void deletingFromThreeAsksAndRewritesTheOthers();
    void aRewriteThatCannotBeStoredChangesNothing();
    void aDamagedLogIsReportedOnceAndKept_data();
    void aDamagedLogIsReportedOnceAndKept();
    void theKeyboardChoosesTheRowToDelete();
    void theEditGridShowsItsLastFullPage_data();
    void theEditGridShowsItsLastFullPage();
    void newStartEmptiesEveryHistoryAndEnds();
    void newStartRefusesANameThatCannotBeStored();
    void eachChangeOfTheLogIsCopiedFirst_data();
    void eachChangeOfTheLogIsCopiedFirst();
    void userNameIsShownInTheTitle_data();
    void userNameIsShownInTheTitle();
    void aNameThatCannotBeStoredChangesNothing();
    void tabTakesTheBoxesInTheOrderTheyStand();
};

void tst_EditScreen::deletingTheOnlyRecordEmptiesTheLogWithoutAsking()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 70)});
    auto w = f.load();
    QCOMPARE(w->fraMain->lblDayTotal->text(), QStringLiteral("0:01:10"));
    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(1, 2);
    QVERIFY(w->fraSettei->cmdRowDel->isEnabled());
    w->fraSettei->cmdRowDel->click();

    QVERIFY(f.dir.exists(QStringLiteral("データ.txt")));
    QCOMPARE(f.logBytes(), QByteArray());
    QCOMPARE(w->fraSettei->msgHenList->rows(), 1);
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
    // With the log empty only the header is left, and a click on it selects nothing.
    w->fraSettei->msgHenList->clickCell(0, 1);
    w->fraSettei->msgHenList_Click();
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
    QCOMPARE(f.messages.shown.size(), 0);
    // The today panel was rebuilt from the empty log.
    QVERIFY(w->logIsEmpty());
    QCOMPARE(w->fraMain->msgDayList->rows(), 1);
    QCOMPARE(w->fraMain->lblDayTotal->text(), QStringLiteral("0:00:00")); // not the deleted play's time
    QCOMPARE(visibleFace(*w), QStringLiteral("imgNashi"));
    QCOMPARE(w->fraMain->shpLedAt(1)->fillColor(), kWhite);
    // ゲーム with the log empty leaves the calendar where it was moved to.
    w->fraMain->mtvmain->clickDate(QDate(2026, 11, 20));
    w->cmdGame->click();
    QCOMPARE(w->selectedDay(), QDate(2026, 11, 20));
    QVERIFY(w->fraGame->isVisible());
}

void tst_EditScreen::deletingFromThreeAsksAndRewritesTheOthers()
{
    MainFixture f;
    const PlayRecord a = play("2026/12/05", "08:00:00", "数字記憶", 3, "暗記数 : 8   正解 : 6");
    const PlayRecord b = play("2026/12/06", "10:00:00", "画像記憶", 12.25f);
    const PlayRecord c = play("2026/12/07", "21:07:33", "バラバラ記憶", 41.3f, "速く,正確に");
    f.setLog({a, b, c});
    const QByteArray before = f.logBytes();
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(2, 3);

    f.messages.answerNext(MsgAnswer::Cancel);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.size(), 1);
    const ShownMessage q = f.messages.shown[0];
    QCOMPARE(q.text, QStringLiteral("2026/12/06 10:00:00 画像記憶 を削除します。よろしいですか？"));
    QCOMPARE(q.title, QStringLiteral("クリア確認"));
    QCOMPARE(q.buttons, MsgButtons::OkCancel);
    QCOMPARE(q.icon, MsgIcon::Warning);
    QCOMPARE(f.logBytes(), before);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 4);

    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(f.logBytes(), sjisLines({a.rewriteLine(), c.rewriteLine()}));
    QVERIFY(f.logBytes().endsWith(sjis(QStringLiteral("\"速く,正確に\",\"\"\r\n"))));
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    QCOMPARE(w->fraSettei->msgHenList->textMatrix(2, 0), QStringLiteral("3")); // not renumbered
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
}

void tst_EditScreen::aRewriteThatCannotBeStoredChangesNothing()
{
    MainFixture f;
    f.setLog({play("2026/12/06", "10:00:00", "画像記憶", 12), play("2026/12/07", "10:00:00", "数字記憶", 5)});
    const QByteArray before = f.logBytes();
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->msgHenList->setTextMatrix(2, 5, QStringLiteral("楽しい😀"));
    QVERIFY(!w->fraSettei->rewriteLogFromGrid());
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("保存エラー"));
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Warning);
    QVERIFY(f.messages.shown[0].text.contains(QStringLiteral("😀")));
    QCOMPARE(f.logBytes(), before);

    // Deleting the other row through the screen is refused the same way; the row stays.
    w->fraSettei->msgHenList->clickCell(1, 1);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.size(), 3); // question, then the error
    QCOMPARE(f.messages.shown[2].title, QStringLiteral("保存エラー"));
    QCOMPARE(f.logBytes(), before);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
}

void tst_EditScreen::aDamagedLogIsReportedOnceAndKept_data()
{
    QTest::addColumn<QByteArray>("anchor"); // the damage goes just before this text of line 1
    QTest::addColumn<int>("row");           // the row then deleted
    QTest::newRow("in a kept text field") << QByteArray("\",") << 2;
    QTest::newRow("in the seconds field") << QByteArray(",\"\",") << 2;
    QTest::newRow("after a closing quote") << QByteArray(",12,") << 2;
    QTest::newRow("in a field past the sixth") << QByteArray("\r\n") << 2;
    QTest::newRow("deleting the damaged record itself") << QByteArray("\r\n") << 1;
}

// Bytes that are not Shift-JIS are reported once per run; a rewrite would drop
// them wherever they are, so every rewrite is refused and the file stays byte
// for byte.
void tst_EditScreen::aDamagedLogIsReportedOnceAndKept()
{
    QFETCH(QByteArray, anchor);
    QFETCH(int, row);
    MainFixture f;
    QByteArray bytes = sjisLines({play("2026/12/06", "10:00:00", "画像記憶", 12).gameLine(),
                                  play("2026/12/07", "10:00:00", "数字記憶", 5).gameLine()});
    const QByteArray bad = anchor == "\r\n" ? QByteArray(",\"\x85\x20\"") : QByteArray("\x85\x20");
    bytes.insert(bytes.indexOf(anchor), bad); // an unassigned lead byte
    f.dir.write(QStringLiteral("データ.txt"), bytes);
    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("読み込みエラー"));
    QCOMPARE(w->fraMain->msgDayList->rows(), 2); // the readable records are all shown
    w.reset();
    w = f.load(); // back from a game: not told again
    QCOMPARE(f.messages.shown.size(), 1);

    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(row, 1);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.last().title, QStringLiteral("保存エラー"));
    QCOMPARE(f.logBytes(), bytes);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    QVERIFY(!w->fraSettei->rewriteLogFromGrid());
    QCOMPARE(f.logBytes(), bytes);

    // Only the record left: deleting it (no question) is refused the same way.
    if (row == 1) {
        f.dir.write(QStringLiteral("データ.txt"), bytes.left(bytes.indexOf("\r\n") + 2));
        w.reset();
        w = f.load();
        w->cmdSettei->click();
        w->fraSettei->msgHenList->clickCell(1, 1);
        const qsizetype told = f.messages.shown.size();
        w->fraSettei->cmdRowDel->click();
        QCOMPARE(f.messages.shown.size(), told + 1);
        QCOMPARE(f.messages.shown.last().title, QStringLiteral("保存エラー"));
        QCOMPARE(f.logBytes(), bytes.left(bytes.indexOf("\r\n") + 2));
        QCOMPARE(w->fraSettei->msgHenList->rows(), 2);
    }
}

void tst_EditScreen::theKeyboardChoosesTheRowToDelete()
{
    // The record named in the question, and deleted, is the one the highlight
    // was moved to, by mouse or by keyboard.
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < 5; ++i)
        log.append(play("2026/12/07", QStringLiteral("0%1:00:00").arg(i + 1), "数字記憶", 1));
    f.setLog(log);
    auto w = f.load();
    w->cmdSettei->click();
    FlexGrid *g = w->fraSettei->msgHenList;
    g->setFocus();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, 1)).center());
    QVERIFY(w->fraSettei->cmdRowDel->isEnabled());
    QTest::keyClick(g, Qt::Key_Down);
    QTest::keyClick(g, Qt::Key_Down);
    f.messages.answerNext(MsgAnswer::Cancel);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(lastShown(f).text, QStringLiteral("2026/12/07 03:00:00 数字記憶 を削除します。よろしいですか？"));
    QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(lastShown(f).text, QStringLiteral("2026/12/07 05:00:00 数字記憶 を削除します。よろしいですか？"));
    QStringList kept;
    for (int i = 0; i < 4; ++i)
        kept.append(log.at(i).rewriteLine());
    QCOMPARE(f.logBytes(), sjisLines(kept));
}

void tst_EditScreen::theEditGridShowsItsLastFullPage_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("23 records: from the first") << 23 << false;
    QTest::newRow("24 records: the newest at the bottom") << 24 << true;
    QTest::newRow("25 records") << 25 << true;
}

void tst_EditScreen::theEditGridShowsItsLastFullPage()
{
    // Past 24 rows the edit screen shows the newest records: a full page down
    // to the last one, whole rows from the top, never one row over empty space.
    QFETCH(int, records);
    QFETCH(bool, scrolls);
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < records; ++i)
        log.append(play("2026/12/07", QStringLiteral("10:%1:00").arg(i, 2, 10, QLatin1Char('0')), "数字記憶", 1));
    f.setLog(log);
    auto w = f.load();
    w->resize(1000, 600);
    w->cmdSettei->click();
    QCoreApplication::processEvents();
    FlexGrid *g = w->fraSettei->msgHenList;
    const int page = g->viewport()->height() / g->rowHeight(0);
    QVERIFY2(page > 3 && page < records, qPrintable(QString::number(page)));
    if (scrolls) {
        QCOMPARE(g->topRow(), records - page + 1);
        // The top row is whole, the newest record is the bottom row and whole,
        // and less than a row of space is left under it.
        QCOMPARE(g->rowViewportPosition(records - page), 0);
        const int bottom = g->rowViewportPosition(records - 1) + g->rowHeight(0);
        QVERIFY(bottom <= g->viewport()->height());
        QVERIFY(g->viewport()->height() - bottom < g->rowHeight(0));
    } else {
        QCOMPARE(g->topRow(), 1);
    }
}

void tst_EditScreen::newStartEmptiesEveryHistoryAndEnds()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 10)});
    f.dir.write(QStringLiteral("数字記憶履歴.txt"), "\"2026/12/07\",1\r\n");
    f.dir.write(QStringLiteral("輪廻記憶履歴.TXT"), "\"2026/12/07\",2\r\n");
    const QByteArray memo = sjisLines({QStringLiteral("メモの中身")});
    f.dir.write(QStringLiteral("メモ.TXT"), memo);
    const QByteArray settings = f.dir.bytes(QStringLiteral("設定.txt"));
    const QByteArray log = f.logBytes();
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(QStringLiteral("佐藤"));

    f.messages.answerNext(MsgAnswer::Cancel);
    w->fraSettei->cmdNew1->click();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].text,
             QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"));
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("クリア確認"));
    QCOMPARE(f.messages.shown[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Warning);
    QCOMPARE(f.logBytes(), log);
    QVERIFY(!f.dir.exists(QStringLiteral("画像記憶履歴.txt")));
    QCOMPARE(f.navigator.quits, 0);

    w->fraSettei->cmdNew1->click();
    QCOMPARE(f.messages.shown.size(), 3);
    const ShownMessage done = lastShown(f);
    QCOMPARE(
        done.text,
        QStringLiteral(
            "データを削除しました。\r\n\r\n一旦プログラムを終了させていただきます。次の起動から新規スタートです！"));
    QCOMPARE(done.title, QStringLiteral("新規スタート準備完了"));
    QCOMPARE(done.buttons, MsgButtons::Ok);
    QCOMPARE(done.icon, MsgIcon::Information);
    QCOMPARE(f.navigator.quits, 1);

    QCOMPARE(f.logBytes(), QByteArray());
    for (const QString &h : historyFileNames()) {
        const QString path = text::resolve(h);
        QVERIFY2(QFileInfo::exists(path), qPrintable(h));
        QCOMPARE(QFileInfo(path).size(), qint64(0));
    }
    QVERIFY(!f.dir.exists(QStringLiteral("輪廻記憶履歴.txt"))); // emptied under its own spelling
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), sjis(QStringLiteral("\"氏名\",\"佐藤\"\r\n")));
    QCOMPARE(f.dir.bytes(QStringLiteral("設定.txt")), settings);
    QCOMPARE(f.dir.bytes(QStringLiteral("メモ.TXT")), memo);
}

void tst_EditScreen::newStartRefusesANameThatCannotBeStored()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 10)});
    f.dir.write(QStringLiteral("数字記憶履歴.txt"), "\"2026/12/07\",1\r\n");
    const QByteArray log = f.logBytes();
    const QByteArray name = f.dir.bytes(QStringLiteral("氏名.txt"));
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(QStringLiteral("ねこ🐱"));
    w->fraSettei->cmdNew1->click();
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
    QCOMPARE(lastShown(f).icon, MsgIcon::Warning);
    QVERIFY(lastShown(f).text.contains(QStringLiteral("🐱")));
    QCOMPARE(f.logBytes(), log);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), name);
    QCOMPARE(f.dir.bytes(QStringLiteral("数字記憶履歴.txt")), QByteArray("\"2026/12/07\",1\r\n"));
    QVERIFY(!f.dir.exists(QStringLiteral("画像記憶履歴.txt")));
    QCOMPARE(f.navigator.quits, 0);
}

void tst_EditScreen::eachChangeOfTheLogIsCopiedFirst_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("block");   // "", "file" (a file named バックアップ), "cut" (the copy cut short)
    QTest::addColumn<bool>("histories");  // a history with records before the new start
    QTest::addColumn<QString>("refused"); // the file named when the change is refused

    const QString log = QStringLiteral("データ.txt");
    const QString history = QStringLiteral("数字記憶履歴.txt");
    for (const char *change : {"row", "last row", "diary", "new start"}) {
        const QString c = QLatin1String(change);
        QTest::addRow("%s", change) << c << QString() << true << QString();
        QTest::addRow("%s, a file named バックアップ", change)
            << c << "file" << true << (c == "new start" ? history : log);
        QTest::addRow("%s, copy cut short", change) << c << "cut" << true << (c == "new start" ? history : log);
    }
    // The histories are copied before the log; with none to copy the log's own copy fails.
    QTest::newRow("new start, no histories") << "new start" << QString() << false << QString();
    QTest::newRow("new start, no histories, copy cut short") << "new start"
                                                             << "cut" << false << log;
}

// 個別削除 (also of the last record), the diary's rewrite from a log grid and
// the new start each copy the log (and the new start every history) into the
// backup folder first; without the copy nothing changes.
void tst_EditScreen::eachChangeOfTheLogIsCopiedFirst()
{
    QFETCH(QString, change);
    QFETCH(QString, block);
    QFETCH(bool, histories);
    QFETCH(QString, refused);

    MainFixture f;
    const PlayRecord a = play("2026/12/05", "08:00:00", "数字記憶", 3, "暗記数 : 8   正解 : 6");
    const PlayRecord b = play("2026/12/06", "10:00:00", "画像記憶", 12.25f);
    f.setLog(change == "last row" ? QList<PlayRecord>{a} : QList<PlayRecord>{a, b});
    const QByteArray log = f.logBytes();
    const QByteArray history = "\"2026/12/05\",1\r\n\"2026/12/06\",2\r\n";
    if (histories)
        f.dir.write(QStringLiteral("数字記憶履歴.txt"), history);
    f.dir.write(QStringLiteral("画像記憶履歴.txt"), QByteArray()); // empty: nothing to copy
    const QByteArray name = f.dir.bytes(QStringLiteral("氏名.txt"));
    auto w = f.load();
    w->cmdSettei->click();
    const int rows = w->fraSettei->msgHenList->rows();
    // A copy cut short: the system refuses the bytes of a file past the eighth.
    std::optional<FileSizeLimit> full;
    if (block == "file")
        f.dir.write(kBackupFolder, "in the way");
    else if (block == "cut")
        full.emplace(8);

    bool done = true;
    if (change == "row" || change == "last row") {
        w->fraSettei->msgHenList->clickCell(1, 1);
        w->fraSettei->cmdRowDel->click();
    } else if (change == "diary") {
        w->fraSettei->msgHenList->setTextMatrix(2, 5, QStringLiteral("よく出来た"));
        done = w->fraSettei->rewriteLogFromGrid();
    } else {
        w->fraSettei->cmdNew1->click();
    }
    full.reset();

    // Copies are named after the fake clock's 2026/12/07 14:05:33.
    const QString logCopy = kBackupFolder + QStringLiteral("/データ_20261207-140533.txt");
    const QString historyCopy = kBackupFolder + QStringLiteral("/数字記憶履歴_20261207-140533.txt");
    if (!refused.isEmpty()) {
        QCOMPARE(done, change != "diary"); // only the rewrite itself answers
        QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
        QVERIFY2(lastShown(f).text.contains(QStringLiteral("「%1」のバックアップを作れなかったため").arg(refused)),
                 qPrintable(lastShown(f).text));
        QCOMPARE(f.logBytes(), log);
        QCOMPARE(w->fraSettei->msgHenList->rows(), rows);
        QVERIFY(!f.dir.exists(logCopy));
        if (histories)
            QCOMPARE(f.dir.bytes(QStringLiteral("数字記憶履歴.txt")), history);
        QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), name);
        QCOMPARE(f.navigator.quits, 0);
        return;
    }
    QVERIFY(done);
    QCOMPARE(f.dir.bytes(logCopy), log);
    QCOMPARE(QDir(kBackupFolder).entryList(QDir::Files).size(), change == "new start" && histories ? 2 : 1);
    if (change == "new start") {
        QCOMPARE(f.logBytes(), QByteArray());
        QCOMPARE(f.navigator.quits, 1);
        if (histories)
            QCOMPARE(f.dir.bytes(historyCopy), history);
    } else if (change == "last row") {
        QCOMPARE(f.logBytes(), QByteArray());
    } else if (change == "row") {
        QCOMPARE(f.logBytes(), sjisLines({b.rewriteLine()}));
    } else {
        PlayRecord commented = b;
        commented.comment = QStringLiteral("よく出来た");
        QCOMPARE(f.logBytes(), sjisLines({a.rewriteLine(), commented.rewriteLine()}));
    }
}

void tst_EditScreen::userNameIsShownInTheTitle_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("record");
    QTest::newRow("山田") << "山田"
                          << " 山田 の ソラミルプロジェクト３ ～記憶力"
                          << "\"氏名\",\"山田\"";
    QTest::newRow("empty") << ""
                           << " ソラミルプロジェクト３ ～記憶力"
                           << "\"氏名\",\"\"";
    // The record line cannot hold a double quote: what is stored is shown at once.
    QTest::newRow("double quotes") << "山田\"太郎\""
                                   << " 山田＂太郎＂ の ソラミルプロジェクト３ ～記憶力"
                                   << "\"氏名\",\"山田＂太郎＂\"";
}

void tst_EditScreen::userNameIsShownInTheTitle()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, record);
    MainFixture f;
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"前の名前\"")}));
    auto w = f.load();
    QCOMPARE(w->windowTitle(), QStringLiteral(" 前の名前 の ソラミルプロジェクト３ ～記憶力"));
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(name);
    w->fraSettei->cmdPHozon1->click();
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), sjisLines({record}));
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].text, QStringLiteral("保存が終了しました"));
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("保存終了"));
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Information);
    w->fraSettei->cmdPHozon1->click(); // confirmed again although nothing changed
    QCOMPARE(f.messages.shown.size(), 2);

    w.reset();
    QCOMPARE(f.load()->windowTitle(), title);
}

void tst_EditScreen::aNameThatCannotBeStoredChangesNothing()
{
    MainFixture f;
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"山田\"")}));
    const QByteArray before = f.dir.bytes(QStringLiteral("氏名.txt"));
    auto w = f.load();
    const QString title = w->windowTitle();
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(QStringLiteral("山田🌸"));
    w->fraSettei->cmdPHozon1->click();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("保存エラー"));
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), before);
}

void tst_EditScreen::tabTakesTheBoxesInTheOrderTheyStand()
{
    // The boxes under the grid read left to right, then top to bottom; Tab
    // from the grid takes their controls in that order, each once.
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 70)});
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->cmdSettei->click();
    w->fraSettei->msgHenList->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        if (!focused || !w->fraSettei->isAncestorOf(focused) || focused == w->fraSettei->msgHenList)
            break;
        order << focused->objectName();
    }
    const QStringList boxes = {"cmdNew1",     "txtPriData",  "cmdPHozon1", "optMoji0",    "cboMokuhyou",
                               "cmdMokuhyou", "cmdTorikomi", "cmdBackup",  "cmdKakidashi"};
    QStringList seen; // the radio buttons of one group take one stop
    for (const QString &name : order)
        if (boxes.contains(name))
            seen << name;
    QCOMPARE(seen, boxes);
    // And each box's place follows the one before it on the screen.
    QList<QPoint> places;
    for (const QString &name : boxes) {
        auto *c = w->fraSettei->findChild<QWidget *>(name);
        QVERIFY2(c, qPrintable(name));
        places << c->parentWidget()->mapTo(w->fraSettei, c->parentWidget()->rect().topLeft());
    }
    for (int i = 1; i < places.size(); ++i)
        QVERIFY2(places.at(i).y() > places.at(i - 1).y()
                     || (places.at(i).y() == places.at(i - 1).y() && places.at(i).x() >= places.at(i - 1).x()),
                 qPrintable(boxes.at(i)));
}

// ---------------------------------------------------------------------------
// Game launcher
// ---------------------------------------------------------------------------

QTEST_MAIN(tst_EditScreen)
#include "tst_editscreen.moc"
