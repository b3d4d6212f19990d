// The filter boxes and chart views of each of the seven game windows, game by
// game: which boxes and buttons a game has, what a box lists and empties, which
// history lines it matches, and which columns a button draws. The expected
// values are written out here per game, not taken from the descriptions, so a
// slip in one game's description (an item, a field, a rule) shows up here.
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/game/historyview.h"
#include "gamefixture.h"
#include "games/frame/gamedescription.h"

#include <QtTest>

#include <algorithm>

using namespace kioku;

using MakeDescription = GameDescription (*)();
Q_DECLARE_METATYPE(MakeDescription)
Q_DECLARE_METATYPE(kioku::MatchRule)
Q_DECLARE_METATYPE(kioku::ValueRule)

namespace {

QString windowName(int window)
{
    return QStringLiteral("frmG%1").arg(window);
}

QStringList numbers(int from, int to, int step = 1)
{
    QStringList items;
    for (int i = from; i <= to; i += step)
        items << QString::number(i);
    return items;
}

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

// History lines of each kind, for the filter rules.
QString digitLine(int right, int wrong, const QString &seconds)
{
    return QStringLiteral("\"2026/12/07\",\"14:05:33\",\"○○○○○○○○－－－－－－－\",%1,%2,\"75.0%\",\"%3\"")
        .arg(right)
        .arg(wrong)
        .arg(seconds);
}

QString iconLine(const QString &level)
{
    return QStringLiteral("\"2026/12/07\",\"14:05:33\",\"%1\",\"○\",\"25回\",\"34.5\",,").arg(level);
}

QString trackingLine(const QString &lighting)
{
    return QStringLiteral("\"2026/12/07\",\"14:05:33\",4,1,7,\"%1\",\"12.3秒\"").arg(lighting);
}

// `answers` is field 3 as written; the filters go by right + wrong.
QString typingLine(int answers, int right, int wrong, const QString &seconds, const QString &last)
{
    return QStringLiteral("\"2026/12/07\",\"14:05:33\",%1,%2,%3,40,\"80.0%\",\"0.67/秒\",\"%4\"%5")
        .arg(answers)
        .arg(right)
        .arg(wrong)
        .arg(seconds, last.isEmpty() ? QString() : QLatin1Char(',') + last);
}

} // namespace

class tst_DescriptionViews : public QObject {
    Q_OBJECT
private slots:
    void eachGameHasItsFilterBoxes_data();
    void eachGameHasItsFilterBoxes();
    void filterBoxListsItsItemsAndEmptiesTheOthers_data();
    void filterBoxListsItsItemsAndEmptiesTheOthers();
    void filterBoxMatchesHistoryLines_data();
    void filterBoxMatchesHistoryLines();
    void eachGameHasItsViewButtons_data();
    void eachGameHasItsViewButtons();
    void viewButtonDrawsItsColumns_data();
    void viewButtonDrawsItsColumns();
};

// ------------------------------------------------------------------ names and timer

void tst_DescriptionViews::eachGameHasItsFilterBoxes_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("yellowWhenFiltered"); // 「全部表示」 stays light yellow under a filter

    QTest::newRow("frmG1") << 1 << QStringList{"cboJikan2", "cboKaisu2"} << false;
    QTest::newRow("frmG6") << 6 << QStringList{"cboJikan2", "cboKaisu2"} << false;
    QTest::newRow("frmG2") << 2 << QStringList{"cboMondai2"} << true;
    QTest::newRow("frmG5") << 5 << QStringList{"cboJikan2"} << true;
    QTest::newRow("frmG3") << 3 << QStringList{"cboJikan2", "cboKaisu2", "cboMode2"} << false;
    QTest::newRow("frmG4") << 4 << QStringList{"cboJikan2", "cboKaisu2"} << false;
    QTest::newRow("frmG7") << 7 << QStringList{"cboJikan2", "cboKaisu2"} << false;
}

void tst_DescriptionViews::eachGameHasItsFilterBoxes()
{
    QFETCH(int, window);
    QFETCH(QStringList, boxes);
    QFETCH(bool, yellowWhenFiltered);

    const GameDescription d = gameDescription(window);
    QStringList actual;
    for (const FilterBox &f : d.filters)
        actual << f.objectName;
    QCOMPARE(sorted(actual), sorted(boxes));
    QCOMPARE(d.allDspYellowWhenFiltered, yellowWhenFiltered);
}

