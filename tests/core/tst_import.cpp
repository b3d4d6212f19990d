// Moving in from an old folder: what the preview says it found, the files a
// merge and a replace leave, byte for byte, and that nothing changes when the
// import is not applied, or fails part-way; the imported folder never changes.
#include "core/backup.h"
#include "core/transfer/fileset.h"
#include "core/transfer/import.h"
#include "moveinfixture.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace kioku;
using namespace kioku::transfer;
using namespace moveinfixture;

Q_DECLARE_METATYPE(kioku::transfer::Mode)

namespace {

const QDateTime kAt(QDate(2026, 12, 8), QTime(14, 15, 3));

const FoundFile *found(const Preview &p, const QString &name)
{
    for (const FoundFile &f : p.files)
        if (f.name == name)
            return &f;
    return nullptr;
}

} // namespace

class tst_import : public QObject {
    Q_OBJECT

private slots:
    void preview_data();
    void preview();
    void importedFiles_data();
    void importedFiles();
    void secondImportChangesNothing_data();
    void secondImportChangesNothing();
    void failureLeavesEverything_data();
    void failureLeavesEverything();
    void unusableFolder_data();
    void unusableFolder();
    void currentFileUnreadable_data();
    void currentFileUnreadable();
    void mergeOrder_data();
    void mergeOrder();
};

void tst_import::preview_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("contents");
    QTest::addColumn<QString>("trouble");

    QTest::newRow("log: a garbled line and the record cut off at its end")
        << QStringLiteral("データ.txt") << QStringLiteral("プレイ記録")
        << QStringLiteral("3 件（2024/03/01 ～ 2026/12/01）")
        << QStringLiteral("3, 5 行目を読めません（取り込みません）");
    QTest::newRow("history with a date that is none")
        << QStringLiteral("数字記憶履歴.txt") << QStringLiteral("数字記憶の履歴")
        << QStringLiteral("2 件（2024/03/01 ～ 2025/01/01）") << QStringLiteral("2 行目を読めません（取り込みません）");
    QTest::newRow("history in UTF-8 with its mark")
        << QStringLiteral("画像記憶履歴.txt") << QStringLiteral("画像記憶の履歴")
        << QStringLiteral("1 件（2024/05/05 ～ 2024/05/05）") << QString();
    QTest::newRow("history in UTF-8 without its mark is not guessed")
        << QStringLiteral("輪廻記憶履歴.txt") << QStringLiteral("輪廻記憶の履歴") << QStringLiteral("－")
        << QStringLiteral("Shift-JIS でも BOM 付きの UTF-8 でもない文字があるため、読み込みません。");
    QTest::newRow("records") << QStringLiteral("アイコン衰弱記録.txt") << QStringLiteral("アイコン衰弱の最高記録")
                             << QStringLiteral("2 レベル") << QStringLiteral("3 行目を読めません（取り込みません）");
    QTest::newRow("memo") << QStringLiteral("メモ.TXT") << QStringLiteral("メモ") << QStringLiteral("1 行")
                          << QString();
    QTest::newRow("name") << QStringLiteral("氏名.txt") << QStringLiteral("お名前") << QStringLiteral("太郎")
                          << QString();
    QTest::newRow("settings") << QStringLiteral("設定.txt") << QStringLiteral("ヘルプツアーの設定")
                              << QStringLiteral("1 行") << QString();
    QTest::newRow("game settings") << QStringLiteral("数字記憶設定.txt") << QStringLiteral("数字記憶の設定")
                                   << QStringLiteral("1 行") << QString();
    QTest::newRow("word list") << QStringLiteral("時間差辞書.txt") << QStringLiteral("時間差記憶の単語リスト")
                               << QStringLiteral("2 語") << QString();
    QTest::newRow("icon") << QStringLiteral("ドイツ.ico") << QStringLiteral("アイコン") << QStringLiteral("46 バイト")
                          << QString();
    QTest::newRow("not an icon") << QStringLiteral("壊れ.ico") << QStringLiteral("アイコン") << QStringLiteral("－")
                                 << QStringLiteral("アイコンの形式ではないため、取り込みません。");
    QTest::newRow("a settings file of its own")
        << QStringLiteral("目標.txt") << QStringLiteral("そのほかのファイル") << QStringLiteral("1 行") << QString();
}

