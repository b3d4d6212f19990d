// The summary of the play log that every panel of the main window is rebuilt
// from: the log's first and last dates, whether it is empty, the day picked,
// the item names and the records themselves.
#include "core/stats/logsummary.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

class tst_logsummary : public QObject {
    Q_OBJECT

private slots:
    void summary_data();
    void summary();
    void itemsAndReadFlagsAreKept();
};

void tst_logsummary::summary_data()
{
    QTest::addColumn<QList<PlayRecord>>("records");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    const QDate today(2026, 12, 7);
    QTest::newRow("empty log") << QList<PlayRecord>{} << today << true << ""
                               << "";
    QTest::newRow("one record") << QList<PlayRecord>{play("2026/12/07", "09:00:00", "数字記憶", 10)} << today << false
                                << "2026/12/07"
                                << "2026/12/07";
    QTest::newRow("several days") << QList<PlayRecord>{play("2026/11/30", "09:00:00", "数字記憶", 10),
                                                       play("2026/12/01", "09:00:00", "画像記憶", 10),
                                                       play("2026/12/01", "10:00:00", "追跡記憶", 10),
                                                       play("2026/12/07", "09:00:00", "輪廻記憶", 10)}
                                  << today << false << "2026/11/30"
                                  << "2026/12/07";
    // The earliest and the latest date, wherever their lines stand (a clock
    // set back, a line moved by hand); lines without a date are passed over,
    // and kept as written only when no line has a date.
    QTest::newRow("lines out of date order") << QList<PlayRecord>{play("2026/12/05", "09:00:00", "数字記憶", 10),
                                                                  play("2026/11/02", "09:00:00", "数字記憶", 10),
                                                                  play("2026/12/03", "09:00:00", "数字記憶", 10)}
                                             << today << false << "2026/11/02"
                                             << "2026/12/05";
    QTest::newRow("clock set back: last line before the first")
        << QList<PlayRecord>{play("2026/12/05", "09:00:00", "数字記憶", 10),
                             play("2026/12/06", "09:00:00", "数字記憶", 10),
                             play("2000/01/01", "00:01:00", "数字記憶", 10)}
        << today << false << "2000/01/01"
        << "2026/12/06";
    QTest::newRow("undated lines around the dated ones")
        << QList<PlayRecord>{play("", "09:00:00", "数字記憶", 10), play("2026/12/05", "09:00:00", "数字記憶", 10),
                             play("2026/12/5", "09:00:00", "数字記憶", 10), play("昨日", "09:00:00", "数字記憶", 10)}
        << today << false << "2026/12/05"
        << "2026/12/05";
    // A year typed wrong by hand would stretch every view over millions of days.
    QTest::newRow("a year no play can have") << QList<PlayRecord>{play("0001/01/01", "09:00:00", "数字記憶", 10),
                                                                  play("2026/12/05", "09:00:00", "数字記憶", 10),
                                                                  play("9999/12/31", "09:00:00", "数字記憶", 10)}
                                             << today << false << "2026/12/05"
                                             << "2026/12/05";
    QTest::newRow("no line dated") << QList<PlayRecord>{play("昨日", "09:00:00", "数字記憶", 10),
                                                        play("", "09:00:00", "数字記憶", 10)}
                                   << today << false << "昨日"
                                   << "";
    QTest::newRow("selected day without plays") << QList<PlayRecord>{play("2026/12/01", "09:00:00", "数字記憶", 10)}
                                                << QDate(2025, 2, 14) << false << "2026/12/01"
                                                << "2026/12/01";
    QTest::newRow("selected day after the last play")
        << QList<PlayRecord>{play("2026/12/01", "09:00:00", "数字記憶", 10)} << QDate(2027, 1, 1) << false
        << "2026/12/01"
        << "2026/12/01";
}

void tst_logsummary::summary()
{
    QFETCH(QList<PlayRecord>, records);
    QFETCH(QDate, day);
    QFETCH(bool, empty);
    QFETCH(QString, first);
    QFETCH(QString, last);

    PlayLog log;
    log.records = records;
    const LogSummary s = summarizeLog(log, day);
    QCOMPARE(s.logEmpty, empty);
    QCOMPARE(s.firstPlayDate, first);
    QCOMPARE(s.lastPlayDate, last);
    QCOMPARE(s.selectedDay, day);
    QCOMPARE(s.items, itemNames());
    QCOMPARE(s.records(), records);
    // The panels share the records read once; a summary holds no copy of them.
    QVERIFY(s.records().isSharedWith(log.records) || records.isEmpty());
}

void tst_logsummary::itemsAndReadFlagsAreKept()
{
    PlayLog log;
    log.records = {play("2026/12/07", "09:00:00", "むかしのゲーム", 3)};
    log.clean = false;
    const QStringList items = {QStringLiteral("輪廻記憶"), QStringLiteral("数字記憶")};
    const LogSummary s = summarizeLog(log, QDate(2026, 12, 7), items);
    QCOMPARE(s.items, items);
    QVERIFY(!s.log.clean); // a panel that rewrites the log can tell it was damaged
    QVERIFY(!s.log.readError);
    QVERIFY(!s.logEmpty);
}

QTEST_GUILESS_MAIN(tst_logsummary)
#include "tst_logsummary.moc"