void tst_DescriptionViews::filterBoxListsItsItemsAndEmptiesTheOthers_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<MatchRule>("rule");
    QTest::addColumn<QList<int>>("fields"); // the history field(s) compared
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("empties");
    QTest::addColumn<bool>("emptiedByAllDsp");

    const QStringList displayTimes = QStringList{"0.2", "0.5"} + numbers(1, 30);
    const QStringList levels{"イージー", "ノーマル", "ハード", "パニック"};
    const QStringList none;
    const QStringList kaisu{"cboKaisu2"};
    const QStringList jikan{"cboJikan2"};

    QTest::newRow("frmG1 cboKaisu2") << 1 << "cboKaisu2" << numbers(1, 15) << MatchRule::SumEquals << QList<int>{4, 5}
                                     << "" << jikan << true;
    QTest::newRow("frmG1 cboJikan2") << 1 << "cboJikan2" << displayTimes << MatchRule::EqualsWithSuffix << QList<int>{7}
                                     << "秒" << kaisu << true;
    QTest::newRow("frmG6 cboKaisu2") << 6 << "cboKaisu2" << numbers(1, 15) << MatchRule::SumEquals << QList<int>{4, 5}
                                     << "" << jikan << true;
    QTest::newRow("frmG6 cboJikan2") << 6 << "cboJikan2" << numbers(1, 60) << MatchRule::EqualsWithSuffix
                                     << QList<int>{7} << "秒" << kaisu << true;
    QTest::newRow("frmG2 cboMondai2") << 2 << "cboMondai2" << levels << MatchRule::Equals << QList<int>{3} << "" << none
                                      << true;
    QTest::newRow("frmG5 cboJikan2") << 5 << "cboJikan2"
                                     << QStringList{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}
                                     << MatchRule::Equals << QList<int>{6} << "" << none << true;
    QTest::newRow("frmG3 cboJikan2") << 3 << "cboJikan2" << numbers(10, 180, 5) << MatchRule::EqualsWithSuffix
                                     << QList<int>{9} << "秒" << kaisu << true;
    QTest::newRow("frmG3 cboKaisu2") << 3 << "cboKaisu2" << numbers(1, 100) << MatchRule::SumEquals << QList<int>{4, 5}
                                     << "" << jikan << true;
    QTest::newRow("frmG3 cboMode2") << 3 << "cboMode2" << QStringList{"1回", "2回"} << MatchRule::EqualsFirstChar
                                    << QList<int>{10} << "" << QStringList{"cboJikan2", "cboKaisu2"} << false;
    QTest::newRow("frmG4 cboJikan2") << 4 << "cboJikan2" << numbers(10, 180, 5) << MatchRule::EqualsWithSuffix
                                     << QList<int>{9} << "秒" << kaisu << true;
    QTest::newRow("frmG4 cboKaisu2") << 4 << "cboKaisu2" << numbers(1, 100) << MatchRule::SumEquals << QList<int>{4, 5}
                                     << "" << jikan << true;
    QTest::newRow("frmG7 cboJikan2") << 7 << "cboJikan2" << numbers(10, 180, 10) << MatchRule::EqualsWithSuffix
                                     << QList<int>{9} << "秒" << kaisu << true;
    QTest::newRow("frmG7 cboKaisu2") << 7 << "cboKaisu2" << numbers(1, 30) << MatchRule::SumEquals << QList<int>{4, 5}
                                     << "" << jikan << true;
}

void tst_DescriptionViews::filterBoxListsItsItemsAndEmptiesTheOthers()
{
    QFETCH(int, window);
    QFETCH(QString, box);
    QFETCH(QStringList, items);
    QFETCH(MatchRule, rule);
    QFETCH(QList<int>, fields);
    QFETCH(QString, suffix);
    QFETCH(QStringList, empties);
    QFETCH(bool, emptiedByAllDsp);

    const GameDescription d = gameDescription(window);
    const FilterBox *f = d.filter(box);
    QVERIFY2(f, qPrintable(box));
    QCOMPARE(f->items, items);
    QCOMPARE(f->rule.rule, rule);
    QList<int> actualFields{f->rule.field};
    if (rule == MatchRule::SumEquals)
        actualFields << f->rule.field2;
    QCOMPARE(actualFields, fields);
    if (rule == MatchRule::EqualsWithSuffix)
        QCOMPARE(f->rule.suffix, suffix);
    QCOMPARE(sorted(f->empties), sorted(empties));
    QCOMPARE(f->emptiedByAllDsp, emptiedByAllDsp);
}