void tst_import::preview()
{
    QFETCH(QString, name);
    QFETCH(QString, what);
    QFETCH(QString, contents);
    QFETCH(QString, trouble);
    TempDataDir data;
    QTemporaryDir old;
    writeOldFolder(old.path());
    const Preview p = scan(old.path());
    QVERIFY(p.error.isEmpty());
    const FoundFile *f = found(p, name);
    QVERIFY2(f, qPrintable(name));
    QCOMPARE(f->what(), what);
    QCOMPARE(f->contents(), contents);
    QCOMPARE(f->trouble(), trouble);
    // Neither the program nor the old folder's other files are taken for data.
    QVERIFY(!found(p, QStringLiteral("kioku.exe")));
    QVERIFY(!found(p, QStringLiteral("SoramiruHelp.html")));
}

void tst_import::importedFiles_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("expected");

    const QMap<QString, QByteArray> now = currentFiles();
    const QByteArray records = lines({QStringLiteral("25,\"40.5\""), QStringLiteral("40,\"60\""),
                                      QStringLiteral("50,\"80\""), QStringLiteral("9999,\"9999\"")});
    const QByteArray oldRecords = lines({QStringLiteral("25,\"45.0\""), QStringLiteral("40,\"60\""),
                                         QStringLiteral("9999,\"9999\""), QStringLiteral("9999,\"9999\"")});
    // Merge: the union in date order, each record once; the better record of each level; both memos.
    QTest::newRow("merge: log") << Mode::Merge << QStringLiteral("データ.txt") << lines({kO1, kC1, kC2, kO4});
    QTest::newRow("merge: history") << Mode::Merge << QStringLiteral("数字記憶履歴.txt") << lines({kHO1, kH1});
    QTest::newRow("merge: UTF-8 history") << Mode::Merge << QStringLiteral("画像記憶履歴.txt") << lines({kImageLine});
    QTest::newRow("merge: unreadable history stays away")
        << Mode::Merge << QStringLiteral("輪廻記憶履歴.txt") << QByteArray();
    QTest::newRow("merge: records") << Mode::Merge << QStringLiteral("アイコン衰弱記録.txt") << records;
    QTest::newRow("merge: memo") << Mode::Merge << QStringLiteral("メモ.TXT")
                                 << lines({QStringLiteral("今日の目標"), QStringLiteral("毎日続ける"),
                                           QStringLiteral("昔のメモ")});
    QTest::newRow("merge: name stays") << Mode::Merge << QStringLiteral("氏名.txt") << now.value("氏名.txt");
    QTest::newRow("merge: settings stay") << Mode::Merge << QStringLiteral("設定.txt") << now.value("設定.txt");
    QTest::newRow("merge: missing game settings come")
        << Mode::Merge << QStringLiteral("数字記憶設定.txt") << lines({QStringLiteral("8,\"0.5\",1")});
    QTest::newRow("merge: word lists joined")
        << Mode::Merge << QStringLiteral("時間差辞書.txt")
        << lines({QStringLiteral("りんご"), QStringLiteral("みかん"), QStringLiteral("ぶどう")});
    QTest::newRow("merge: own icon stays") << Mode::Merge << QStringLiteral("フランス.ico") << icon('f');
    QTest::newRow("merge: new icon comes") << Mode::Merge << QStringLiteral("ドイツ.ico") << icon('D');
    QTest::newRow("merge: no broken icon") << Mode::Merge << QStringLiteral("壊れ.ico") << QByteArray();
    QTest::newRow("merge: a file of its own comes")
        << Mode::Merge << QStringLiteral("目標.txt") << lines({QStringLiteral("30")});
    QTest::newRow("merge: a file of its own stays")
        << Mode::Merge << QStringLiteral("文字の大きさ.txt") << now.value("文字の大きさ.txt");

    // Replace: the readable lines of the folder's files.
    QTest::newRow("replace: log") << Mode::Replace << QStringLiteral("データ.txt") << lines({kO1, kO2, kO4});
    QTest::newRow("replace: history") << Mode::Replace << QStringLiteral("数字記憶履歴.txt") << lines({kHO1, kH1});
    QTest::newRow("replace: records") << Mode::Replace << QStringLiteral("アイコン衰弱記録.txt") << oldRecords;
    QTest::newRow("replace: memo") << Mode::Replace << QStringLiteral("メモ.TXT")
                                   << lines({QStringLiteral("昔のメモ")});
    QTest::newRow("replace: name") << Mode::Replace << QStringLiteral("氏名.txt")
                                   << lines({QStringLiteral("\"氏名\",\"太郎\"")});
    QTest::newRow("replace: settings") << Mode::Replace << QStringLiteral("設定.txt")
                                       << lines({QStringLiteral("\"ヘルプツアー\",0")});
    QTest::newRow("replace: word list") << Mode::Replace << QStringLiteral("時間差辞書.txt")
                                        << lines({QStringLiteral("みかん"), QStringLiteral("ぶどう")});
    QTest::newRow("replace: icon") << Mode::Replace << QStringLiteral("フランス.ico") << icon('F');
    QTest::newRow("replace: a file of its own")
        << Mode::Replace << QStringLiteral("文字の大きさ.txt") << lines({QStringLiteral("小")});
}

