// Number memory rules: the draw, judging, rate and the saved time; marks, summary and whole
// saved lines are checked through the window (tst_numbermemorywindow).
#include "core/random.h"
#include "core/rules/numbermemory.h"
#include "testing/seededrandom.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

class tst_NumberMemory : public QObject {
    Q_OBJECT
private slots:
    void digitsAreTheIntegerPartOfNineTimesTheDraw_data();
    void digitsAreTheIntegerPartOfNineTimesTheDraw();
    void manyDrawsNeverShowNine();
    void judgingIsExactText_data();
    void judgingIsExactText();
    void rateIsRightOverDigitCount_data();
    void rateIsRightOverDigitCount();
    void displayTimeIsWrittenAsItsShortestText();
    void windowListsOfferEveryTimeAndCount();
};

void tst_NumberMemory::digitsAreTheIntegerPartOfNineTimesTheDraw_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QStringList>("digits");
    QTest::newRow("lowest and highest") << QList<double>{0.0, 0.999999} << QStringList{"0", "8"};
    QTest::newRow("edges of each ninth") << QList<double>{1.0 / 9, 2.0 / 9 - 1e-9, 0.5, 8.0 / 9}
                                         << QStringList{"1", "1", "4", "8"};
}

void tst_NumberMemory::digitsAreTheIntegerPartOfNineTimesTheDraw()
{
    QFETCH(QList<double>, draws);
    QFETCH(QStringList, digits);
    SeededRandom r(draws);
    QCOMPARE(drawDigits(r, int(digits.size())), digits);
}

void tst_NumberMemory::manyDrawsNeverShowNine()
{
    SeededRandom r(20261207);
    QSet<QString> seen;
    for (int play = 0; play < 2000; ++play)
        for (const QString &d : drawDigits(r, 15))
            seen.insert(d);
    QVERIFY(!seen.contains(QStringLiteral("9")));
    QCOMPARE(seen.size(), 9); // every one of 0..8 comes up
}

void tst_NumberMemory::judgingIsExactText_data()
{
    QTest::addColumn<QStringList>("digits");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");

    const QStringList d8{"1", "2", "3", "4", "5", "6", "7", "8"};
    QTest::newRow("all right") << d8 << d8 << 8 << 8 << 0;
    QTest::newRow("a blank is wrong") << d8 << QStringList{" 1", "2 ", "3", "4", "5", "6", "7", "8"} << 8 << 6 << 2;
    QTest::newRow("a pasted longer text is wrong")
        << d8 << QStringList{"12", "2", "3", "4", "5", "6", "7", "8"} << 8 << 7 << 1;
    QTest::newRow("missing answers are wrong") << d8 << QStringList{"1", "2"} << 8 << 2 << 6;
    QTest::newRow("only n positions count") << d8 << QStringList{"1", "0", "0"} << 1 << 1 << 0;
}

void tst_NumberMemory::judgingIsExactText()
{
    QFETCH(QStringList, digits);
    QFETCH(QStringList, answers);
    QFETCH(int, n);
    QFETCH(int, right);
    QFETCH(int, wrong);
    const DigitJudgement j = judgeDigits(digits, answers, n);
    QCOMPARE(j.rightCount, right);
    QCOMPARE(j.wrongCount, wrong);
    QCOMPARE(j.right.size(), n);
}

void tst_NumberMemory::rateIsRightOverDigitCount_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("rate");
    QTest::newRow("6 of 8") << 6 << 8 << "75.0%";
    QTest::newRow("2 of 3 to one decimal") << 2 << 3 << "66.7%";
    QTest::newRow("all 15") << 15 << 15 << "100.0%";
}

void tst_NumberMemory::rateIsRightOverDigitCount()
{
    QFETCH(int, right);
    QFETCH(int, n);
    QFETCH(QString, rate);
    QCOMPARE(correctRate(right, n), rate);
}

void tst_NumberMemory::displayTimeIsWrittenAsItsShortestText()
{
    // The whole lines are checked byte for byte through the window; here the time forms.
    NumberMemoryResult r;
    r.saved = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33));
    r.displayTime = 12.0f;
    QCOMPARE(historyEntry(r).field(7), QStringLiteral("12秒"));
    QVERIFY(playRecord(r).gameLine().contains(QStringLiteral("\"数字記憶\",12,")));
    r.displayTime = 0.2f;
    QCOMPARE(historyEntry(r).field(7), QStringLiteral("0.2秒"));
    QVERIFY(playRecord(r).gameLine().contains(QStringLiteral("\"数字記憶\",0.2,")));
}

void tst_NumberMemory::windowListsOfferEveryTimeAndCount()
{
    const QStringList times = displayTimeItems();
    QCOMPARE(times.size(), 32);
    QCOMPARE(times.mid(0, 3), (QStringList{"0.2", "0.5", "1"}));
    QCOMPARE(times.last(), QStringLiteral("30"));
    QCOMPARE(digitCountItems().size(), 15);
}

QTEST_GUILESS_MAIN(tst_NumberMemory)
#include "tst_numbermemory.moc"