void tst_DescriptionViews::filterBoxMatchesHistoryLines_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("matches");

    // Display time: the chosen text followed by 秒, compared as text.
    QTest::newRow("frmG1 1 is 1秒") << 1 << "cboJikan2"
                                    << "1" << digitLine(6, 2, "1秒") << true;
    QTest::newRow("frmG1 1 is not 10秒") << 1 << "cboJikan2"
                                         << "1" << digitLine(6, 2, "10秒") << false;
    QTest::newRow("frmG1 0.5 is 0.5秒") << 1 << "cboJikan2"
                                        << "0.5" << digitLine(6, 2, "0.5秒") << true;
    // Digit count: right + wrong, whatever the split.
    QTest::newRow("frmG1 8 is 6+2") << 1 << "cboKaisu2"
                                    << "8" << digitLine(6, 2, "0.5秒") << true;
    QTest::newRow("frmG1 8 is 0+8") << 1 << "cboKaisu2"
                                    << "8" << digitLine(0, 8, "0.5秒") << true;
    QTest::newRow("frmG1 8 is not 6+1") << 1 << "cboKaisu2"
                                        << "8" << digitLine(6, 1, "0.5秒") << false;
    QTest::newRow("frmG6 5 is 5秒") << 6 << "cboJikan2"
                                    << "5" << digitLine(5, 3, "5秒") << true;
    QTest::newRow("frmG6 5 is not 15秒") << 6 << "cboJikan2"
                                         << "5" << digitLine(5, 3, "15秒") << false;
    QTest::newRow("frmG6 15 is 10+5") << 6 << "cboKaisu2"
                                      << "15" << digitLine(10, 5, "5秒") << true;

    QTest::newRow("frmG2 same level") << 2 << "cboMondai2"
                                      << "ハード" << iconLine("ハード") << true;
    QTest::newRow("frmG2 other level") << 2 << "cboMondai2"
                                       << "ハード" << iconLine("パニック") << false;

    // Lighting time: the text itself, no 秒.
    QTest::newRow("frmG5 0.5 is 0.5") << 5 << "cboJikan2"
                                      << "0.5" << trackingLine("0.5") << true;
    QTest::newRow("frmG5 1 is 1") << 5 << "cboJikan2"
                                  << "1" << trackingLine("1") << true;
    QTest::newRow("frmG5 0.1 is not 0.10") << 5 << "cboJikan2"
                                           << "0.1" << trackingLine("0.10") << false;

    QTest::newRow("frmG3 60 is 60秒") << 3 << "cboJikan2"
                                      << "60" << typingLine(18, 15, 3, "60秒", "\"2\"") << true;
    QTest::newRow("frmG3 60 is not 60.0秒") << 3 << "cboJikan2"
                                            << "60" << typingLine(18, 15, 3, "60.0秒", "\"2\"") << false;
    QTest::newRow("frmG3 18 is 15+3") << 3 << "cboKaisu2"
                                      << "18" << typingLine(18, 15, 3, "60秒", "\"2\"") << true;
    QTest::newRow("frmG3 18 goes by right+wrong, not the answers field")
        << 3 << "cboKaisu2"
        << "18" << typingLine(18, 15, 2, "60秒", "\"2\"") << false;
    QTest::newRow("frmG3 2回 is lag 2") << 3 << "cboMode2"
                                        << "2回" << typingLine(18, 15, 3, "60秒", "\"2\"") << true;
    QTest::newRow("frmG3 2回 is not lag 1") << 3 << "cboMode2"
                                            << "2回" << typingLine(18, 15, 3, "60秒", "\"1\"") << false;
    QTest::newRow("frmG3 1回 is lag 1") << 3 << "cboMode2"
                                        << "1回" << typingLine(18, 15, 3, "60秒", "\"1\"") << true;

    QTest::newRow("frmG4 12 is 10+2") << 4 << "cboKaisu2"
                                      << "12" << typingLine(12, 10, 2, "60秒", "4") << true;
    QTest::newRow("frmG4 60 is 60秒") << 4 << "cboJikan2"
                                      << "60" << typingLine(12, 10, 2, "60秒", "4") << true;
    QTest::newRow("frmG4 40 is not 41.3秒") << 4 << "cboJikan2"
                                            << "40" << typingLine(12, 10, 2, "41.3秒", "4") << false;

    // A counted scrambled play writes one decimal: 40.0秒 is not 40.
    QTest::newRow("frmG7 40 is not 40.0秒") << 7 << "cboJikan2"
                                            << "40" << typingLine(10, 8, 2, "40.0秒", "") << false;
    QTest::newRow("frmG7 60 is 60秒") << 7 << "cboJikan2"
                                      << "60" << typingLine(10, 8, 2, "60秒", "") << true;
    QTest::newRow("frmG7 10 is 8+2") << 7 << "cboKaisu2"
                                     << "10" << typingLine(10, 8, 2, "60秒", "") << true;
}