void tst_import::importedFiles()
{
    QFETCH(Mode, mode);
    QFETCH(QString, name);
    QFETCH(QByteArray, expected);
    TempDataDir data;
    writeCurrentFolder();
    QTemporaryDir old;
    writeOldFolder(old.path());
    const QMap<QString, QByteArray> oldSums = checksums(old.path());
    const QMap<QString, QByteArray> before = currentFiles();

    const Plan p = plan(scan(old.path()), mode);
    QVERIFY(p.error.isEmpty());
    const text::WriteResult r = apply(p, kAt);
    QVERIFY2(r.ok, qPrintable(r.message));

    QCOMPARE(data.bytes(name), expected);
    // The file's spelling in the data folder is kept, never a second file in another case.
    const QRegularExpression spellings(QLatin1Char('^') + QRegularExpression::escape(QFileInfo(name).completeBaseName())
                                           + QStringLiteral("\\.[^.]+$"),
                                       QRegularExpression::CaseInsensitiveOption);
    QCOMPARE(data.files().filter(spellings).size(), expected.isEmpty() ? 0 : 1);
    // A file that changed was copied first, as it was.
    if (before.contains(name) && before.value(name) != expected) {
        const QStringList copies = backupsOf(name);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(data.bytes(kBackupFolder + QLatin1Char('/') + copies.first()), before.value(name));
    }
    QCOMPARE(checksums(old.path()), oldSums);
}

void tst_import::secondImportChangesNothing_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::newRow("merge") << Mode::Merge;
    QTest::newRow("replace") << Mode::Replace;
}

void tst_import::secondImportChangesNothing()
{
    QFETCH(Mode, mode);
    TempDataDir data;
    writeCurrentFolder();
    QTemporaryDir old;
    writeOldFolder(old.path());
    QVERIFY(apply(plan(scan(old.path()), mode), kAt).ok);
    const QMap<QString, QByteArray> after = checksums(QDir::currentPath());
    const Plan again = plan(scan(old.path()), mode);
    QVERIFY2(again.changes.isEmpty(), qPrintable(again.changes.value(0).name));
    QCOMPARE(checksums(QDir::currentPath()), after);
}

void tst_import::failureLeavesEverything_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("failure");

    for (const Mode mode : {Mode::Merge, Mode::Replace}) {
        const char *m = mode == Mode::Merge ? "merge" : "replace";
        QTest::addRow("%s: cancelled after the preview", m) << mode << QStringLiteral("cancel");
        QTest::addRow("%s: a copy cannot be made", m) << mode << QStringLiteral("backup");
        QTest::addRow("%s: the first rename", m) << mode << QStringLiteral("rename0");
        QTest::addRow("%s: a rename in the middle", m) << mode << QStringLiteral("rename3");
        QTest::addRow("%s: the last rename", m) << mode << QStringLiteral("renameLast");
    }
}

void tst_import::failureLeavesEverything()
{
    QFETCH(Mode, mode);
    QFETCH(QString, failure);
    TempDataDir data;
    writeCurrentFolder();
    // No copy can be made: a file lies where the backup folder would be.
    if (failure == QLatin1String("backup"))
        QVERIFY(data.write(kBackupFolder, "in the way"));
    QTemporaryDir old;
    writeOldFolder(old.path());
    const QMap<QString, QByteArray> oldSums = checksums(old.path());
    const QMap<QString, QByteArray> before = checksums(QDir::currentPath());

    const Plan p = plan(scan(old.path()), mode);
    QVERIFY(p.changes.size() > 4);
    if (failure != QLatin1String("cancel")) {
        if (failure == QLatin1String("renameLast"))
            transfer::testing::failRenameAt(int(p.changes.size()) - 1);
        else if (failure.startsWith(QLatin1String("rename")))
            transfer::testing::failRenameAt(failure.right(1).toInt());
        const text::WriteResult r = apply(p, kAt);
        QVERIFY(!r.ok);
        QVERIFY2(r.message.contains(QStringLiteral("元のまま")) || r.message.contains(QStringLiteral("そのまま")),
                 qPrintable(r.message));
        QVERIFY(isPlainJapanese(r.message));
    }
    QCOMPARE(checksums(QDir::currentPath()), before); // no file changed, none added, no temporary left
    QCOMPARE(checksums(old.path()), oldSums);
}

