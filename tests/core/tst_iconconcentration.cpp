// Icon concentration rules: the deal follows the draws exactly, and a records
// file is read line by line, a damaged line counting as no record.
#include "core/rules/iconconcentration.h"
#include "testing/seededrandom.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

class tst_IconConcentration : public QObject {
    Q_OBJECT
private slots:
    void theDealFollowsTheDraws_data();
    void theDealFollowsTheDraws();
    void aRecordsFileIsReadLineByLine_data();
    void aRecordsFileIsReadLineByLine();
};

void tst_IconConcentration::theDealFollowsTheDraws_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QString>("board");
    // Twenty names a … t. A draw of 0 always takes the first entry left, one just
    // under 1 the last: kinds from the front or the back, the bag dealt in order or reversed.
    QTest::newRow("イージー, first entries") << "イージー" << 0.0 << "ab" << QString("ab").repeated(20);
    QTest::newRow("イージー, last entries") << "イージー" << 0.9999 << "ts" << QString("st").repeated(20);
    QTest::newRow("ハード, first entries") << "ハード" << 0.0 << "abcdefghij" << QString("abcdefghij").repeated(4);
    QTest::newRow("パニック, last entries")
        << "パニック" << 0.9999 << "tsrqponmlkjihgfedcba" << QString("abcdefghijklmnopqrst").repeated(2);
}

void tst_IconConcentration::theDealFollowsTheDraws()
{
    QFETCH(QString, level);
    QFETCH(double, draw);
    QFETCH(QString, kinds);
    QFETCH(QString, board);
    QStringList names;
    for (char c = 'a'; c <= 't'; ++c)
        names.append(QString(QLatin1Char(c)));
    SeededRandom r(QList<double>{draw});
    const Deal d = dealBoard(r, names, kindsOfLevel(level));
    QCOMPARE(d.kinds.join(QString()), kinds);
    QCOMPARE(d.board.join(QString()), board);
}

void tst_IconConcentration::aRecordsFileIsReadLineByLine_data()
{
    QTest::addColumn<QByteArray>("file"); // "-": no file
    QTest::addColumn<QString>("turns");   // per level
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QList<int>>("bad");
    QTest::newRow("no file") << QByteArray("-") << "9999 9999 9999 9999"
                             << "9999 9999 9999 9999" << QList<int>{};
    QTest::newRow("two lines") << QByteArray("25,\"34.5\"\r\n9999,\"9999\"\r\n") << "25 9999 9999 9999"
                               << "34.5 9999 9999 9999" << QList<int>{};
    QTest::newRow("garbled and zero lines")
        << QByteArray("abc\r\n0,\"12.0\"\r\n30,\"\"\r\n22,.5\r\n") << "9999 9999 9999 22"
        << "9999 9999 9999 .5" << QList<int>{1, 2, 3};
}

void tst_IconConcentration::aRecordsFileIsReadLineByLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, turns);
    QFETCH(QString, seconds);
    QFETCH(QList<int>, bad);
    TempDataDir dir;
    if (file != "-")
        dir.write(kIconRecordsFile, file);
    const IconRecords r = readIconRecords();
    QStringList t, s;
    for (const LevelRecord &l : r.levels) {
        t.append(QString::number(l.turns));
        s.append(l.seconds);
    }
    QCOMPARE(t.join(' '), turns);
    QCOMPARE(s.join(' '), seconds);
    QCOMPARE(r.badLines, bad);
    QCOMPARE(r.problem().isEmpty(), bad.isEmpty());
    if (!bad.isEmpty())
        QVERIFY(r.problem().contains(QStringLiteral("イージー、ノーマル、ハードの記録が読めません")));
}

QTEST_MAIN(tst_IconConcentration)
#include "tst_iconconcentration.moc"
