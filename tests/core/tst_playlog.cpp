// The play log, the small settings files and the data folder set-up.
#include "core/backup.h"
#include "core/datafolder.h"
#include "core/playlog/playlog.h"
#include "core/settings.h"
#include "core/text/textfile.h"
#include "testing/fakeclock.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <optional>

using namespace kioku;

namespace {
const QString kComment = QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%");
const FakeClock kClock;
const QString kGameLine =
    QStringLiteral("\"2006/01/05\",\"21:07:33\",\"数字記憶\",3,\"") + kComment + QStringLiteral("\",");

} // namespace

class tst_playlog : public QObject {
    Q_OBJECT

private slots:
    void itemNamesInOrder();
    void gameAndRewriteLinesReadEqual();
    void readFixture();
    void readMissingLog();
    void deletingTheMiddleOfThreeRewritesTheOthersInOrder();
    void failedOrUnstorableRewriteLeavesTheLog();

    void helpTourReading_data();
    void helpTourReading();
    void helpTourWriting();
    void userName();

    void firstStartWritesEveryShippedFile();
    void laterStartRecreatesOnlyEssentials_data();
    void laterStartRecreatesOnlyEssentials();
    void failedSetUpIsReported();
    void theHelpIsBroughtUpToDate_data();
    void theHelpIsBroughtUpToDate();
};

void tst_playlog::itemNamesInOrder()
{
    QCOMPARE(
        itemNames(),
        QStringList({"数字記憶", "画像記憶", "アイコン衰弱", "追跡記憶", "時間差記憶", "輪廻記憶", "バラバラ記憶"}));
}

void tst_playlog::gameAndRewriteLinesReadEqual()
{
    const PlayRecord r = play("2006/01/05", "21:07:33", "数字記憶", 3, kComment);
    QCOMPARE(r.gameLine(), kGameLine);
    QCOMPARE(r.rewriteLine(), kGameLine + QStringLiteral("\"\""));
    QCOMPARE(PlayRecord::parse(r.gameLine()), r);
    QCOMPARE(PlayRecord::parse(r.rewriteLine()), r);

    const PlayRecord frac = play("2026/12/07", "14:05:33", "追跡記憶", 41.3f, "x");
    QCOMPARE(frac.gameLine(), QStringLiteral("\"2026/12/07\",\"14:05:33\",\"追跡記憶\",41.3,\"x\","));
    QCOMPARE(PlayRecord::parse(frac.gameLine()).seconds, 41.3f);

    // A double quote cannot be stored inside the quoted comment: it becomes ＂.
    const PlayRecord quoted = play("2006/01/05", "21:07:33", "数字記憶", 3, "彼は\"よし\"と言った");
    const PlayRecord back = PlayRecord::parse(quoted.rewriteLine());
    QCOMPARE(back.comment, QStringLiteral("彼は＂よし＂と言った"));
    QCOMPARE(back.seconds, 3.0f);
}

void tst_playlog::readFixture()
{
    TempDataDir dir;
    QVERIFY(dir.write("データ.TXT", fixture("playlog.txt")));
    const PlayLog log = readPlayLog();
    QVERIFY(!log.readError);
    QVERIFY(!log.clean);                            // the garbled line
    QCOMPARE(log.records.size(), 6);                // the blank line is skipped
    QCOMPARE(log.records.at(0), log.records.at(1)); // game line and rewritten line
    QCOMPARE(log.records.at(2).comment, QStringLiteral("今日は調子が良い、また明日, きっと"));
    QCOMPARE(log.records.at(3).comment, QStringLiteral("①～－髙ⅰ纊"));
    QCOMPARE(log.records.at(3).seconds, 41.3f);
    QCOMPARE(log.records.at(4).item, QStringLiteral("\uFFFD\uFFFD\uFFFD"));
    QCOMPARE(log.records.at(4).seconds, 0.5f);

    // A game appending to a log without a final line end starts a new line.
    QVERIFY(appendPlayRecord(play("2006/01/08", "10:00:00", "輪廻記憶", 9)));
    const PlayLog after = readPlayLog();
    QCOMPARE(after.records.size(), 7);
    QCOMPARE(after.records.at(5).comment, QStringLiteral("最後の行は行末なし"));
    QCOMPARE(after.records.at(6).item, QStringLiteral("輪廻記憶"));
}

