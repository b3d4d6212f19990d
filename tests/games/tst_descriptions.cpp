// What each of the seven game windows is made of, game by game: names, the
// settings line, the history file and grid, the filter boxes, the chart views,
// the history panel, the play timer and the help text. The expected values are
// written out here per game, not taken from the descriptions, so a slip in one
// game's description (a width, a field, a filter rule) shows up here.
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

// A settings value as "int 1..15", "float 0.2..30" or "text 1回|2回". A range
// that is not fixed for a value is written "float ?" and left unchecked. A spare
// value, written back as it was read, is "spare"; the line read back shows it.
QString describeSetting(const SettingField &f, const QString &expected)
{
    if (expected == QStringLiteral("spare"))
        return expected;
    QString type;
    switch (f.type) {
    case ValueType::Int:
        type = QStringLiteral("int");
        break;
    case ValueType::Float:
        type = QStringLiteral("float");
        break;
    case ValueType::Text:
        type = QStringLiteral("text");
        break;
    default:
        type = QStringLiteral("other");
        break;
    }
    if (expected.endsWith(QLatin1Char('?')))
        return type + QStringLiteral(" ?");
    if (f.type == ValueType::Text)
        return type + QLatin1Char(' ')
            + (f.allowed.isEmpty() ? QStringLiteral("any") : f.allowed.join(QLatin1Char('|')));
    if (!f.hasRange)
        return type + QStringLiteral(" any");
    if (f.type == ValueType::Int)
        return QStringLiteral("int %1..%2").arg(int(f.min)).arg(int(f.max));
    return QStringLiteral("float %1..%2")
        .arg(QString::number(float(f.min), 'g', 7), QString::number(float(f.max), 'g', 7));
}

// A history field as written: T quoted text, N unquoted number, O quoted text
// or nothing at all between the commas when empty.
QString describeHistory(const HistoryFormat &h)
{
    QString s;
    for (FieldForm f : h.fields) {
        switch (f) {
        case FieldForm::Text:
            s += QLatin1Char('T');
            break;
        case FieldForm::Int:
        case FieldForm::Number:
            s += QLatin1Char('N');
            break;
        case FieldForm::OptionalText:
            s += QLatin1Char('O');
            break;
        }
    }
    return s;
}

// Horizontal alignment of each grid column's data cells: R right, C centre, L left.
QString describeAlignments(const QList<GridColumn> &columns)
{
    QString s;
    for (const GridColumn &c : columns) {
        switch (c.alignment & Qt::AlignHorizontal_Mask) {
        case Qt::AlignRight:
            s += QLatin1Char('R');
            break;
        case Qt::AlignHCenter:
            s += QLatin1Char('C');
            break;
        case Qt::AlignLeft:
            s += QLatin1Char('L');
            break;
        default:
            s += QLatin1Char('?');
            break;
        }
    }
    return s;
}

QString helpText(const QStringList &lines, bool finalBreak)
{
    return lines.join(QStringLiteral("\r\n")) + (finalBreak ? QStringLiteral("\r\n") : QString());
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

class tst_Descriptions : public QObject {
    Q_OBJECT
private slots:
    void eachWindowNumberGivesItsGame_data();
    void eachWindowNumberGivesItsGame();
    void settingsLineHoldsTheGamesValuesInOrder_data();
    void settingsLineHoldsTheGamesValuesInOrder();
    void historyFileHoldsTheGamesFields_data();
    void historyFileHoldsTheGamesFields();
    void historyGridHasTheGamesColumns_data();
    void historyGridHasTheGamesColumns();
    void gridScrollsPastTheGamesRowCounts_data();
    void gridScrollsPastTheGamesRowCounts();
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
    void historyPanelChangesSizeOnTheGamesEvents_data();
    void historyPanelChangesSizeOnTheGamesEvents();
    void helpTextIsTheGamesText_data();
    void helpTextIsTheGamesText();
};

// ------------------------------------------------------------------ names and timer

void tst_Descriptions::eachWindowNumberGivesItsGame_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<MakeDescription>("make");
    QTest::addColumn<QString>("itemName"); // the game's name in the play log
    QTest::addColumn<QString>("caption");  // empty: no fixed window title
    QTest::addColumn<int>("playTimerMs");

    QTest::newRow("frmG1") << 1 << &numberMemoryDescription << "数字記憶"
                           << "" << 50;
    QTest::newRow("frmG6") << 6 << &imageMemoryDescription << "画像記憶"
                           << "" << 50;
    QTest::newRow("frmG2") << 2 << &iconConcentrationDescription << "アイコン衰弱"
                           << "" << 50;
    QTest::newRow("frmG5") << 5 << &trackingDescription << "追跡記憶"
                           << "" << 100;
    QTest::newRow("frmG3") << 3 << &timeLagDescription << "時間差記憶"
                           << "時間差記憶" << 50;
    QTest::newRow("frmG4") << 4 << &cycleDescription << "輪廻記憶"
                           << "輪廻記憶" << 50;
    QTest::newRow("frmG7") << 7 << &scrambledDescription << "バラバラ記憶"
                           << "バラバラ記憶" << 100;
}

