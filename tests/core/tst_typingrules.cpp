// What the typing games share in their rules: the result texts and the time
// left of a timed play.
#include "core/rules/typing.h"

#include <QtTest>

using namespace kioku::rules;

class tst_TypingRules : public QObject {
    Q_OBJECT
private slots:
    void resultTexts_data();
    void resultTexts();
    void timeLeftFollowsTheWholeSecondsOfTheDay_data();
    void timeLeftFollowsTheWholeSecondsOfTheDay();
    void playModes();
};

void tst_TypingRules::resultTexts_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<int>("typed");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("perSecond");
    QTest::addColumn<QString>("secondsText");
    QTest::newRow("15 of 18 in 60 s") << 15 << 3 << 62 << 60.0f << "83.3%"
                                      << "1.03/秒"
                                      << "60秒";
    QTest::newRow("4 of 5, a counted 41.3 s") << 4 << 1 << 14 << 41.3f << "80.0%"
                                              << "0.34/秒"
                                              << "41.3秒";
    QTest::newRow("nothing answered") << 0 << 0 << 0 << 60.0f << "0.0%"
                                      << "0.00/秒"
                                      << "60秒";
    QTest::newRow("given up at once: no time") << 0 << 1 << 0 << 0.0f << "0.0%"
                                               << "0.00/秒"
                                               << "0秒";
}

void tst_TypingRules::resultTexts()
{
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(int, typed);
    QFETCH(float, seconds);
    QFETCH(QString, rate);
    QFETCH(QString, perSecond);
    QFETCH(QString, secondsText);
    QCOMPARE(typingRate(right, wrong), rate);
    QCOMPARE(perSecondText(typed, seconds), perSecond);
    QCOMPARE(kioku::rules::secondsText(seconds), secondsText);
}

void tst_TypingRules::timeLeftFollowsTheWholeSecondsOfTheDay_data()
{
    QTest::addColumn<int>("startMs");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<int>("left");
    // Started at hh:mm:10.700 for 60 s: the time of day's whole seconds reach 11 after 0.3 s.
    QTest::newRow("0.299 s in") << 700 << qint64(299) << 60;
    QTest::newRow("0.3 s in: the next whole second") << 700 << qint64(300) << 59;
    QTest::newRow("59.3 s in: at the end") << 700 << qint64(59300) << 0;
    QTest::newRow("started on the second") << 0 << qint64(59999) << 1;
    QTest::newRow("past the end") << 500 << qint64(75000) << -15;
}

void tst_TypingRules::timeLeftFollowsTheWholeSecondsOfTheDay()
{
    QFETCH(int, startMs);
    QFETCH(qint64, elapsedMs);
    QFETCH(int, left);
    QCOMPARE(remainingSeconds(60, startMs, elapsedMs), left);
}

void tst_TypingRules::playModes()
{
    QCOMPARE(playModeItems(), (QStringList{"秒数", "答数"}));
    QCOMPARE(playModeOf(QStringLiteral("秒数")), PlayMode::Timed);
    QCOMPARE(playModeOf(QStringLiteral("答数")), PlayMode::Counted);
    QCOMPARE(playModeItem(PlayMode::Timed), QStringLiteral("秒数"));
}

QTEST_GUILESS_MAIN(tst_TypingRules)
#include "tst_typingrules.moc"