void tst_playlog::readMissingLog()
{
    TempDataDir dir;
    const PlayLog log = readPlayLog();
    QVERIFY(log.records.isEmpty());
    QVERIFY(log.clean && !log.readError);
    QVERIFY(!dir.exists(kPlayLogFile)); // reading creates nothing
}

void tst_playlog::deletingTheMiddleOfThreeRewritesTheOthersInOrder()
{
    TempDataDir dir;
    const QList<PlayRecord> three = {play("2006/01/05", "21:07:33", "数字記憶", 3, kComment),
                                     play("2006/01/05", "21:10:00", "画像記憶", 0.5f, "b"),
                                     play("2006/01/06", "07:00:00", "バラバラ記憶", 120, "よく出来た, 次も")};
    for (const PlayRecord &r : three)
        QVERIFY(appendPlayRecord(r));
    QCOMPARE(dir.bytes("データ.txt"), sjisLines({three[0].gameLine(), three[1].gameLine(), three[2].gameLine()}));
    QCOMPARE(readPlayLog().records, three);

    // The other two in their old order, as rewrite lines; the comma stays inside its field.
    QVERIFY(rewritePlayLog({three[0], three[2]}, kClock));
    QCOMPARE(
        dir.bytes("データ.txt"),
        sjisLines({kGameLine + "\"\"", "\"2006/01/06\",\"07:00:00\",\"バラバラ記憶\",120,\"よく出来た, 次も\",\"\""}));
    QCOMPARE(readPlayLog().records, QList<PlayRecord>({three[0], three[2]}));
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));
}

void tst_playlog::failedOrUnstorableRewriteLeavesTheLog()
{
    TempDataDir dir;
    const QByteArray clean = sjisLines({kGameLine, kGameLine});
    QVERIFY(dir.write("データ.txt", clean));
    // The copy of the log fits; the longer log that replaces it does not.
    FileSizeLimit full(clean.size());
    const PlayRecord p = play("2006/01/05", "21:07:33", "数字記憶", 3, "暗記数 : 8   正解 : 6   不正解 : 2");
    const text::WriteResult w = rewritePlayLog({p, p, p}, kClock);
    full.lift();
    QVERIFY(!w.ok);
    QVERIFY(!w.message.isEmpty());
    QCOMPARE(dir.bytes("データ.txt"), clean);

    // A comment that code page 932 cannot hold: refused, nothing changed, and
    // no copy made (retries never push the older copies out).
    const qsizetype copies = backupsOf(kPlayLogFile).size();
    const text::WriteResult u = rewritePlayLog({play("2006/01/05", "21:07:33", "数字記憶", 3, "🎉")}, kClock);
    QVERIFY(!u.ok);
    QVERIFY(u.message.contains(QStringLiteral("🎉")));
    QVERIFY(!appendPlayRecord(play("2006/01/05", "21:07:33", "数字記憶", 3, "🎉")));
    QCOMPARE(backupsOf(kPlayLogFile).size(), copies);
    QCOMPARE(dir.bytes("データ.txt"), clean);

    // A log holding bytes that are not Shift-JIS is never rewritten, even with
    // records that would encode: the bytes it cannot read would be lost.
    QVERIFY(dir.write("データ.txt", fixture("playlog.txt")));
    const text::WriteResult d = rewritePlayLog({play("2006/01/05", "21:07:33", "数字記憶", 3)}, kClock);
    QVERIFY(!d.ok);
    QVERIFY(d.message.contains(QStringLiteral("Shift-JIS")));
    QCOMPARE(dir.bytes("データ.txt"), fixture("playlog.txt"));
    QVERIFY(emptyPlayLog(kClock)); // the new start empties it all the same
    QCOMPARE(dir.bytes("データ.txt"), QByteArray());
}

