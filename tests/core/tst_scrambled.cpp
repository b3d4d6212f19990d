// The rules of バラバラ記憶: the letters of a word, their shuffle for each
// pass, the display seconds offered, and the lines a saved play writes.
#include "core/rules/scrambled.h"
#include "testing/seededrandom.h"

#include <QSet>
#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

namespace {

// Counts the reseeds: every pass must reseed before it shuffles.
class CountingRandom : public SeededRandom {
public:
    using SeededRandom::SeededRandom;
    void reseed() override { ++reseeds; }
    int reseeds = 0;
};

QString joined(const QStringList &letters)
{
    return letters.join(QString());
}

} // namespace

class tst_Scrambled : public QObject {
    Q_OBJECT
private slots:
    void lettersAreCharacters_data();
    void lettersAreCharacters();
    void eachDrawTakesALetterFromThoseLeft_data();
    void eachDrawTakesALetterFromThoseLeft();
    void aSeededSourceGivesFixedOrders();
    void everyOrderComesUp();
    void displaySecondsItems_data();
    void displaySecondsItems();
    void aSavedPlayWritesItsLines_data();
    void aSavedPlayWritesItsLines();
};

void tst_Scrambled::lettersAreCharacters_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("letters");
    QTest::newRow("kana") << "かぼちゃ" << QStringList{"か", "ぼ", "ち", "ゃ"};
    QTest::newRow("a surrogate pair is one letter") << "𠮷野家" << QStringList{"𠮷", "野", "家"};
    QTest::newRow("repeated letters stay apart") << "ここ" << QStringList{"こ", "こ"};
    QTest::newRow("nothing") << "" << QStringList{};
}

void tst_Scrambled::lettersAreCharacters()
{
    QFETCH(QString, word);
    QFETCH(QStringList, letters);
    QCOMPARE(lettersOf(word), letters);
}

void tst_Scrambled::eachDrawTakesALetterFromThoseLeft_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("order");
    QTest::newRow("draws near 0: as written") << "かぼちゃ" << QList<double>{0, 0, 0, 0} << "かぼちゃ";
    QTest::newRow("draws near 1: backwards") << "かぼちゃ" << QList<double>{0.99, 0.99, 0.99, 0.99} << "ゃちぼか";
    // Left か ぼ ち ゃ: 4 × 0.5 = 2 → ち; か ぼ ゃ: 1.5 → ぼ; か ゃ: 1 → ゃ; か.
    QTest::newRow("halves") << "かぼちゃ" << QList<double>{0.5, 0.5, 0.5, 0.5} << "ちぼゃか";
    // Left こ こ の つ: 1.2 → the second こ; こ の つ: 0.9 → こ; の つ: 1.8 → つ; の.
    QTest::newRow("equal letters are shuffled like others")
        << "ここのつ" << QList<double>{0.3, 0.3, 0.9, 0} << "ここつの";
    QTest::newRow("a draw of 1.0 takes the last letter") << "りんご" << QList<double>{1.0, 1.0, 1.0} << "ごんり";
    QTest::newRow("one letter") << "木" << QList<double>{0.7} << "木";
}

void tst_Scrambled::eachDrawTakesALetterFromThoseLeft()
{
    QFETCH(QString, word);
    QFETCH(QList<double>, draws);
    QFETCH(QString, order);
    CountingRandom random(draws);
    QCOMPARE(joined(scrambleLetters(random, lettersOf(word))), order);
    QCOMPARE(random.reseeds, 1);
}

void tst_Scrambled::aSeededSourceGivesFixedOrders()
{
    // Three passes of the same word from one seeded source: each a new order.
    SeededRandom random(20261207);
    const QStringList letters = lettersOf(QStringLiteral("たまごやき"));
    QStringList passes;
    for (int i = 0; i < 3; ++i)
        passes << joined(scrambleLetters(random, letters));
    QCOMPARE(passes, (QStringList{"たきごまや", "たまやごき", "まきやたご"}));
}

void tst_Scrambled::everyOrderComesUp()
{
    SeededRandom random(7);
    QSet<QString> orders;
    for (int i = 0; i < 300; ++i)
        orders.insert(joined(scrambleLetters(random, lettersOf(QStringLiteral("ねこや")))));
    QCOMPARE(orders, (QSet<QString>{"ねこや", "ねやこ", "こねや", "こやね", "やねこ", "やこね"}));
}

void tst_Scrambled::displaySecondsItems_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("item");
    QTest::newRow("0.1") << 0.1f << "0.1";
    QTest::newRow("0.5") << 0.5f << "0.5";
    QTest::newRow("1 shows as 1.0") << 1.0f << "1.0";
    QTest::newRow("0.25 written by hand") << 0.25f << "0.25";
}

void tst_Scrambled::displaySecondsItems()
{
    QFETCH(float, seconds);
    QFETCH(QString, item);
    QCOMPARE(rules::displaySecondsItems(),
             (QStringList{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}));
    QCOMPARE(displaySecondsItem(seconds), item);
}

void tst_Scrambled::aSavedPlayWritesItsLines_data()
{
    QTest::addColumn<bool>("timed");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("typed");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("record");
    QTest::newRow("timed 60 s, 37 characters typed")
        << true << 7 << 3 << 37 << 60.0f << "\"2026/12/07\",\"14:05:33\",10,7,3,37,\"70.0%\",\"0.62/秒\",\"60秒\""
        << "\"2026/12/07\",\"14:05:33\",\"バラバラ記憶\",60,\"秒数 : 60   答数 : 37\",";
    QTest::newRow("counted, 41.3 s")
        << false << 8 << 2 << 10 << 41.3f << "\"2026/12/07\",\"14:05:33\",10,8,2,10,\"80.0%\",\"0.24/秒\",\"41.3秒\""
        << "\"2026/12/07\",\"14:05:33\",\"バラバラ記憶\",41.3,\"秒数 : 41.3   答数 : 10\",";
    QTest::newRow("counted, a whole 40 s keeps its decimal")
        << false << 1 << 0 << 1 << 40.0f << "\"2026/12/07\",\"14:05:33\",1,1,0,1,\"100.0%\",\"0.03/秒\",\"40.0秒\""
        << "\"2026/12/07\",\"14:05:33\",\"バラバラ記憶\",40,\"秒数 : 40.0   答数 : 1\",";
}

void tst_Scrambled::aSavedPlayWritesItsLines()
{
    QFETCH(bool, timed);
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(int, typed);
    QFETCH(float, seconds);
    QFETCH(QString, history);
    QFETCH(QString, record);
    TypingResult r;
    r.saved = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33));
    r.right = right;
    r.wrong = wrong;
    r.typed = typed;
    r.seconds = seconds;
    const QString text = scrambledSecondsText(timed ? PlayMode::Timed : PlayMode::Counted, seconds);
    QCOMPARE(scrambledEntry(r, text).line(scrambledHistory()), history);
    QCOMPARE(scrambledRecord(r, text).gameLine(), record);
}

QTEST_GUILESS_MAIN(tst_Scrambled)
#include "tst_scrambled.moc"
