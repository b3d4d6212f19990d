// Undo from a backup: the list of copies (file, moment, why, what it holds,
// how it differs from the file now) and putting one back, which copies the
// current file first and refuses a damaged copy with its reason.
#include "core/backup.h"
#include "core/transfer/fileset.h"
#include "core/transfer/restore.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace kioku;
using namespace kioku::transfer;

namespace {

const QDateTime kAt(QDate(2026, 12, 8), QTime(14, 15, 3));
const QDateTime kLater(QDate(2026, 12, 9), QTime(8, 0, 0));

QString rec(int day, const QString &comment = QStringLiteral("暗記数 : 8"))
{
    return QStringLiteral("\"2026/11/%1\",\"09:00:00\",\"数字記憶\",30,\"%2\",")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(comment);
}

void putCopy(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(kBackupFolder);
    QFile f(kBackupFolder + QLatin1Char('/') + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const BackupCopy *copyNamed(const QList<BackupCopy> &list, const QString &name)
{
    for (const BackupCopy &c : list)
        if (c.copyName == name)
            return &c;
    return nullptr;
}

} // namespace

class tst_restore : public QObject {
    Q_OBJECT

private slots:
    void listed_data();
    void listed();
    void putBack_data();
    void putBack();
    void newestFirst();
    void garbledNotesLeftAlone();
};

void tst_restore::listed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<QByteArray>("now");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("holds");
    QTest::addColumn<QString>("difference");

    QTest::newRow("log before a deletion: three records back, one the log has gained")
        << QStringLiteral("データ.txt") << sjisLines({rec(1), rec(2), rec(3), rec(4)}) << sjisLines({rec(1), rec(5)})
        << QString() << QStringLiteral("記録の削除・書き換えの前") << QStringLiteral("4 件")
        << QStringLiteral("+3 行 / −1 行");
    QTest::newRow("history before クリア")
        << QStringLiteral("数字記憶履歴.txt") << sjisLines({rec(1), rec(2)}) << QByteArray() << QString()
        << QStringLiteral("履歴のクリアの前") << QStringLiteral("2 件") << QStringLiteral("+2 行 / −0 行");
    QTest::newRow("noted reason, same content")
        << QStringLiteral("メモ.TXT") << sjisLines({QStringLiteral("メモ")}) << sjisLines({QStringLiteral("メモ")})
        << QStringLiteral("以前のデータを取り込む前") << QStringLiteral("以前のデータを取り込む前")
        << QStringLiteral("1 行") << QStringLiteral("今と同じ内容");
    QTest::newRow("file gone") << QStringLiteral("目標.txt") << sjisLines({QStringLiteral("30")}) << QByteArray()
                               << QString() << QString() << QStringLiteral("1 行")
                               << QStringLiteral("今はファイルがありません");
}

void tst_restore::listed()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, copy);
    QFETCH(QByteArray, now);
    QFETCH(QString, note);
    QFETCH(QString, reason);
    QFETCH(QString, holds);
    QFETCH(QString, difference);
    TempDataDir data;
    QVERIFY(data.write(file, copy));
    const BackupResult made = backUpFile(file, kAt);
    QVERIFY(made.ok && made.copies.size() == 1);
    const QString copyName = QFileInfo(made.copies.first()).fileName();
    if (!note.isEmpty()) {
        QDir().mkpath(kBackupFolder);
        QVERIFY(data.write(kBackupFolder + QLatin1Char('/') + kNotesFile,
                           sjisLines({QStringLiteral("\"%1\",\"%2\"").arg(copyName, note)})));
    }
    if (now.isEmpty())
        QFile::remove(file);
    else
        QVERIFY(data.write(file, now));
    if (file == QStringLiteral("数字記憶履歴.txt"))
        QVERIFY(data.write(file, QByteArray())); // emptied by クリア

    const QList<BackupCopy> list = listBackups();
    const BackupCopy *c = copyNamed(list, copyName);
    QVERIFY(c);
    QCOMPARE(c->fileName, file);
    QCOMPARE(c->at, kAt);
    QCOMPARE(c->reason, reason);
    QCOMPARE(c->holds, holds);
    QCOMPARE(c->difference(), difference);
    QVERIFY(!c->damaged);
}

void tst_restore::putBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<QByteArray>("now");
    QTest::addColumn<QString>("refusal"); // "" when it is put back
    QTest::addColumn<bool>("linked");     // the file is a link to one kept elsewhere

    const QByteArray log = sjisLines({rec(1), rec(2), rec(3)});
    QTest::newRow("log") << QStringLiteral("データ.txt") << log << sjisLines({rec(1)}) << QString() << false;
    QTest::newRow("log in UTF-8 with its mark, as an editor saved it")
        << QStringLiteral("データ.txt") << QByteArray("\xEF\xBB\xBF") + (rec(1) + QStringLiteral("\r\n")).toUtf8()
        << sjisLines({rec(2)}) << QString() << false;
    QTest::newRow("history, the file gone")
        << QStringLiteral("数字記憶履歴.txt") << sjisLines({rec(4)}) << QByteArray() << QString() << false;
    QTest::newRow("damaged: bytes of no encoding")
        << QStringLiteral("データ.txt") << QByteArray("\"2026/11/01\",\"\x85\x40\"\r\n") << sjisLines({rec(1)})
        << QStringLiteral("Shift-JIS（または BOM 付きの UTF-8）として読めないため") << false;
    QTest::newRow("damaged: a log of no record")
        << QStringLiteral("データ.txt") << sjisLines({QStringLiteral("こわれた"), QStringLiteral("\"2026/11\"")})
        << sjisLines({rec(1)}) << QStringLiteral("プレイ記録として読める行が一つもない") << false;
    QTest::newRow("damaged: a picture that is none")
        << QStringLiteral("日本.ico") << QByteArray("GIF89a") << QByteArray("\0\0\1\0\1\0", 6)
        << QStringLiteral("アイコンの形式ではない") << false;
    // The log kept elsewhere (a synchronised folder) and linked into the
    // data folder: the file it points to gets the copy's bytes, the link stays.
    QTest::newRow("log linked from elsewhere")
        << QStringLiteral("データ.txt") << log << sjisLines({rec(1)}) << QString() << true;
}