void tst_import::unusableFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("が見つかりません");
    QTest::newRow("the data folder itself") << QStringLiteral(".") << QStringLiteral("今使っているデータフォルダ");
    QTest::newRow("nothing of ours in it") << QStringLiteral("empty") << QStringLiteral("取り込めるデータがありません");
}

void tst_import::unusableFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, error);
    TempDataDir data;
    writeCurrentFolder();
    QDir().mkdir(QStringLiteral("empty"));
    const QMap<QString, QByteArray> before = checksums(QDir::currentPath());
    const Preview p = scan(QDir::current().filePath(folder));
    QVERIFY2(p.error.contains(error), qPrintable(p.error));
    QVERIFY(!p.usable());
    QVERIFY(!apply(plan(p, Mode::Replace), kAt).ok);
    QCOMPARE(checksums(QDir::currentPath()), before);
}

void tst_import::currentFileUnreadable_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::newRow("merge") << Mode::Merge;
    QTest::newRow("replace") << Mode::Replace;
}

void tst_import::currentFileUnreadable()
{
    QFETCH(Mode, mode);
    TempDataDir data;
    writeCurrentFolder();
    // The data folder's own log holds bytes that are no code page 932: it is neither merged nor replaced.
    const QByteArray garbled = lines({kC1}) + QByteArray("\"2025/01/01\",\"\x85\x40\"\r\n");
    QVERIFY(data.write(QStringLiteral("データ.txt"), garbled));
    QTemporaryDir old;
    writeOldFolder(old.path());
    const Plan p = plan(scan(old.path()), mode);
    QCOMPARE(p.skipped.size(), 1);
    QVERIFY2(p.skipped.first().startsWith(QStringLiteral("「データ.txt」")), qPrintable(p.skipped.first()));
    QVERIFY(apply(p, kAt).ok);
    QCOMPARE(data.bytes(QStringLiteral("データ.txt")), garbled);
    QCOMPARE(data.bytes(QStringLiteral("数字記憶履歴.txt")), lines({kHO1, kH1})); // the rest is taken in
}

void tst_import::mergeOrder_data()
{
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("incoming");
    QTest::addColumn<QStringList>("expected");
    const QString a = QStringLiteral("\"2024/01/01\",\"09:00:00\",\"数字記憶\",3,\"a\",");
    const QString b = QStringLiteral("\"2024/01/01\",\"09:00:00\",\"数字記憶\",3,\"b\",");
    const QString c = QStringLiteral("\"2024/1/2\",\"9:00:00\",\"数字記憶\",3,\"c\",");
    const QString d = QStringLiteral("\"2023/12/31\",\"23:59:59\",\"数字記憶\",3,\"d\",");
    const QString x = QStringLiteral("手で書き足した行");
    QTest::newRow("one moment, two plays, one of them in both")
        << QStringList{a} << QStringList{b, a} << QStringList{a, b};
    QTest::newRow("short dates sort as dates") << QStringList{c} << QStringList{d, a} << QStringList{d, a, c};
    QTest::newRow("a record twice in the current log stays twice")
        << QStringList{a, a} << QStringList{a} << QStringList{a, a};
    QTest::newRow("a current line without a date keeps its place")
        << QStringList{a, x, c} << QStringList{d} << QStringList{d, a, x, c};
    QTest::newRow("nothing current") << QStringList{} << QStringList{c, d} << QStringList{d, c};
}

void tst_import::mergeOrder()
{
    QFETCH(QStringList, current);
    QFETCH(QStringList, incoming);
    QFETCH(QStringList, expected);
    QCOMPARE(mergeRecordLines(current, incoming, 0), expected);
}

QTEST_GUILESS_MAIN(tst_import)
#include "tst_import.moc"