// ---------------------------------------------------------------- settings

void tst_playlog::helpTourReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("on");
    QTest::addColumn<bool>("garbled"); // told to the player (the file is kept)
    QTest::newRow("on") << sjis("\"ヘルプツアー\",1\r\n") << 1 << false;
    QTest::newRow("off") << sjis("\"ヘルプツアー\",0\r\n") << 0 << false;
    QTest::newRow("extra fields and lines ignored")
        << sjis("\"ヘルプツアー\",0,5\r\n\"ヘルプツアー\",1\r\n") << 0 << false;
    QTest::newRow("empty file") << QByteArray() << 1 << false;
    QTest::newRow("garbled value") << sjis("\"ヘルプツアー\",abc\r\n") << 1 << true;
    QTest::newRow("no value") << sjis("\"ヘルプツアー\"\r\n") << 1 << true;
    QTest::newRow("garbled bytes") << QByteArray("\xFF\xFF,\xFD\r\n") << 1 << true;
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF\"x\",0\r\n") << 0 << false;
}

void tst_playlog::helpTourReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, on);
    QFETCH(bool, garbled);
    TempDataDir dir;
    QVERIFY(dir.write("設定.TXT", bytes));
    bool told = !garbled;
    QCOMPARE(readHelpTour(nullptr, &told), on);
    QCOMPARE(told, garbled);
}

void tst_playlog::helpTourWriting()
{
    TempDataDir dir;
    QCOMPARE(readHelpTour(), 1); // missing file: tour on
    QVERIFY(writeHelpTour(0));
    QCOMPARE(dir.files(), QStringList({"設定.TXT"}));
    QCOMPARE(dir.bytes("設定.TXT"), sjis("\"ヘルプツアー\",0\r\n"));
}

void tst_playlog::userName()
{
    TempDataDir dir;
    QCOMPARE(readUserName(), QString());
    QVERIFY(writeUserName("a, \"b\""));
    QCOMPARE(readUserName(), QStringLiteral("a, ＂b＂"));
    QVERIFY(!writeUserName("😀"));
    QCOMPARE(readUserName(), QStringLiteral("a, ＂b＂"));
}

// ---------------------------------------------------------------- data folder

void tst_playlog::firstStartWritesEveryShippedFile()
{
    TempDataDir dir;
    QVERIFY(dir.write("unrelated.doc", "keep"));
    const DataFolderResult r = prepareDataFolder();
    QVERIFY(r.failed.isEmpty());
    const QStringList shipped = QDir(":/data").entryList(QDir::Files);
    QVERIFY(shipped.size() >= 4);
    QCOMPARE(QSet<QString>(r.written.begin(), r.written.end()), QSet<QString>(shipped.begin(), shipped.end()));
    for (const QString &name : shipped)
        QCOMPARE(dir.bytes(name), shippedFile(name));
    QCOMPARE(dir.bytes("設定.txt"), sjis("\"ヘルプツアー\",1\r\n"));
    QCOMPARE(dir.bytes("氏名.txt"), sjis("\"氏名\",\"\"\r\n"));
    QCOMPARE(dir.bytes("メモ.TXT"), QByteArray("\r\n"));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray());
    QCOMPARE(dir.bytes("unrelated.doc"), QByteArray("keep"));
    QCOMPARE(shippedFile("../x"), QByteArray());

    // Run again: everything is there, nothing is written.
    QVERIFY(prepareDataFolder().written.isEmpty());
}

void tst_playlog::laterStartRecreatesOnlyEssentials_data()
{
    QTest::addColumn<bool>("playerIcon");
    QTest::newRow("a folder without pictures gets the flags") << false;
    QTest::newRow("the player's own pictures are kept as they are") << true;
}

