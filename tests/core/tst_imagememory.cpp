// Image memory rules: which icons a play deals from and the order of a deal.
// Judging, marks and whole saved lines are checked through the window (tst_imagememorywindow).
#include "core/rules/imagememory.h"
#include "testing/seededrandom.h"

#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

namespace {

QList<IconFile> icons(const QStringList &names)
{
    QList<IconFile> list;
    for (const QString &n : names)
        list.append(IconFile{n + QStringLiteral(".ico"), n});
    return list;
}

QStringList names(const QList<IconFile> &list)
{
    QStringList n;
    for (const IconFile &i : list)
        n << i.name;
    return n;
}

QStringList lettered(int count)
{
    QStringList n;
    for (int i = 0; i < count; ++i)
        n << QString(QChar(u'Ａ' + i));
    return n;
}

} // namespace

class tst_ImageMemory : public QObject {
    Q_OBJECT
private slots:
    void poolIsTheFirstFifteenNamedIcons_data();
    void poolIsTheFirstFifteenNamedIcons();
    void dealTakesTheDrawnEntryOfWhatIsLeft_data();
    void dealTakesTheDrawnEntryOfWhatIsLeft();
    void seededDealsAreFixedAndComplete();
};

void tst_ImageMemory::poolIsTheFirstFifteenNamedIcons_data()
{
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QStringList>("pool");
    QTest::newRow("twenty: the first fifteen") << lettered(20) << lettered(15);
    QTest::newRow("three: all three") << lettered(3) << lettered(3);
    QStringList withNameless = lettered(16);
    withNameless.insert(4, QString());
    QTest::newRow("a nameless file is passed over") << withNameless << lettered(15);
}

void tst_ImageMemory::poolIsTheFirstFifteenNamedIcons()
{
    QFETCH(QStringList, listing);
    QFETCH(QStringList, pool);
    QCOMPARE(names(iconPool(icons(listing))), pool);
}

void tst_ImageMemory::dealTakesTheDrawnEntryOfWhatIsLeft_data()
{
    QTest::addColumn<QStringList>("pool");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QStringList>("dealt");
    const QStringList five{"いぬ", "ねこ", "うま", "しか", "たぬき"};
    // 5 × 0.5 = 2.5 → うま; 4 × 0 → いぬ; 3 × 0.9 = 2.7 → たぬき; 2 × 0.5 = 1 → しか; ねこ.
    QTest::newRow("worked example") << five << QList<double>{0.5, 0.0, 0.9, 0.5, 0.1}
                                    << QStringList{"うま", "いぬ", "たぬき", "しか", "ねこ"};
    QTest::newRow("lowest draws keep the order") << five << QList<double>{0.0} << five;
    QTest::newRow("highest draws reverse it")
        << five << QList<double>{0.9999999} << QStringList{"たぬき", "しか", "うま", "ねこ", "いぬ"};
    QTest::newRow("a draw of 1.0 takes the last")
        << five << QList<double>{1.0} << QStringList{"たぬき", "しか", "うま", "ねこ", "いぬ"};
    QTest::newRow("nothing to deal") << QStringList{} << QList<double>{0.5} << QStringList{};
}

void tst_ImageMemory::dealTakesTheDrawnEntryOfWhatIsLeft()
{
    QFETCH(QStringList, pool);
    QFETCH(QList<double>, draws);
    QFETCH(QStringList, dealt);
    SeededRandom r(draws);
    QCOMPARE(dealIcons(r, pool), dealt);
}

void tst_ImageMemory::seededDealsAreFixedAndComplete()
{
    // A seeded source deals the same order on every machine.
    SeededRandom r(20261207);
    const QStringList pool = lettered(15);
    QCOMPARE(dealIcons(r, pool).join(QString()), QStringLiteral("ＣＭＦＥＯＡＧＩＢＪＨＮＬＤＫ"));
    // And every deal holds each icon exactly once.
    for (int i = 0; i < 500; ++i) {
        QStringList d = dealIcons(r, pool);
        d.sort();
        QCOMPARE(d, pool);
    }
}

QTEST_MAIN(tst_ImageMemory)
#include "tst_imagememory.moc"
