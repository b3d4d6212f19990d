// The diary and memo panel (一言日記) driven through the main window: a comment
// picked in the grid by mouse or keyboard and saved into the play log, and the
// free memo, saved by its button and, when it was not, before the window goes.
#include "mainfixture.h"

#include "core/backup.h"
#include "core/game/catalogue.h"
#include "core/memo.h"
#include "core/text/sjis.h"
#include "main/memopanel.h"
#include "widgets/flexgrid.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <optional>
#include <unistd.h>

using namespace kioku;

namespace {

const QString kMemo = QStringLiteral("メモ.TXT");

// The fixture log's lines after a rewrite: each ends in a comma and an empty
// quoted text, and line `row` (from 1) holds `comment`.
QByteArray viewsRewritten(int row, const QString &comment)
{
    const QStringList lines = text::decodeCp932(fixture("views.txt")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char(',')))
            line += QStringLiteral("\"\"");
        if (i + 1 == row) {
            PlayRecord r = PlayRecord::parse(line);
            r.comment = comment;
            line = r.rewriteLine();
        }
        out.append(line);
    }
    return sjisLines(out);
}

void clickRow(FlexGrid *g, int row)
{
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row - 1, 1)).center());
}

// Types `text` over the whole box (QTest::keyClicks cannot type kana).
void typeOver(QLineEdit *e, const QString &text)
{
    e->selectAll();
    e->insert(text);
}

ShownMessage lastShown(const MainFixture &f)
{
    return f.messages.shown.value(f.messages.shown.size() - 1);
}

// What makes the window go: a game (its button on the launcher strip), 終了,
// its frame button, or the new start of 編集, which ends the program.
enum class Leave { Game, End, Frame, NewStart };

void leave(MainWindow &w, Leave how, Game game = Game::NumberMemory)
{
    switch (how) {
    case Leave::Game:
        QTest::mouseClick(w.cmdGame, Qt::LeftButton);
        QTest::mouseClick(w.launcherButton(game), Qt::LeftButton);
        break;
    case Leave::End:
        QTest::mouseClick(w.cmdOwari, Qt::LeftButton);
        break;
    case Leave::Frame:
        w.close();
        break;
    case Leave::NewStart:
        QTest::mouseClick(w.cmdSettei, Qt::LeftButton);
        QTest::mouseClick(w.fraSettei->cmdNew1, Qt::LeftButton);
        break;
    }
}

// A data folder that refuses new files while it lives.
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~ReadOnlyFolder()
    {
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QString m_path;
};

} // namespace

Q_DECLARE_METATYPE(Leave)
Q_DECLARE_METATYPE(Game)

class tst_memoPanel : public QObject {
    Q_OBJECT

private slots:
    void openingShowsEveryRecordAndNothingToSave();
    void pickedCommentIsSavedOnItsLine_data();
    void pickedCommentIsSavedOnItsLine();
    void aCommentThatCannotBeStoredChangesNothing_data();
    void aCommentThatCannotBeStoredChangesNothing();

    void memoSavedAndLoadedAgain();
    void missingMemoIsEmptyAndNotCreated();
    void unreadableMemoIsToldAndNotOverwritten_data();
    void unreadableMemoIsToldAndNotOverwritten();
    void unsavedMemoIsSavedBeforeTheWindowGoes_data();
    void unsavedMemoIsSavedBeforeTheWindowGoes();
    void aMemoThatCannotBeSavedKeepsTheWindow_data();
    void aMemoThatCannotBeSavedKeepsTheWindow();
    void theDesktopClosingAgainWaitsForTheAnswer();
    void aLogoutThatAllowsNoQuestionDoesNotWait_data();
    void aLogoutThatAllowsNoQuestionDoesNotWait();
    void memoWriteRefusedByTheSystem();
};