void tst_Descriptions::eachWindowNumberGivesItsGame()
{
    QFETCH(int, window);
    QFETCH(MakeDescription, make);
    QFETCH(QString, itemName);
    QFETCH(QString, caption);
    QFETCH(int, playTimerMs);

    const GameDescription d = gameDescription(window);
    QCOMPARE(d.windowName(), windowName(window));
    QCOMPARE(d.windowName().mid(4).toInt(), window);
    QCOMPARE(make().windowName(), windowName(window));
    QCOMPARE(d.itemName(), itemName);
    if (!caption.isEmpty())
        QCOMPARE(d.caption, caption);
    QCOMPARE(d.playTimerMs, playTimerMs);
}

// ------------------------------------------------------------------ settings line

void tst_Descriptions::settingsLineHoldsTheGamesValuesInOrder_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("autoSave"); // index of the auto-save flag in the line
    QTest::addColumn<QString>("line"); // a line the game writes, read back unchanged

    QTest::newRow("frmG1") << 1 << "数字記憶設定.txt" << QStringList{"int 1..15", "float 0.2..30", "int 0..1"} << 2
                           << "8,0.5,1";
    // icon count, display time, name display, spare text, auto-save
    QTest::newRow("frmG6") << 6 << "画像記憶設定.txt"
                           << QStringList{"int 1..15", "int 1..60", "int 0..1", "spare", "int 0..1"} << 4
                           << "15,60,0,\"メモ\",1";
    // level, name display, auto-save, turn-back delay, removal delay
    QTest::newRow("frmG2") << 2 << "アイコン衰弱設定.txt"
                           << QStringList{"text イージー|ノーマル|ハード|パニック", "int 0..1", "int 0..1", "float ?",
                                          "float ?"}
                           << 2 << "\"パニック\",0,1,0.1,1.5";
    // spare whole number, lighting time, auto-save
    QTest::newRow("frmG5") << 5 << "追跡記憶設定.txt" << QStringList{"spare", "float ?", "int 0..1"} << 2 << "7,0.3,0";
    // answer count, play seconds, lag, play mode, auto-save
    QTest::newRow("frmG3") << 3 << "時間差設定.txt"
                           << QStringList{"int 1..100", "int 10..180", "text 1回|2回", "text 秒数|答数", "int 0..1"}
                           << 4 << "20,60,\"2回\",\"秒数\",1";
    // answer count, play seconds, play mode, auto-save
    QTest::newRow("frmG4") << 4 << "輪廻設定.txt"
                           << QStringList{"int 1..100", "int 10..180", "text 秒数|答数", "int 0..1"} << 3
                           << "20,60,\"答数\",0";
    // answer count, play seconds, display seconds, play mode, auto-save
    QTest::newRow("frmG7") << 7 << "バラバラ記憶設定.txt"
                           << QStringList{"int 1..30", "float 10..180", "float 0.1..1", "text 秒数|答数", "int 0..1"}
                           << 4 << "10,60,0.5,\"答数\",1";
}