void tst_playlog::laterStartRecreatesOnlyEssentials()
{
    QFETCH(bool, playerIcon);
    TempDataDir dir;
    // The log exists under another letter case and holds plays; the memo and the
    // name record have gone missing; the settings file holds the user's choice.
    QVERIFY(dir.write("データ.TXT", sjisLines({kGameLine})));
    QVERIFY(dir.write("設定.TXT", sjis("\"ヘルプツアー\",0\r\n")));
    if (playerIcon)
        QVERIFY(dir.write("うちの猫.ico", QByteArray("not read here")));
    const DataFolderResult r = prepareDataFolder();
    QVERIFY(r.failed.isEmpty());
    // The word lists come back too: a typing game cannot be played without its list.
    QSet<QString> expected{"メモ.TXT",         "氏名.txt", "時間差辞書.txt", "輪廻辞書.txt", "バラバラ記憶辞書.TXT",
                           "SoramiruHelp.html"};
    int flags = 0;
    for (const QString &w : r.written)
        flags += w.endsWith(QLatin1String(".ico")) ? 1 : 0;
    QCOMPARE(flags, playerIcon ? 0 : 20);
    QSet<QString> written(r.written.begin(), r.written.end());
    for (auto it = written.begin(); it != written.end();)
        it = it->endsWith(QLatin1String(".ico")) ? written.erase(it) : std::next(it);
    QCOMPARE(written, expected);
    QCOMPARE(dir.bytes("データ.TXT"), sjisLines({kGameLine}));
    QCOMPARE(dir.bytes("設定.TXT"), sjis("\"ヘルプツアー\",0\r\n"));
    if (playerIcon)
        QCOMPARE(dir.bytes("うちの猫.ico"), QByteArray("not read here"));
}

void tst_playlog::failedSetUpIsReported()
{
    TempDataDir dir;
    QVERIFY(dir.write("設定.txt", sjis("\"ヘルプツアー\",0\r\n")));
    QVERIFY(dir.write("うちの猫.ico", QByteArray("not read here"))); // no flags to write
    // The system refuses the bytes of a file past 2,000: the longest word list
    // cannot be written, the shorter files can.
    const QString longest = QStringLiteral("バラバラ記憶辞書.TXT");
    QVERIFY(shippedFile(longest).size() > 2000);
    FileSizeLimit full(2000);
    const DataFolderResult r = prepareDataFolder();
    full.lift();
    QCOMPARE(r.failed, (QStringList{longest, kHelpFile}));
    QCOMPARE(r.written.size(), 5); // the other essentials: log, memo, name record, two word lists
    for (const QString &name : r.written)
        QCOMPARE(dir.bytes(name), shippedFile(name));
    QVERIFY(!dir.exists(longest));
    QCOMPARE(dir.files().size(), 7); // no temporary file left behind
    QCOMPARE(dir.bytes("設定.txt"), sjis("\"ヘルプツアー\",0\r\n"));
}

void tst_playlog::theHelpIsBroughtUpToDate_data()
{
    QTest::addColumn<QString>("name");      // the help in the folder ("": none)
    QTest::addColumn<QByteArray>("before"); // its bytes ("current": the shipped ones)
    QTest::addColumn<qint64>("sizeLimit");  // the system refuses bytes past this (0: no limit)
    QTest::addColumn<bool>("replaced");
    const QByteArray older = sjisLines({QStringLiteral("<html><body><h1>ヘルプ</h1><p>古い版 ①</p></body></html>")});
    QTest::newRow("an earlier version's help") << "SoramiruHelp.html" << older << qint64(0) << true;
    QTest::newRow("spelled in another case") << "soramiruhelp.HTML" << older << qint64(0) << true;
    QTest::newRow("an empty one") << "SoramiruHelp.html" << QByteArray() << qint64(0) << true;
    QTest::newRow("the current help") << "SoramiruHelp.html" << QByteArray("current") << qint64(0) << false;
    QTest::newRow("none (made again)") << "" << QByteArray() << qint64(0) << false;
    QTest::newRow("the disk refuses the new one") << "SoramiruHelp.html" << older << qint64(1000) << false;
    // What is no file of ours stays as it is, and the start goes on.
    QTest::newRow("a named pipe") << "SoramiruHelp.html" << QByteArray("pipe") << qint64(0) << false;
    QTest::newRow("a link to a device") << "SoramiruHelp.html" << QByteArray("/dev/zero") << qint64(0) << false;
    QTest::newRow("a folder") << "SoramiruHelp.html" << QByteArray("folder") << qint64(0) << false;
    QTest::newRow("a link to a help kept elsewhere") << "SoramiruHelp.html" << QByteArray("link") << qint64(0) << false;
}

