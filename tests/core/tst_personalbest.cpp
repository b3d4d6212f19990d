// The player's own best in a game at a play's setting, from its history lines.
#include "core/stats/personalbest.h"

#include <QtTest>

using namespace kioku;
using rules::PlayMode;

namespace {
// History lines as their fields split by "|".
QList<HistoryEntry> entries(const QStringList &lines)
{
    QList<HistoryEntry> out;
    for (const QString &l : lines)
        out.append(HistoryEntry(l.split(u'|')));
    return out;
}
} // namespace

class tst_personalbest : public QObject {
    Q_OBJECT

private slots:
    void standing_data();
    void standing();
};

void tst_personalbest::standing_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QStringList>("earlier");
    QTest::addColumn<QString>("played");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("counts");
    QTest::addColumn<bool>("beaten");
    QTest::addColumn<QString>("best"); // "" when there was none

    const int nm = int(Game::NumberMemory), im = int(Game::ImageMemory), ic = int(Game::IconConcentration),
              tr = int(Game::Tracking), tl = int(Game::TimeLag), cy = int(Game::Cycle), sc = int(Game::Scrambled);
    const int counted = int(PlayMode::Counted), timed = int(PlayMode::Timed);
    const QString d = QStringLiteral("2026/12/01|10:00:00|");

    // ---- number memory: the most digits all right at a display time ----
    QTest::newRow("number: no earlier play")
        << nm << QStringList{} << d + "○○|2|0|100.0%|0.5秒" << counted << true << false << "";
    QTest::newRow("number: more digits all right")
        << nm << QStringList{d + "m|8|0|100.0%|0.5秒", d + "m|10|2|83.3%|0.5秒"} << d + "m|9|0|100.0%|0.5秒" << counted
        << true << true << "8 桁";
    QTest::newRow("number: a wrong digit never beats")
        << nm << QStringList{d + "m|8|0|100.0%|0.5秒"} << d + "m|12|1|92.3%|0.5秒" << counted << false << false
        << "8 桁";
    QTest::newRow("number: equal is no new best") << nm << QStringList{d + "m|8|0|100.0%|0.5秒"}
                                                  << d + "m|8|0|100.0%|0.5秒" << counted << true << false << "8 桁";
    QTest::newRow("number: each display time its own best")
        << nm << QStringList{d + "m|12|0|100.0%|1秒", d + "m|6|0|100.0%|0.5秒"} << d + "m|7|0|100.0%|0.5秒" << counted
        << true << true << "6 桁";
    QTest::newRow("number: plays with errors make no best")
        << nm << QStringList{d + "m|5|3|62.5%|0.5秒"} << d + "m|4|0|100.0%|0.5秒" << counted << true << false << "";

    // ---- image memory: the most right at a count and a display time ----
    QTest::newRow("image: same count and time")
        << im << QStringList{d + "m|5|1|83.3%|5秒", d + "m|8|2|80.0%|5秒", d + "m|6|0|100.0%|3秒"}
        << d + "m|6|0|100.0%|5秒" << counted << true << true << "5 個正解";
    QTest::newRow("image: fewer right") << im << QStringList{d + "m|5|1|83.3%|5秒"} << d + "m|4|2|66.7%|5秒" << counted
                                        << true << false << "5 個正解";

    // ---- icon concentration: the fewest turns and seconds of a level ----
    const QStringList icons = {d + "ノーマル|○|25|34.5|新|", d + "ノーマル|×|30|30.1||新",
                               d + "イージー|○|20|10|新|新"};
    QTest::newRow("icons: fewer seconds")
        << ic << icons << d + "ノーマル|○|27|29.9||" << counted << true << true << "25 回・30.1 秒";
    QTest::newRow("icons: fewer turns") << ic << icons << d + "ノーマル|○|24|40||" << counted << true << true
                                        << "25 回・30.1 秒";
    QTest::newRow("icons: neither") << ic << icons << d + "ノーマル|○|26|31||" << counted << true << false
                                    << "25 回・30.1 秒";
    QTest::newRow("icons: a level of its own")
        << ic << icons << d + "パニック|○|60|200||" << counted << true << false << "";

    // ---- tracking memory: the longest trace at a lighting time ----
    QTest::newRow("tracking: longer trace") << tr << QStringList{d + "5|2|12|0.5|20秒", d + "9|0|40|1|50秒"}
                                            << d + "6|1|18|0.5|25秒" << counted << true << true << "5 ターン";
    QTest::newRow("tracking: other lighting time")
        << tr << QStringList{d + "9|0|40|1|50秒"} << d + "6|1|18|0.5|25秒" << counted << true << false << "";

    // ---- typing: the best per second at the same seconds (timed) or answers (counted) ----
    const QStringList typing = {d + "12|10|2|40|83.3%|2.10/秒|60秒|2回", d + "10|10|0|50|100.0%|3.00/秒|30秒|2回",
                                d + "10|9|1|45|90.0%|1.80/秒|25秒|1回"};
    QTest::newRow("time lag timed: the 60-second plays")
        << tl << typing << d + "10|10|0|30|100.0%|2.50/秒|60秒|2回" << timed << true << true << "2.10/秒";
    QTest::newRow("time lag counted: the 10-answer plays")
        << tl << typing << d + "10|10|0|30|100.0%|2.50/秒|41.3秒|2回" << counted << true << false << "3.00/秒";
    QTest::newRow("cycle counted: faster")
        << cy << typing << d + "10|10|0|90|100.0%|3.10/秒|29秒|4" << counted << true << true << "3.00/秒";
    QTest::newRow("scrambled timed: equal rate")
        << sc << QStringList{d + "8|8|0|21|100.0%|0.70/秒|30秒"} << d + "9|9|0|21|100.0%|0.70/秒|30秒" << timed << true
        << false << "0.70/秒";
    QTest::newRow("scrambled timed: nothing typed")
        << sc << QStringList{} << d + "1|0|1|0|0.0%|0.00/秒|30秒" << timed << false << false << "";
}

void tst_personalbest::standing()
{
    QFETCH(int, game);
    QFETCH(QStringList, earlier);
    QFETCH(QString, played);
    QFETCH(int, mode);
    const BestStanding s = bestStanding(Game(game), entries(earlier), entries({played}).first(), PlayMode(mode));
    QTEST(s.counts, "counts");
    QTEST(s.beaten, "beaten");
    QTEST(s.bestText, "best");
    QFETCH(QString, best);
    QCOMPARE(s.hadBest, !best.isEmpty());
}

QTEST_GUILESS_MAIN(tst_personalbest)
#include "tst_personalbest.moc"