void tst_Descriptions::settingsLineHoldsTheGamesValuesInOrder()
{
    QFETCH(int, window);
    QFETCH(QString, fileName);
    QFETCH(QStringList, values);
    QFETCH(int, autoSave);
    QFETCH(QString, line);

    const GameDescription d = gameDescription(window);
    QCOMPARE(d.settings.fileName, fileName);
    QCOMPARE(d.settings.fields.size(), values.size());
    QStringList actual;
    for (int i = 0; i < values.size(); ++i)
        actual << describeSetting(d.settings.fields.at(i), values.at(i));
    QCOMPARE(actual, values);
    QCOMPARE(d.autoSaveSetting, autoSave);

    bool defaulted = true;
    const GameSettings s = GameSettings::fromLine(d.settings, line, &defaulted);
    QVERIFY2(!defaulted, qPrintable(line));
    QCOMPARE(s.line(), line);
}

// ------------------------------------------------------------------ history file and grid

void tst_Descriptions::historyFileHoldsTheGamesFields_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("fields");  // T quoted, N unquoted number, O quoted or empty
    QTest::addColumn<QString>("line");    // a saved play, written back unchanged
    QTest::addColumn<QStringList>("row"); // the same play as grid row 3

    const QString date = QStringLiteral("2026/12/07");
    const QString time = QStringLiteral("14:05:33");

    QTest::newRow("frmG1") << 1 << "数字記憶履歴.txt"
                           << "TTTNNTT"
                           << "\"2026/12/07\",\"14:05:33\",\"○○×○○○×○－－－－－－－\",6,2,\"75.0%\",\"0.5秒\""
                           << QStringList{"3", "26/12/07", time, "○○×○○○×○－－－－－－－", "6", "2", "75.0%", "0.5秒"};
    QTest::newRow("frmG6") << 6 << "画像記憶履歴.txt"
                           << "TTTNNTT"
                           << "\"2026/12/07\",\"14:05:33\",\"○○○○○×××－－－－－－－\",5,3,\"62.5%\",\"5秒\""
                           << QStringList{"3", "26/12/07", time, "○○○○○×××－－－－－－－", "5", "3", "62.5%", "5秒"};
    QTest::newRow("frmG2") << 2 << "アイコン衰弱履歴.txt"
                           << "TTTOTTOO"
                           << "\"2026/12/07\",\"14:05:33\",\"ノーマル\",,\"25回\",\"34.5\",,\"○\""
                           << QStringList{"3", date, time, "ノーマル", "", "25回", "34.5", "", "○"};
    QTest::newRow("frmG5") << 5 << "追跡記憶履歴.txt"
                           << "TTNNNTT"
                           << "\"2026/12/07\",\"14:05:33\",4,1,7,\"0.5\",\"12.3秒\""
                           << QStringList{"3", date, time, "4", "1", "7", "0.5", "12.3秒"};
    QTest::newRow("frmG3") << 3 << "時間差履歴.txt"
                           << "TTNNNNTTTT"
                           << "\"2026/12/07\",\"14:05:33\",18,15,3,62,\"83.3%\",\"1.03/秒\",\"60秒\",\"2\""
                           << QStringList{"3", date, time, "18", "15", "3", "62", "83.3%", "1.03/秒", "60秒", "2"};
    QTest::newRow("frmG4") << 4 << "輪廻記憶履歴.txt"
                           << "TTNNNNTTTN"
                           << "\"2026/12/07\",\"14:05:33\",12,10,2,31,\"83.3%\",\"0.52/秒\",\"60秒\",4"
                           << QStringList{"3", date, time, "12", "10", "2", "31", "83.3%", "0.52/秒", "60秒", "4"};
    QTest::newRow("frmG7") << 7 << "バラバラ記憶履歴.txt"
                           << "TTNNNNTTT"
                           << "\"2026/12/07\",\"14:05:33\",10,8,2,10,\"80.0%\",\"0.24/秒\",\"41.3秒\""
                           << QStringList{"3", date, time, "10", "8", "2", "10", "80.0%", "0.24/秒", "41.3秒"};
}

void tst_Descriptions::historyFileHoldsTheGamesFields()
{
    QFETCH(int, window);
    QFETCH(QString, fileName);
    QFETCH(QString, fields);
    QFETCH(QString, line);
    QFETCH(QStringList, row);

    const GameDescription d = gameDescription(window);
    QCOMPARE(d.history.fileName, fileName);
    QCOMPARE(describeHistory(d.history), fields);

    const HistoryEntry entry = HistoryEntry::parse(line, d.history.fieldCount());
    QCOMPARE(entry.line(d.history), line);
    QCOMPARE(historyRow(entry, d.columns, 3), row);
}