void tst_DescriptionViews::filterBoxMatchesHistoryLines()
{
    QFETCH(int, window);
    QFETCH(QString, box);
    QFETCH(QString, chosen);
    QFETCH(QString, line);
    QFETCH(bool, matches);

    const GameDescription d = gameDescription(window);
    const FilterBox *f = d.filter(box);
    QVERIFY2(f, qPrintable(box));
    const HistoryEntry entry = HistoryEntry::parse(line, d.history.fieldCount());
    QCOMPARE(entry.count(), d.history.fieldCount());
    QCOMPARE(matchesFilter(entry, f->rule, chosen), matches);
}

// ------------------------------------------------------------------ chart views

void tst_DescriptionViews::eachGameHasItsViewButtons_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("refreshOrder");
    QTest::addColumn<bool>("orderFixed");     // false: only which buttons are checked
    QTest::addColumn<QString>("initialView"); // empty: not fixed for the game

    const QStringList digit{"cmdByou", "cmdRitu", "cmdKaitou", "cmdPByou"};
    QTest::newRow("frmG1") << 1 << digit << digit << true << "cmdKaitou";
    QTest::newRow("frmG6") << 6 << digit << digit << true << "cmdKaitou";
    QTest::newRow("frmG2") << 2 << QStringList{"cmdKaitou", "cmdJisyo"} << QStringList{"cmdKaitou", "cmdJisyo"} << false
                           << "";
    const QStringList tracking{"cmdKaitou", "cmdMoji", "cmdPByou", "cmdJisyo"};
    QTest::newRow("frmG5") << 5 << tracking << tracking << false << "";
    const QStringList typing{"cmdKaitou", "cmdPByou", "cmdRitu", "cmdByou", "cmdMoji", "cmdJisyo"};
    const QStringList typingOrder{"cmdByou", "cmdRitu", "cmdKaitou", "cmdPByou", "cmdJisyo", "cmdMoji"};
    QTest::newRow("frmG3") << 3 << typing << typingOrder << true << "cmdKaitou";
    QTest::newRow("frmG4") << 4 << typing << typingOrder << true << "cmdKaitou";
    QTest::newRow("frmG7") << 7 << typing << QStringList{"cmdByou", "cmdRitu", "cmdKaitou", "cmdPByou", "cmdMoji"}
                           << true << "cmdKaitou";
}

void tst_DescriptionViews::eachGameHasItsViewButtons()
{
    QFETCH(int, window);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, refreshOrder);
    QFETCH(bool, orderFixed);
    QFETCH(QString, initialView);

    const GameDescription d = gameDescription(window);
    QStringList actual;
    for (const ViewButton &v : d.views)
        actual << v.objectName;
    QCOMPARE(sorted(actual), sorted(buttons));
    if (orderFixed)
        QCOMPARE(d.refreshOrder, refreshOrder);
    else
        QCOMPARE(sorted(d.refreshOrder), sorted(refreshOrder));
    if (!initialView.isEmpty())
        QCOMPARE(d.initialView, initialView);
}

