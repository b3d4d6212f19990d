// The play log written out as CSV and read back as a spreadsheet reads it:
// Python's csv module opens the file the program wrote and must find the
// same records, the Japanese intact, dates and times in their ISO form and
// the seconds as numbers.
#include "core/playlog/playlog.h"
#include "core/transfer/csvexport.h"
#include "core/transfer/exportfile.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace kioku;

namespace {

using Table = QList<QStringList>;

// What Python's csv module found in `path` (the object csvreadback.py prints).
QJsonObject readBack(const QString &path, const QStringList &numberColumns)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return {};
    QProcess p;
    p.start(python, QStringList{QStringLiteral(KIOKU_TEST_DATA "/csvreadback.py"), path} + numberColumns);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

Table rowsOf(const QJsonObject &o)
{
    Table rows;
    for (const QJsonValue &r : o.value(QStringLiteral("rows")).toArray()) {
        QStringList cells;
        for (const QJsonValue &c : r.toArray())
            cells.append(c.toString());
        rows.append(cells);
    }
    return rows;
}

const QStringList kHeader = {"回数", "日付", "時間", "項目", "秒数", "一言日記"};

} // namespace

class tst_csvexport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void logsReadBack_data();
    void logsReadBack();
};

void tst_csvexport::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("python3 is not installed");
}

// Each log as the file holds it (code page 932 lines), and the rows a
// spreadsheet must show for it, header first.
void tst_csvexport::logsReadBack_data()
{
    QTest::addColumn<QStringList>("logLines");
    QTest::addColumn<Table>("expected");

    QTest::newRow("japanese items")
        << QStringList{"2026/12/08,14:03:05,\"数字記憶\",42.5,\"暗記数 : 8   正解 : 6   不正解 : 2\",",
                       "2026/12/08,14:10:00,\"アイコン衰弱\",63.25,\"レベル３ ６ペア\",",
                       "2026/12/09,09:00:00,\"バラバラ記憶タイピング\",120,\"\","}
        << Table{kHeader,
                 {"1", "2026-12-08", "14:03:05", "数字記憶", "42.5", "暗記数 : 8   正解 : 6   不正解 : 2"},
                 {"2", "2026-12-08", "14:10:00", "アイコン衰弱", "63.25", "レベル３ ６ペア"},
                 {"3", "2026-12-09", "09:00:00", "バラバラ記憶タイピング", "120", ""}};
    // A comma inside a quoted diary text, and a double quote in a diary line
    // edited by hand (the field left without quotes, so the quote is text).
    QTest::newRow("comma and quote in a diary")
        << QStringList{"2026/12/08,14:03:05,\"時間差記憶タイピング\",30,\"今日は、よくできた, 明日も\",\"\"",
                       "2026/12/08,15:00:00,\"輪廻記憶タイピング\",12.5,彼は\"天才\"と言った,"}
        << Table{kHeader,
                 {"1", "2026-12-08", "14:03:05", "時間差記憶タイピング", "30", "今日は、よくできた, 明日も"},
                 {"2", "2026-12-08", "15:00:00", "輪廻記憶タイピング", "12.5", "彼は\"天才\"と言った"}};
    QTest::newRow("empty log") << QStringList{} << Table{kHeader};
    // An item no game has, and a line whose date and time are no date and
    // time: written as they are stored, nothing dropped.
    QTest::newRow("unknown item") << QStringList{"2026/12/08,14:03:05,\"将棋\",60,\"独自の練習\",",
                                                 "昨日,朝,\"数字記憶\",0.1,\"\",",
                                                 "2026/1/5,9:3:5,\"追跡記憶\",7,\"\","}
                                  << Table{kHeader,
                                           {"1", "2026-12-08", "14:03:05", "将棋", "60", "独自の練習"},
                                           {"2", "昨日", "朝", "数字記憶", "0.1", ""},
                                           {"3", "2026-01-05", "09:03:05", "追跡記憶", "7", ""}};
}

void tst_csvexport::logsReadBack()
{
    QFETCH(QStringList, logLines);
    QFETCH(Table, expected);

    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile, sjisLines(logLines)));
    const PlayLog log = readPlayLog();
    QVERIFY(log.clean);
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("プレイの記録.csv"));
    QVERIFY(writeExportFiles({ExportFile{path, csv::playLogCsv(log.records)}}));

    const QJsonObject found = readBack(path, {QStringLiteral("0"), QStringLiteral("4")});
    QVERIFY2(!found.isEmpty(), "csvreadback.py did not run");
    QVERIFY(found.value(QStringLiteral("bom")).toBool());
    QVERIFY(found.value(QStringLiteral("crlf")).toBool());
    QVERIFY(found.value(QStringLiteral("values_ok")).toBool());
    QCOMPARE(rowsOf(found), expected);
}

QTEST_GUILESS_MAIN(tst_csvexport)
#include "tst_csvexport.moc"