void tst_Descriptions::historyGridHasTheGamesColumns_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("twips");
    QTest::addColumn<QString>("alignments"); // data cells: R right, C centre, L left
    QTest::addColumn<double>("fontSize");    // 0: not fixed for the game

    const QStringList digitHeaders{"回", "日付", "時間", "成績詳細", "ＯＫ", "ＮＧ", "正解率", "秒"};
    const QList<int> digitTwips{475, 1100, 1000, 3500, 485, 485, 800, 600};
    QTest::newRow("frmG1") << 1 << digitHeaders << digitTwips << "RCCRRRRR" << 0.0;
    QTest::newRow("frmG6") << 6 << digitHeaders << digitTwips << "RCCRRRRR" << 0.0;
    QTest::newRow("frmG2") << 2 << QStringList{"回",     "日付",   "時間",   "レベル", "名表示",
                                               "ターン", "クリア", "回記録", "秒記録"}
                           << QList<int>{620, 1400, 1100, 1000, 810, 900, 900, 850, 850} << "RCCLCRRCC" << 0.0;
    QTest::newRow("frmG5") << 5 << QStringList{"回",           "日付",   "時間",   "ターン数",
                                               "ターン途中数", "軌跡数", "表示秒", "秒記録"}
                           << QList<int>{620, 1400, 1100, 1100, 1400, 1000, 900, 930} << "RCCRRRRR" << 0.0;
    const QStringList typingHeaders{"回", "日付", "時間", "答数", "ＯＫ", "ＮＧ", "字数", "正解率", "秒当たり", "秒数"};
    const QList<int> typingTwips{570, 1360, 960, 600, 580, 580, 600, 860, 980, 980, 360};
    // The cycle game's grid is the time-lag game's with the turn (Ｔ) in place of the lag (Ｍ).
    QTest::newRow("frmG3") << 3 << typingHeaders + QStringList{"Ｍ"} << typingTwips << "RCCRRRRRRRC" << 11.0;
    QTest::newRow("frmG4") << 4 << typingHeaders + QStringList{"Ｔ"} << typingTwips << "RCCRRRRRRRC" << 11.0;
    QTest::newRow("frmG7") << 7 << QStringList{"回",   "日付", "時間",   "答数",     "ＯＫ",
                                               "ＮＧ", "字数", "正解率", "秒当たり", "表示秒数"}
                           << QList<int>{600, 1400, 1000, 600, 600, 600, 755, 880, 980, 1025} << "RCCRRRRRRR" << 0.0;
}

void tst_Descriptions::historyGridHasTheGamesColumns()
{
    QFETCH(int, window);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, twips);
    QFETCH(QString, alignments);
    QFETCH(double, fontSize);

    const GameDescription d = gameDescription(window);
    QStringList actualHeaders;
    QList<int> actualTwips;
    for (const GridColumn &c : d.columns) {
        actualHeaders << c.header;
        actualTwips << c.twips;
    }
    QCOMPARE(actualHeaders, headers);
    QCOMPARE(actualTwips, twips);
    QCOMPARE(describeAlignments(d.columns), alignments);
    if (fontSize > 0)
        QCOMPARE(d.gridFontSize, fontSize);
}

void tst_Descriptions::gridScrollsPastTheGamesRowCounts_data()
{
    // Rows of the grid, header included, past which the grid scrolls to its last row.
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("afterFill");
    QTest::addColumn<int>("afterSave");

    QTest::newRow("frmG1") << 1 << 7 << 7;
    QTest::newRow("frmG6") << 6 << 7 << 7;
    QTest::newRow("frmG2") << 2 << 7 << 14;
    QTest::newRow("frmG5") << 5 << 7 << 8;
    QTest::newRow("frmG3") << 3 << 7 << 7;
    QTest::newRow("frmG4") << 4 << 7 << 7;
    QTest::newRow("frmG7") << 7 << 7 << 8;
}