void tst_playlog::theHelpIsBroughtUpToDate()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, replaced);
    TempDataDir dir;
    QVERIFY(dir.write("設定.txt", sjis("\"ヘルプツアー\",1\r\n"))); // not a first start
    QVERIFY(dir.write("うちの猫.ico", QByteArray("not read here")));
    const QByteArray current = shippedFile(kHelpFile);
    QVERIFY(current.size() > 1000);
    if (before == "current")
        before = current;
    const QString path = QDir::current().filePath(name);
    const bool special = before == "pipe" || before == "/dev/zero" || before == "folder" || before == "link";
    QTemporaryDir elsewhere;
    const QString kept = elsewhere.filePath(QStringLiteral("わたしのヘルプ.html"));
    if (before == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (before == "/dev/zero")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (before == "folder")
        QVERIFY(QDir().mkdir(path));
    else if (before == "link") {
        QFile own(kept);
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write("<html>mine</html>") > 0);
        own.close();
        QVERIFY(QFile::link(kept, path));
    } else if (!name.isEmpty())
        QVERIFY(dir.write(name, before));
    const QDateTime at(QDate(2026, 12, 8), QTime(21, 40, 5));
    DataFolderResult r;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit.emplace(sizeLimit);
        r = prepareDataFolder(at);
    }
    const QString shown = name.isEmpty() ? kHelpFile : name;
    if (special) {
        const QFileInfo info(path);
        QVERIFY(before == "pipe"         ? !info.isFile() && info.exists()
                    : before == "folder" ? info.isDir()
                                         : info.isSymLink());
        if (before == "link")
            QCOMPARE(dir.bytes(name), QByteArray("<html>mine</html>"));
        QVERIFY(!r.written.contains(shown));
        QVERIFY(backupsOf(shown).isEmpty());
        return;
    }
    // The help in the folder is the current one, under the name it had.
    QCOMPARE(dir.bytes(shown), replaced || name.isEmpty() ? current : before);
    QCOMPARE(r.written.contains(shown), replaced || name.isEmpty());
    QVERIFY(!r.failed.contains(shown));
    QCOMPARE(dir.files().filter(QStringLiteral("elp"), Qt::CaseInsensitive), QStringList{shown}); // no temporary left
    // The one replaced is kept in the backup folder, with why it was copied
    // (an empty one holds nothing to keep).
    const QStringList copies = backupsOf(shown);
    QCOMPARE(copies.size(), replaced && !before.isEmpty() ? 1 : 0);
    if (!copies.isEmpty()) {
        QCOMPARE(copies.first(), backupName(shown, at));
        QCOMPARE(dir.bytes(kBackupFolder + QLatin1Char('/') + copies.first()), before);
        QVERIFY(dir.bytes(kBackupFolder + QStringLiteral("/コピーの理由.txt")).contains(sjis("ヘルプを新しくする前")));
    }
    // The next start finds it up to date.
    if (replaced)
        QVERIFY(!prepareDataFolder(at.addSecs(60)).written.contains(shown));
}

QTEST_GUILESS_MAIN(tst_playlog)
#include "tst_playlog.moc"