void tst_memoPanel::openingShowsEveryRecordAndNothingToSave()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    const QByteArray log = f.logBytes();
    auto w = f.load();
    QTest::mouseClick(w->cmdMemo, Qt::LeftButton);
    MemoPanel *p = w->fraMemo;
    QVERIFY(p->isVisible());
    FlexGrid *g = p->msgMemoList;
    QCOMPARE(g->fontSize(), 9.0);
    QCOMPARE(g->rows(), 8);
    // A game's result summary is the comment of a record nobody edited.
    QCOMPARE(g->textMatrix(1, 5), QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"));

    // Enter before a row is picked changes nothing.
    QVERIFY(!p->cmdMemoHozon->isEnabled());
    p->txtMemo->setFocus();
    typeOver(p->txtMemo, QStringLiteral("どこにも入らない"));
    QTest::keyClick(p->txtMemo, Qt::Key_Return);
    QCOMPARE(f.logBytes(), log);
    QVERIFY(!QDir(kBackupFolder).exists());
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_memoPanel::pickedCommentIsSavedOnItsLine_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // as the log holds it and the screen then shows it
    QTest::newRow("mouse, row 3") << false << 3 << "朝は集中できた"
                                  << "朝は集中できた";
    QTest::newRow("keyboard, row 5") << true << 5 << "自分で決めた練習, 二回目"
                                     << "自分で決めた練習, 二回目";
    // The line form cannot hold a double quote: it is stored as the full-width ＂.
    QTest::newRow("mouse, row 1, double quotes") << false << 1 << "\"よし\"と言った"
                                                 << "＂よし＂と言った";
    QTest::newRow("keyboard, row 7, emptied") << true << 7 << ""
                                              << "";
}

void tst_memoPanel::pickedCommentIsSavedOnItsLine()
{
    QFETCH(bool, byKeyboard);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    const QByteArray original = f.logBytes();
    auto w = f.load();
    QTest::mouseClick(w->cmdMemo, Qt::LeftButton);
    MemoPanel *p = w->fraMemo;
    FlexGrid *g = p->msgMemoList;
    const QString before = g->textMatrix(row, 5);

    if (byKeyboard) {
        // First a row by mouse, then the arrows and Space move the pick.
        clickRow(g, 2);
        g->setFocus();
        for (int r = 2; r < row; ++r)
            QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(g->row(), row);
        QTest::keyClick(g, Qt::Key_Space);
    } else {
        clickRow(g, row);
    }
    QCOMPARE(p->SelectedLogRow, row);
    QCOMPARE(g->col(), 5);
    QCOMPARE(p->txtMemo->text(), before);
    QVERIFY(p->cmdMemoHozon->isEnabled());
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(p->txtMemo));

    typeOver(p->txtMemo, typed);
    QTest::keyClick(p->txtMemo, Qt::Key_Return);
    QCOMPARE(f.logBytes(), viewsRewritten(row, stored));
    QCOMPARE(g->textMatrix(row, 5), stored);
    QCOMPARE(p->txtMemo->text(), stored);
    QVERIFY(f.messages.shown.isEmpty());
    // The log as it was is kept in the backup folder.
    QCOMPARE(QDir(kBackupFolder).entryList(QDir::Files).size(), 1);

    // The button stays: the same row is edited and saved again.
    QVERIFY(p->cmdMemoHozon->isEnabled());
    typeOver(p->txtMemo, QStringLiteral("もう一度"));
    QTest::mouseClick(p->cmdMemoHozon, Qt::LeftButton);
    QCOMPARE(f.logBytes(), viewsRewritten(row, QStringLiteral("もう一度")));

    // Opened again, the grid shows what the log holds and nothing is picked.
    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    QTest::mouseClick(w->cmdMemo, Qt::LeftButton);
    QCOMPARE(g->textMatrix(row, 5), QStringLiteral("もう一度"));
    QVERIFY(!p->cmdMemoHozon->isEnabled());
    QCOMPARE(p->txtMemo->text(), QString());
}