void tst_Descriptions::gridScrollsPastTheGamesRowCounts()
{
    QFETCH(int, window);
    QFETCH(int, afterFill);
    QFETCH(int, afterSave);

    const GameDescription d = gameDescription(window);
    QCOMPARE(d.fillScrollMoreThan, afterFill);
    QCOMPARE(d.saveScrollMoreThan, afterSave);
}

// ------------------------------------------------------------------ filters

void tst_Descriptions::eachGameHasItsFilterBoxes_data()
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

void tst_Descriptions::eachGameHasItsFilterBoxes()
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

void tst_Descriptions::filterBoxListsItsItemsAndEmptiesTheOthers_data()
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

void tst_Descriptions::filterBoxListsItsItemsAndEmptiesTheOthers()
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

void tst_Descriptions::filterBoxMatchesHistoryLines_data()
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

void tst_Descriptions::filterBoxMatchesHistoryLines()
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

void tst_Descriptions::eachGameHasItsViewButtons_data()
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

void tst_Descriptions::eachGameHasItsViewButtons()
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

void tst_Descriptions::viewButtonDrawsItsColumns_data()
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

void tst_Descriptions::viewButtonDrawsItsColumns()
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

void tst_Descriptions::historyPanelChangesSizeOnTheGamesEvents_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<bool>("twoSizes");
    QTest::addColumn<int>("compactScroll"); // scrolls to its last row past this many rows; -1 not fixed
    QTest::addColumn<int>("tallScroll");
    QTest::addColumn<bool>("viewMakesTall");
    QTest::addColumn<bool>("startMakesCompact");
    QTest::addColumn<bool>("saveMakesCompact");
    QTest::addColumn<bool>("formClickMakesTall");
    QTest::addColumn<bool>("panelClickHides");
    QTest::addColumn<int>("tallCoversPlayArea"); // -1 not fixed

    QTest::newRow("frmG1") << 1 << false << -1 << -1 << false << false << false << false << false << -1;
    QTest::newRow("frmG6") << 6 << true << -1 << -1 << true << true << false << false << true << 1;
    QTest::newRow("frmG2") << 2 << true << 8 << 13 << false << true << false << true << true << 1;
    QTest::newRow("frmG5") << 5 << true << 8 << 13 << true << true << true << false << false << -1;
    QTest::newRow("frmG3") << 3 << false << -1 << -1 << false << false << false << false << false << -1;
    QTest::newRow("frmG4") << 4 << false << -1 << -1 << false << false << false << false << false << -1;
    QTest::newRow("frmG7") << 7 << true << 8 << 13 << true << true << true << false << true << 1;
}

void tst_Descriptions::historyPanelChangesSizeOnTheGamesEvents()
{
    QFETCH(int, window);
    QFETCH(bool, twoSizes);
    QFETCH(int, compactScroll);
    QFETCH(int, tallScroll);
    QFETCH(bool, viewMakesTall);
    QFETCH(bool, startMakesCompact);
    QFETCH(bool, saveMakesCompact);
    QFETCH(bool, formClickMakesTall);
    QFETCH(bool, panelClickHides);
    QFETCH(int, tallCoversPlayArea);

    const PanelStates &p = gameDescription(window).panel;
    QCOMPARE(p.enabled, twoSizes);
    if (!twoSizes)
        return;
    QCOMPARE(p.compactGridTwips, 2235);
    QCOMPARE(p.tallGridTwips, 3590);
    if (compactScroll >= 0)
        QCOMPARE(p.compactScrollMoreThan, compactScroll);
    if (tallScroll >= 0)
        QCOMPARE(p.tallScrollMoreThan, tallScroll);
    QCOMPARE(p.viewMakesTall, viewMakesTall);
    QCOMPARE(p.startMakesCompact, startMakesCompact);
    QCOMPARE(p.saveMakesCompact, saveMakesCompact);
    QCOMPARE(p.formClickMakesTall, formClickMakesTall);
    QCOMPARE(p.panelClickHides, panelClickHides);
    if (tallCoversPlayArea >= 0)
        QCOMPARE(p.tallCoversPlayArea, tallCoversPlayArea == 1);
}

// ------------------------------------------------------------------ help text