void tst_DescriptionViews::viewButtonDrawsItsColumns_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("chart");          // 1: one series (mcrRireki), 2: mcrRireki2
    QTest::addColumn<QList<int>>("columns"); // grid columns, one per series; none for a spare
    QTest::addColumn<ValueRule>("rule");
    QTest::addColumn<bool>("enabled");

    const ValueRule lead = ValueRule::LeadingNumber;
    const ValueRule dropLast = ValueRule::DropLastChar;

    for (int w : {1, 6}) {
        const QByteArray g = windowName(w).toLatin1() + ' ';
        QTest::newRow(g + "cmdKaitou") << w << "cmdKaitou"
                                       << "記憶数" << 2 << QList<int>{4, 5} << lead << true;
        QTest::newRow(g + "cmdRitu") << w << "cmdRitu"
                                     << "正解率" << 1 << QList<int>{6} << dropLast << true;
        QTest::newRow(g + "cmdByou") << w << "cmdByou"
                                     << "表示秒" << 1 << QList<int>{7} << lead << true;
        QTest::newRow(g + "cmdPByou") << w << "cmdPByou"
                                      << "予備" << 1 << QList<int>{} << lead << false;
    }

    QTest::newRow("frmG2 cmdKaitou") << 2 << "cmdKaitou"
                                     << "ターン数" << 2 << QList<int>{5} << lead << true;
    QTest::newRow("frmG2 cmdJisyo") << 2 << "cmdJisyo"
                                    << "秒数" << 1 << QList<int>{6} << lead << true;

    QTest::newRow("frmG5 cmdKaitou") << 5 << "cmdKaitou"
                                     << "ターン数" << 2 << QList<int>{3, 4} << lead << true;
    QTest::newRow("frmG5 cmdMoji") << 5 << "cmdMoji"
                                   << "軌跡数" << 1 << QList<int>{5} << lead << true;
    QTest::newRow("frmG5 cmdPByou") << 5 << "cmdPByou"
                                    << "秒数" << 1 << QList<int>{7} << lead << true;
    QTest::newRow("frmG5 cmdJisyo") << 5 << "cmdJisyo"
                                    << "予備" << 1 << QList<int>{3} << lead << true;

    for (int w : {3, 4, 7}) {
        const QByteArray g = windowName(w).toLatin1() + ' ';
        QTest::newRow(g + "cmdKaitou") << w << "cmdKaitou"
                                       << "答数" << 2 << QList<int>{4, 5} << lead << true;
        QTest::newRow(g + "cmdPByou") << w << "cmdPByou"
                                      << "秒数" << 1 << QList<int>{9} << lead << true;
        QTest::newRow(g + "cmdRitu") << w << "cmdRitu"
                                     << "正解率" << 1 << QList<int>{7} << dropLast << true;
        QTest::newRow(g + "cmdByou") << w << "cmdByou"
                                     << "秒当たり" << 1 << QList<int>{8} << lead << true;
        QTest::newRow(g + "cmdMoji") << w << "cmdMoji"
                                     << "字数" << 1 << QList<int>{6} << lead << true;
    }
    QTest::newRow("frmG3 cmdJisyo") << 3 << "cmdJisyo"
                                    << "予備" << 1 << QList<int>{3} << lead << false;
    QTest::newRow("frmG4 cmdJisyo") << 4 << "cmdJisyo"
                                    << "ターン数" << 1 << QList<int>{10} << lead << true;
    QTest::newRow("frmG7 cmdJisyo") << 7 << "cmdJisyo"
                                    << "予備" << 1 << QList<int>{} << lead << false;
}

void tst_DescriptionViews::viewButtonDrawsItsColumns()
{
    QFETCH(int, window);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(int, chart);
    QFETCH(QList<int>, columns);
    QFETCH(ValueRule, rule);
    QFETCH(bool, enabled);

    const GameDescription d = gameDescription(window);
    const ViewButton *v = d.view(button);
    QVERIFY2(v, qPrintable(button));
    QCOMPARE(v->caption, caption);
    QCOMPARE(v->enabled, enabled);
    QCOMPARE(v->columns, columns);
    if (!columns.isEmpty()) {
        QCOMPARE(v->chart, chart);
        QCOMPARE(v->rule, rule);
    }
}

// ------------------------------------------------------------------ history panel

QTEST_APPLESS_MAIN(tst_DescriptionViews)
#include "tst_descriptionviews.moc"