void tst_memoPanel::aCommentThatCannotBeStoredChangesNothing_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("told"); // part of the message
    QTest::newRow("a log with bytes that are not Shift-JIS") << true << "書き換えたい"
                                                             << "書き換えられません";
    QTest::newRow("a character Shift-JIS cannot hold") << false << "楽しい😀"
                                                       << "😀";
}

void tst_memoPanel::aCommentThatCannotBeStoredChangesNothing()
{
    QFETCH(bool, damaged);
    QFETCH(QString, typed);
    QFETCH(QString, told);
    MainFixture f;
    QByteArray bytes = fixture("views.txt");
    if (damaged)
        bytes += QByteArray("\"2008/03/03\",\"10:00:00\",\"\x85\x20\",1,\"x\",\r\n"); // an unassigned lead byte
    f.dir.write(QStringLiteral("データ.txt"), bytes);
    auto w = f.load();
    const qsizetype atLoad = f.messages.shown.size(); // the damaged log is told at load
    QCOMPARE(atLoad, damaged ? 1 : 0);
    w->cmdMemo->click();
    MemoPanel *p = w->fraMemo;
    clickRow(p->msgMemoList, 2);
    const QString before = p->msgMemoList->textMatrix(2, 5);
    typeOver(p->txtMemo, typed);
    QTest::keyClick(p->txtMemo, Qt::Key_Return);
    QCOMPARE(f.messages.shown.size(), atLoad + 1);
    QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
    QCOMPARE(lastShown(f).icon, MsgIcon::Warning);
    QVERIFY2(lastShown(f).text.contains(told), qPrintable(lastShown(f).text));
    QCOMPARE(f.logBytes(), bytes);
    QCOMPARE(p->msgMemoList->textMatrix(2, 5), before); // the grid still shows the log
    QCOMPARE(p->txtMemo->text(), typed);                // what was typed is not lost
    QVERIFY(p->cmdMemoHozon->isEnabled());
}