void tst_Descriptions::helpTextIsTheGamesText_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("text");

    QTest::newRow("frmG1") << 1
                           << helpText({"このゲームは『数字記憶』です。", "",
                                        "指定した桁数の数字が指定秒数表示されますのでその間に記憶します｡ ", "",
                                        "　※桁数（表示問題数）は１～１５桁まで設定できます。",
                                        "　※表示時間は0.2（瞬時）～３０秒まで設定できます。", "",
                                        "瞬間記憶やゆっくり記憶のトレーニングに。"},
                                       true);
    QTest::newRow("frmG6") << 6
                           << helpText(
                                  {"このゲームは『画像記憶』です。　『数字記憶』の画像版のイメージです。", "",
                                   "指定した個数のアイコンが指定秒数表示されますのでその間に記憶します｡ ", "",
                                   "　※個数（表示問題数）は１～１５個まで設定できます。",
                                   "　※表示時間は１秒～６０秒まで設定できます。",
                                   "　※文字表示にチェックを入れるとアイコンだけじゃなく文字も一緒に表示できます。"},
                                  true);
    QTest::newRow("frmG2")
        << 2
        << helpText({"このゲームは『アイコン衰弱』です。", "",
                     "アイコン（国旗）を使った神経衰弱ゲームで隠された国旗をペアで消していきます。", "",
                     "　※国名の表示／非表示を選択できます。",
                     "　※使うコマ種類を２、４、１０、２０から選択できるのでお好きな難易度でチャレンジしてください。",
                     "", "　※デフォルトでは国旗アイコンを題材にしてますがお好きに入れ替えて使うこともできます。"},
                    false);
    QTest::newRow("frmG5")
        << 5
        << helpText({"このゲームは『追跡記憶』です。", "",
                     "９つのパネルが不規則に点灯しますのでその通りに追跡してクリックします。",
                     "点灯する回数は１回ずつ増加していきますのでターンの度に難易度アップ！", "",
                     "※点灯時間は変更することができますので自分が覚えやすいタイミングに調整してください。"},
                    false);
    QTest::newRow("frmG3") << 3
                           << helpText({"このゲームは『時間差記憶タイピング』です。", "",
                                        "画面に表示されてる出題の前に表示されていた出題文字をタイプします。",
                                        "時間差は１回、２回から選択します。", "", "例）２回の場合…",
                                        "出題→　国語　　これを記憶　", "出題→　算数　　これも記憶　",
                                        "出題→　理科　　ここで初めて　国語　をタイプ　",
                                        "出題→　社会　　ここで２つ目の算数　をタイプ　", "：　", "",
                                        "１回はまぁまぁ簡単｡　２回ではいきなり難易度がアップします｡ ", "",
                                        "ギブアップ時はＥＳＣキーを押してください。"},
                                       false);
    QTest::newRow("frmG4") << 4
                           << helpText({"このゲームは『輪廻記憶タイピング』です。", "",
                                        "常に過去出題された文字も全て入力してから出題文字をタイプするルールです。", "",
                                        "例）出題→国語　　国語とタイプ",
                                        "　　出題→算数　　国語とタイプしてから算数とタイプ",
                                        "　　出題→理科　　国語とタイプしてから算数とタイプし、理科とタイプ", "　　　：",
                                        "記憶の限界にチャレンジ！", "", "ギブアップ時はＥＳＣキーを押してください。"},
                                       false);
    QTest::newRow("frmG7")
        << 7
        << helpText({"このゲームは『バラバラ記憶タイピング』です。", "",
                     "ある単語が順番バラバラで、なおかつ１文字ずつ画面に表示されます。",
                     "どんな文字が表示されたのかを記憶しながらバラバラになった単語を正しく並び替えて入力します。", "",
                     "文字の表示時間は変更することができますので自分が覚えやすいタイミングに調整してください。", "",
                     "ギブアップ時はＥＳＣキーを押すか構成文字欄をクリックしてください。"},
                    true);
}

void tst_Descriptions::helpTextIsTheGamesText()
{
    QFETCH(int, window);
    QFETCH(QString, text);

    QCOMPARE(gameDescription(window).helpText, text);
}

QTEST_APPLESS_MAIN(tst_Descriptions)
#include "tst_descriptions.moc"