void tst_restore::putBack()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, copy);
    QFETCH(QByteArray, now);
    QFETCH(QString, refusal);
    QFETCH(bool, linked);
    TempDataDir data;
    QTemporaryDir elsewhere;
    const QString kept = elsewhere.filePath(QStringLiteral("記録.txt"));
    const QString copyName = backupName(file, kAt);
    putCopy(copyName, copy);
    if (linked) {
        QFile f(kept);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(now) == now.size());
        f.close();
        QVERIFY(QFile::link(kept, QDir::current().filePath(file)));
    } else if (!now.isEmpty()) {
        QVERIFY(data.write(file, now));
    }

    const text::WriteResult r = restoreBackup(copyName, kLater);
    if (!refusal.isEmpty()) {
        QVERIFY(!r.ok);
        QVERIFY2(r.message.contains(refusal), qPrintable(r.message));
        QVERIFY(isPlainJapanese(r.message));
        QCOMPARE(data.bytes(file), now);
        QCOMPARE(backupsOf(file), QStringList{copyName}); // nothing copied, nothing changed
        const QList<BackupCopy> copies = listBackups();
        const BackupCopy *listed = copyNamed(copies, copyName);
        QVERIFY(listed && listed->damaged);
        return;
    }
    QVERIFY2(r.ok, qPrintable(r.message));
    QCOMPARE(data.bytes(file), copy);
    if (linked) {
        QVERIFY(QFileInfo(QDir::current().filePath(file)).isSymLink());
        QCOMPARE(QFileInfo(QDir::current().filePath(file)).symLinkTarget(), kept);
        QVERIFY(elsewhere.path().size() > 0
                && QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden).size() == 1);
    }
    QCOMPARE(data.bytes(kBackupFolder + QLatin1Char('/') + copyName), copy); // the copy stays
    if (!now.isEmpty()) {
        const QString before = backupName(file, kLater);
        QCOMPARE(data.bytes(kBackupFolder + QLatin1Char('/') + before), now);
        QCOMPARE(readNotes().value(before), QStringLiteral("バックアップから戻す前"));
    }
}

void tst_restore::newestFirst()
{
    TempDataDir data;
    putCopy(QStringLiteral("データ_20261201-090000.txt"), sjisLines({rec(1)}));
    putCopy(QStringLiteral("データ_20261203-090000.txt"), sjisLines({rec(1)}));
    putCopy(QStringLiteral("データ_20261203-090000_2.txt"), sjisLines({rec(1)}));
    putCopy(QStringLiteral("数字記憶履歴_20261202-090000.txt"), sjisLines({rec(1)}));
    putCopy(QStringLiteral("読めない名前.txt"), sjisLines({rec(1)}));
    QStringList names;
    for (const BackupCopy &c : listBackups())
        names.append(c.copyName);
    QCOMPARE(names,
             (QStringList{QStringLiteral("データ_20261203-090000_2.txt"), QStringLiteral("データ_20261203-090000.txt"),
                          QStringLiteral("数字記憶履歴_20261202-090000.txt"),
                          QStringLiteral("データ_20261201-090000.txt")}));
}

void tst_restore::garbledNotesLeftAlone()
{
    TempDataDir data;
    QVERIFY(data.write(QStringLiteral("データ.txt"), sjisLines({rec(1)})));
    putCopy(QStringLiteral("データ_20261201-090000.txt"), sjisLines({rec(1), rec(2)}));
    // One note readable, one line of bytes that are no code page 932.
    const QByteArray notes = sjisLines({QStringLiteral("\"データ_20261201-090000.txt\",\"手で書いた理由\"")})
        + QByteArray("\"\x85\x40.txt\",\"x\"\r\n");
    QVERIFY(data.write(kBackupFolder + QLatin1Char('/') + kNotesFile, notes));

    QVERIFY(restoreBackup(QStringLiteral("データ_20261201-090000.txt"), kLater).ok);
    QCOMPARE(data.bytes(kBackupFolder + QLatin1Char('/') + kNotesFile), notes); // never rewritten
    bool clean = true;
    const QList<BackupCopy> list = listBackups(&clean);
    QVERIFY(!clean);
    const BackupCopy *copy = copyNamed(list, QStringLiteral("データ_20261201-090000.txt"));
    QVERIFY(copy);
    QCOMPARE(copy->reason, QStringLiteral("手で書いた理由"));
    // The copy made before putting it back gets the reason its kind of file has.
    const BackupCopy *before = copyNamed(list, backupName(QStringLiteral("データ.txt"), kLater));
    QVERIFY(before);
    QCOMPARE(before->reason, QStringLiteral("記録の削除・書き換えの前"));
}

QTEST_GUILESS_MAIN(tst_restore)
#include "tst_restore.moc"