void tst_memoPanel::memoSavedAndLoadedAgain()
{
    MainFixture f;
    f.dir.write(kMemo, sjis(QStringLiteral("一行目\r\n二行目\r\n")));
    auto w = f.load();
    QCOMPARE(w->fraMemo->txtKizuki->toPlainText(), QStringLiteral("一行目\n二行目"));
    QVERIFY(!w->fraMemo->memoModified());

    w->cmdMemo->click();
    MemoPanel *p = w->fraMemo;
    p->txtKizuki->setPlainText(QStringLiteral("a\nb\n"));
    QVERIFY(p->memoModified());
    QTest::mouseClick(p->cmdKizukiHozon, Qt::LeftButton);
    QCOMPARE(f.dir.bytes(kMemo), QByteArray("a\r\nb\r\n\r\n"));
    QVERIFY(!p->memoModified());
    w->close();

    w = f.load();
    QCOMPARE(w->fraMemo->txtKizuki->toPlainText(), QStringLiteral("a\nb\n"));
    w->fraMemo->txtKizuki->clear();
    w->fraMemo->cmdKizukiHozon->click();
    QCOMPARE(f.dir.bytes(kMemo), QByteArray("\r\n"));
    w->close();
    w = f.load();
    QCOMPARE(w->fraMemo->txtKizuki->toPlainText(), QString());
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_memoPanel::missingMemoIsEmptyAndNotCreated()
{
    MainFixture f;
    QVERIFY(QFile::remove(kMemo));
    auto w = f.load();
    QCOMPARE(w->fraMemo->txtKizuki->toPlainText(), QString());
    QVERIFY(f.messages.shown.isEmpty());
    leave(*w, Leave::End);
    QCOMPARE(f.navigator.quits, 1);
    QVERIFY(!f.dir.exists(kMemo)); // nothing was typed, nothing is written
}

void tst_memoPanel::unreadableMemoIsToldAndNotOverwritten_data()
{
    QTest::addColumn<bool>("folder"); // a folder in the file's place, or bytes that are not Shift-JIS
    QTest::addColumn<QString>("told");
    QTest::newRow("cannot be read") << true << "メモ.TXT を読み込めませんでした。";
    QTest::newRow("not Shift-JIS") << false << "メモ.TXT に Shift-JIS として読めない文字があります。";
}

void tst_memoPanel::unreadableMemoIsToldAndNotOverwritten()
{
    QFETCH(bool, folder);
    QFETCH(QString, told);
    MainFixture f;
    const QByteArray bytes("memo\r\n\x85\x20\r\n");
    QVERIFY(QFile::remove(kMemo));
    if (folder)
        QVERIFY(QDir::current().mkdir(kMemo));
    else
        QVERIFY(f.dir.write(kMemo, bytes));
    auto unchanged = [&] { return folder ? QFileInfo(kMemo).isDir() : f.dir.bytes(kMemo) == bytes; };

    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("読み込みエラー"));
    QVERIFY2(f.messages.shown[0].text.startsWith(told), qPrintable(f.messages.shown[0].text));
    // Left as it is, it is not written on the way out.
    leave(*w, Leave::Frame);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(unchanged());

    // Edited, the user is asked first; Cancel goes back to the edits. The
    // problem was told once in this run and is not told again.
    w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    w->fraMemo->txtKizuki->setPlainText(QStringLiteral("新しいメモ"));
    f.messages.answerNext(MsgAnswer::Cancel);
    leave(*w, Leave::End);
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(lastShown(f).buttons, MsgButtons::OkCancel);
    QVERIFY(lastShown(f).text.contains(QStringLiteral("上書きしますか")));
    QVERIFY(w->isVisible());
    QCOMPARE(f.navigator.quits, 0);
    QVERIFY(unchanged());

    // OK writes over it; a folder in the way refuses, and the window stays.
    leave(*w, Leave::End);
    if (folder) {
        QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
        QVERIFY(w->isVisible());
        QCOMPARE(f.navigator.quits, 0);
        QVERIFY(unchanged());
    } else {
        QCOMPARE(f.navigator.quits, 1);
        QCOMPARE(f.dir.bytes(kMemo), sjis(QStringLiteral("新しいメモ\r\n")));
    }
}

void tst_memoPanel::unsavedMemoIsSavedBeforeTheWindowGoes_data()
{
    QTest::addColumn<Leave>("how");
    QTest::newRow("a game starts") << Leave::Game;
    QTest::newRow("終了") << Leave::End;
    QTest::newRow("frame button") << Leave::Frame;
}

void tst_memoPanel::unsavedMemoIsSavedBeforeTheWindowGoes()
{
    QFETCH(Leave, how);
    MainFixture f;
    // Not written back when unchanged: a file without its final line end stays so.
    f.dir.write(kMemo, "x");
    {
        auto w = f.load();
        leave(*w, how);
        QVERIFY(!w->isVisible());
        QCOMPARE(f.dir.bytes(kMemo), QByteArray("x"));
    }
    f.navigator = RecordingNavigator();
    auto w = f.load();
    w->cmdMemo->click();
    w->fraMemo->txtKizuki->setPlainText(QStringLiteral("自動で\n保存される"));
    leave(*w, how);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.dir.bytes(kMemo), sjis(QStringLiteral("自動で\r\n保存される\r\n")));
    QCOMPARE(f.navigator.games, how == Leave::Game ? QList<Game>{Game::NumberMemory} : QList<Game>{});
    QCOMPARE(f.navigator.quits, how == Leave::End ? 1 : 0);
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_memoPanel::aMemoThatCannotBeSavedKeepsTheWindow_data()
{
    QTest::addColumn<Leave>("how");
    QTest::addColumn<Game>("game");
    QTest::addColumn<bool>("unstorable"); // a character Shift-JIS cannot hold, or a write cut short
    QTest::addColumn<bool>("leaveIt");    // the answer: leave without the memo, or go back to it
    auto add = [](const QString &name, Leave how, Game game, bool unstorable) {
        for (bool leaveIt : {false, true})
            QTest::addRow("%s, %s", qPrintable(name), leaveIt ? "leave without it" : "back to it")
                << how << game << unstorable << leaveIt;
    };
    add(QStringLiteral("終了, ♡"), Leave::End, Game::NumberMemory, true);
    add(QStringLiteral("frame button, ♡"), Leave::Frame, Game::NumberMemory, true);
    add(QStringLiteral("new start, ♡"), Leave::NewStart, Game::NumberMemory, true);
    for (Game game : launcherOrder())
        add(gameInfo(game).launcherButton + QStringLiteral(", ♡"), Leave::Game, game, true);
    add(QStringLiteral("終了, write cut short"), Leave::End, Game::NumberMemory, false);
    add(QStringLiteral("cmdG1, write cut short"), Leave::Game, Game::NumberMemory, false);
}

