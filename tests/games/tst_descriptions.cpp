// What each of the seven game windows is made of, game by game: names, the
// settings line, the history file and grid, the history panel, the play timer
// and the help text (the filter boxes and chart views: tst_descriptionviews).
// The expected values are written out here per game, not taken from the
// descriptions, so a slip in one game's description (a width, a field, a
// filter rule) shows up here.
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