void tst_memoPanel::aMemoThatCannotBeSavedKeepsTheWindow()
{
    // A memo the file cannot take never traps the player: going back to it
    // (the default) keeps the window, leaving without it goes on, and the
    // file keeps what it held either way.
    QFETCH(Leave, how);
    QFETCH(Game, game);
    QFETCH(bool, unstorable);
    QFETCH(bool, leaveIt);
    MainFixture f;
    f.dir.write(kMemo, sjis(QStringLiteral("前のメモ\r\n")));
    const QByteArray before = f.dir.bytes(kMemo);
    auto w = f.load();
    const QString memo = unstorable ? QStringLiteral("ありがとう♡") : QStringLiteral("消えては困るメモ");
    w->fraMemo->txtKizuki->setPlainText(memo);
    // A write cut short: the system refuses the memo's bytes past the fourth,
    // until the player is told.
    std::optional<FileSizeLimit> full;
    if (!unstorable) {
        full.emplace(4);
        f.messages.onShow = [&full](const ShownMessage &) { full.reset(); };
    }
    if (how == Leave::NewStart)
        f.messages.answerNext(MsgAnswer::Ok); // これまでのデータを削除して…よろしいですか？
    if (leaveIt)
        f.messages.answerNext(MsgAnswer::Ok);
    const int shownBefore = how == Leave::NewStart ? 2 : 0; // the new start's question and its done box
    leave(*w, how, game);
    f.messages.onShow = nullptr;
    full.reset();

    QCOMPARE(f.messages.shown.size(), shownBefore + 1);
    const ShownMessage m = lastShown(f);
    QCOMPARE(m.title, QStringLiteral("保存エラー"));
    QCOMPARE(m.icon, MsgIcon::Warning);
    QCOMPARE(m.buttons, MsgButtons::OkCancelDefaultCancel); // Enter goes back to the memo
    QVERIFY(m.text.startsWith(unstorable ? text::unstorableCharMessage(QStringLiteral("♡"))
                                         : QStringLiteral("ファイル「メモ.TXT」に書き込めませんでした。")));
    QVERIFY(m.text.contains(QStringLiteral("保存しないまま画面を閉じますか")));
    QVERIFY(m.text.contains(QStringLiteral("失われます")));
    QVERIFY(m.text.endsWith(QStringLiteral("（キャンセルすると画面に戻り、メモを直せます）")));
    QCOMPARE(f.dir.bytes(kMemo), before);
    QCOMPARE(w->isVisible(), !leaveIt);
    QCOMPARE(f.navigator.games, leaveIt && how == Leave::Game ? QList<Game>{game} : QList<Game>{});
    QCOMPARE(f.navigator.quits, leaveIt && (how == Leave::End || how == Leave::NewStart) ? 1 : 0);
    if (leaveIt) {
        QCOMPARE(f.messages.shown.size(), shownBefore + 1); // asked once on the way out
        return;
    }
    QCOMPARE(w->fraMemo->txtKizuki->toPlainText(), memo);
    if (how != Leave::NewStart)
        QCOMPARE(QDir::current().entryList(QDir::Files).size(), 4); // no temporary file left behind

    // Once the memo can be stored, the same way out goes through.
    if (unstorable)
        w->fraMemo->txtKizuki->setPlainText(QStringLiteral("ありがとう"));
    if (how == Leave::NewStart)
        leave(*w, Leave::End);
    else
        leave(*w, how, game);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.dir.bytes(kMemo), sjis((unstorable ? QStringLiteral("ありがとう") : memo) + QStringLiteral("\r\n")));
}

void tst_memoPanel::theDesktopClosingAgainWaitsForTheAnswer()
{
    // While the question of 終了 is open the desktop closes the window (a
    // logout): that close waits for the answer, it is not asked on top of it.
    MainFixture f;
    const QByteArray before = f.dir.bytes(kMemo);
    auto w = f.load();
    w->fraMemo->txtKizuki->setPlainText(QStringLiteral("♡"));
    bool closedMeanwhile = true;
    f.messages.onShow = [&](const ShownMessage &) { closedMeanwhile = w->close(); };
    f.messages.answerNext(MsgAnswer::Ok);
    QTest::mouseClick(w->cmdOwari, Qt::LeftButton);
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(!closedMeanwhile);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.navigator.quits, 1);
    QCOMPARE(f.dir.bytes(kMemo), before);
}

void tst_memoPanel::aLogoutThatAllowsNoQuestionDoesNotWait_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("stored"); // what the file holds afterwards
    QTest::newRow("a memo that can be stored is saved") << "買い物"
                                                        << "買い物\r\n";
    QTest::newRow("♡ is given up, the file kept") << "♡"
                                                  << "\r\n";
}

void tst_memoPanel::aLogoutThatAllowsNoQuestionDoesNotWait()
{
    QFETCH(QString, memo);
    QFETCH(QString, stored);
    MainFixture f;
    auto w = f.load();
    w->fraMemo->txtKizuki->setPlainText(memo);
    QVERIFY(w->fraMemo->saveUnsavedMemo(false));
    QVERIFY(w->close()); // the desktop then closes the window: nothing is asked
    QVERIFY(f.messages.shown.isEmpty());
    QCOMPARE(f.dir.bytes(kMemo), sjis(stored));
}

// The system itself refuses the file: a read-only data folder. Root is not
// stopped by permissions; CTest runs this once more as an unprivileged user.
void tst_memoPanel::memoWriteRefusedByTheSystem()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not stop root (tst_memopanel_unprivileged runs this as another user)");
    MainFixture f;
    const QByteArray before = f.dir.bytes(kMemo);
    auto w = f.load();
    w->cmdMemo->click();
    w->fraMemo->txtKizuki->setPlainText(QStringLiteral("読み取り専用"));
    {
        ReadOnlyFolder readOnly(QDir::currentPath());
        QTest::mouseClick(w->fraMemo->cmdKizukiHozon, Qt::LeftButton);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
        QVERIFY(lastShown(f).text.startsWith(QStringLiteral("ファイル「メモ.TXT」に書き込めませんでした。")));
        QVERIFY(w->fraMemo->memoModified());

        QTest::mouseClick(w->cmdOwari, Qt::LeftButton);
        QCOMPARE(f.messages.shown.size(), 2);
        QVERIFY(lastShown(f).text.endsWith(QStringLiteral("（キャンセルすると画面に戻り、メモを直せます）")));
        QVERIFY(w->isVisible());
        QCOMPARE(f.navigator.quits, 0);
        QCOMPARE(f.dir.bytes(kMemo), before);
    }
    QTest::mouseClick(w->cmdOwari, Qt::LeftButton);
    QCOMPARE(f.navigator.quits, 1);
    QCOMPARE(f.dir.bytes(kMemo), sjis(QStringLiteral("読み取り専用\r\n")));
}

QTEST_MAIN(tst_memoPanel)
#include "tst_memopanel.moc"
