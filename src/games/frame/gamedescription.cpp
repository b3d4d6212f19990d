#include "games/frame/gamedescription.h"

#include "core/rules/numbermemory.h"

namespace kioku {

const FilterBox *GameDescription::filter(const QString &objectName) const
{
    for (const FilterBox &f : filters)
        if (f.objectName == objectName)
            return &f;
    return nullptr;
}

const ViewButton *GameDescription::view(const QString &objectName) const
{
    for (const ViewButton &v : views)
        if (v.objectName == objectName)
            return &v;
    return nullptr;
}

namespace {

constexpr Qt::Alignment R = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment C = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment L = Qt::AlignLeft | Qt::AlignVCenter;

QString helpLines(const QStringList &lines, bool finalBreak)
{
    QString s = lines.join(QStringLiteral("\r\n"));
    if (finalBreak)
        s += QStringLiteral("\r\n");
    return s;
}

QStringList numbers(int from, int to, int step = 1)
{
    QStringList items;
    for (int i = from; i <= to; i += step)
        items.append(QString::number(i));
    return items;
}

GridColumn col(const QString &header, int twips, int field, Qt::Alignment a = R,
               DateForm date = DateForm::AsStored)
{
    GridColumn c;
    c.header = header;
    c.twips = twips;
    c.field = field;
    c.alignment = a;
    c.date = date;
    return c;
}

FilterBox filterBox(const QString &name, const QString &label, const QStringList &items, FilterRule rule,
                    const QStringList &empties, bool emptiedByAllDsp = true)
{
    FilterBox f;
    f.objectName = name;
    f.label = label;
    f.items = items;
    f.rule = rule;
    f.empties = empties;
    f.emptiedByAllDsp = emptiedByAllDsp;
    return f;
}

FilterRule sumOf(int a, int b)
{
    return FilterRule{MatchRule::SumEquals, a, b, QString()};
}

FilterRule withSuffix(int field, const QString &suffix)
{
    return FilterRule{MatchRule::EqualsWithSuffix, field, 0, suffix};
}

FilterRule equalsText(int field)
{
    return FilterRule{MatchRule::Equals, field, 0, QString()};
}

FilterRule firstChar(int field)
{
    return FilterRule{MatchRule::EqualsFirstChar, field, 0, QString()};
}

ViewButton view(const QString &name, const QString &caption, int chart, const QList<int> &columns,
                ValueRule rule = ValueRule::LeadingNumber, bool enabled = true,
                const QStringList &seriesNames = {})
{
    ViewButton v;
    v.objectName = name;
    v.caption = caption;
    v.chart = chart;
    v.columns = columns;
    v.rule = rule;
    v.enabled = enabled;
    v.seriesNames = seriesNames;
    return v;
}

const QStringList kLevels{QStringLiteral("イージー"), QStringLiteral("ノーマル"), QStringLiteral("ハード"),
                          QStringLiteral("パニック")};
const QStringList kPlayModes{QStringLiteral("秒数"), QStringLiteral("答数")};
const QString kSec = QStringLiteral("秒");

QString numberMemoryHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『数字記憶』です。"),
        QStringLiteral(""),
        QStringLiteral("指定した桁数の数字が指定秒数表示されますのでその間に記憶します｡ "),
        QStringLiteral(""),
        QStringLiteral("　※桁数（表示問題数）は１～１５桁まで設定できます。"),
        QStringLiteral("　※表示時間は0.2（瞬時）～３０秒まで設定できます。"),
        QStringLiteral(""),
        QStringLiteral("瞬間記憶やゆっくり記憶のトレーニングに。"),
    }, true);
}

QString imageMemoryHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『画像記憶』です。　『数字記憶』の画像版のイメージです。"),
        QStringLiteral(""),
        QStringLiteral("指定した個数のアイコンが指定秒数表示されますのでその間に記憶します｡ "),
        QStringLiteral(""),
        QStringLiteral("　※個数（表示問題数）は１～１５個まで設定できます。"),
        QStringLiteral("　※表示時間は１秒～６０秒まで設定できます。"),
        QStringLiteral("　※文字表示にチェックを入れるとアイコンだけじゃなく文字も一緒に表示できます。"),
    }, true);
}

QString iconConcentrationHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『アイコン衰弱』です。"),
        QStringLiteral(""),
        QStringLiteral("アイコン（国旗）を使った神経衰弱ゲームで隠された国旗をペアで消していきます。"),
        QStringLiteral(""),
        QStringLiteral("　※国名の表示／非表示を選択できます。"),
        QStringLiteral("　※使うコマ種類を２、４、１０、２０から選択できるのでお好きな難易度でチャレンジしてください。"),
        QStringLiteral(""),
        QStringLiteral("　※デフォルトでは国旗アイコンを題材にしてますがお好きに入れ替えて使うこともできます。"),
    }, false);
}

QString trackingHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『追跡記憶』です。"),
        QStringLiteral(""),
        QStringLiteral("９つのパネルが不規則に点灯しますのでその通りに追跡してクリックします。"),
        QStringLiteral("点灯する回数は１回ずつ増加していきますのでターンの度に難易度アップ！"),
        QStringLiteral(""),
        QStringLiteral("※点灯時間は変更することができますので自分が覚えやすいタイミングに調整してください。"),
    }, false);
}

QString timeLagHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『時間差記憶タイピング』です。"),
        QStringLiteral(""),
        QStringLiteral("画面に表示されてる出題の前に表示されていた出題文字をタイプします。"),
        QStringLiteral("時間差は１回、２回から選択します。"),
        QStringLiteral(""),
        QStringLiteral("例）２回の場合…"),
        QStringLiteral("出題→　国語　　これを記憶　"),
        QStringLiteral("出題→　算数　　これも記憶　"),
        QStringLiteral("出題→　理科　　ここで初めて　国語　をタイプ　"),
        QStringLiteral("出題→　社会　　ここで２つ目の算数　をタイプ　"),
        QStringLiteral("：　"),
        QStringLiteral(""),
        QStringLiteral("１回はまぁまぁ簡単｡　２回ではいきなり難易度がアップします｡ "),
        QStringLiteral(""),
        QStringLiteral("ギブアップ時はＥＳＣキーを押してください。"),
    }, false);
}

QString cycleHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『輪廻記憶タイピング』です。"),
        QStringLiteral(""),
        QStringLiteral("常に過去出題された文字も全て入力してから出題文字をタイプするルールです。"),
        QStringLiteral(""),
        QStringLiteral("例）出題→国語　　国語とタイプ"),
        QStringLiteral("　　出題→算数　　国語とタイプしてから算数とタイプ"),
        QStringLiteral("　　出題→理科　　国語とタイプしてから算数とタイプし、理科とタイプ"),
        QStringLiteral("　　　："),
        QStringLiteral("記憶の限界にチャレンジ！"),
        QStringLiteral(""),
        QStringLiteral("ギブアップ時はＥＳＣキーを押してください。"),
    }, false);
}

QString scrambledHelp()
{
    return helpLines({
        QStringLiteral("このゲームは『バラバラ記憶タイピング』です。"),
        QStringLiteral(""),
        QStringLiteral("ある単語が順番バラバラで、なおかつ１文字ずつ画面に表示されます。"),
        QStringLiteral("どんな文字が表示されたのかを記憶しながらバラバラになった単語を正しく並び替えて入力します。"),
        QStringLiteral(""),
        QStringLiteral("文字の表示時間は変更することができますので自分が覚えやすいタイミングに調整してください。"),
        QStringLiteral(""),
        QStringLiteral("ギブアップ時はＥＳＣキーを押すか構成文字欄をクリックしてください。"),
    }, true);
}

// The seven-field history of number memory and image memory.
QList<GridColumn> digitHistoryColumns()
{
    return {col(QStringLiteral("回"), 475, 0),
            col(QStringLiteral("日付"), 1100, 1, C, DateForm::Short),
            col(QStringLiteral("時間"), 1000, 2, C),
            col(QStringLiteral("成績詳細"), 3500, 3),
            col(QStringLiteral("ＯＫ"), 485, 4),
            col(QStringLiteral("ＮＧ"), 485, 5),
            col(QStringLiteral("正解率"), 800, 6),
            col(QStringLiteral("秒"), 600, 7)};
}

QList<ViewButton> digitHistoryViews()
{
    return {view(QStringLiteral("cmdKaitou"), QStringLiteral("記憶数"), 2, {4, 5}, ValueRule::LeadingNumber, true,
                 {QStringLiteral("正解"), QStringLiteral("不正解")}),
            view(QStringLiteral("cmdRitu"), QStringLiteral("正解率"), 1, {6}, ValueRule::DropLastChar),
            view(QStringLiteral("cmdByou"), QStringLiteral("表示秒"), 1, {7}),
            view(QStringLiteral("cmdPByou"), QStringLiteral("予備"), 1, {}, ValueRule::LeadingNumber, false)};
}

// The eleven columns of the typing games; the last one is the lag (Ｍ) or the turn (Ｔ).
QList<GridColumn> typingColumns(const QString &last)
{
    return {col(QStringLiteral("回"), 570, 0),
            col(QStringLiteral("日付"), 1360, 1, C),
            col(QStringLiteral("時間"), 960, 2, C),
            col(QStringLiteral("答数"), 600, 3),
            col(QStringLiteral("ＯＫ"), 580, 4),
            col(QStringLiteral("ＮＧ"), 580, 5),
            col(QStringLiteral("字数"), 600, 6),
            col(QStringLiteral("正解率"), 860, 7),
            col(QStringLiteral("秒当たり"), 980, 8),
            col(QStringLiteral("秒数"), 980, 9),
            col(last, 360, 10, C)};
}

QList<ViewButton> typingViews(const ViewButton &jisyo)
{
    return {view(QStringLiteral("cmdKaitou"), QStringLiteral("答数"), 2, {4, 5}, ValueRule::LeadingNumber, true,
                 {QStringLiteral("正解"), QStringLiteral("不正解")}),
            view(QStringLiteral("cmdPByou"), QStringLiteral("秒数"), 1, {9}),
            view(QStringLiteral("cmdRitu"), QStringLiteral("正解率"), 1, {7}, ValueRule::DropLastChar),
            view(QStringLiteral("cmdByou"), QStringLiteral("秒当たり"), 1, {8}),
            view(QStringLiteral("cmdMoji"), QStringLiteral("字数"), 1, {6}),
            jisyo};
}

} // namespace

GameDescription numberMemoryDescription()
{
    GameDescription d;
    d.windowName = QStringLiteral("frmG1");
    d.caption = QStringLiteral("数字記憶");
    d.itemName = rules::kNumberMemoryName;
    d.windowNumber = 1;
    d.settings = rules::numberMemorySettings();
    d.autoSaveSetting = rules::AutoSave;
    d.history = rules::numberMemoryHistory();
    d.columns = digitHistoryColumns();
    d.filters = {filterBox(QStringLiteral("cboKaisu2"), QStringLiteral("桁数"), rules::digitCountItems(), sumOf(4, 5),
                           {QStringLiteral("cboJikan2")}),
                 filterBox(QStringLiteral("cboJikan2"), QStringLiteral("表示秒"), rules::displayTimeItems(),
                           withSuffix(7, kSec), {QStringLiteral("cboKaisu2")})};
    d.views = digitHistoryViews();
    d.refreshOrder = {QStringLiteral("cmdByou"), QStringLiteral("cmdRitu"), QStringLiteral("cmdKaitou"),
                      QStringLiteral("cmdPByou")};
    d.initialView = QStringLiteral("cmdKaitou");
    d.playTimerMs = 50;
    d.helpText = numberMemoryHelp();
    return d;
}

GameDescription imageMemoryDescription()
{
    GameDescription d = numberMemoryDescription();
    d.windowName = QStringLiteral("frmG6");
    d.caption = QStringLiteral("画像記憶");
    d.itemName = QStringLiteral("画像記憶");
    d.windowNumber = 6;
    // icon count, display time, name display, spare text, auto-save
    d.settings = SettingsFormat{QStringLiteral("画像記憶設定.txt"),
                              {SettingField::integer(8, 1, 15), SettingField::integer(10, 1, 60),
                               SettingField::integer(1, 0, 1), SettingField::text(QString()),
                               SettingField::integer(1, 0, 1)}};
    d.autoSaveSetting = 4;
    d.history.fileName = QStringLiteral("画像記憶履歴.txt");
    d.filters[0].label = QStringLiteral("個数");
    d.filters[1].items = numbers(1, 60);
    d.panel.enabled = true;
    d.panel.viewMakesTall = true;
    d.panel.startMakesCompact = true;
    d.panel.panelClickHides = true;
    d.helpText = imageMemoryHelp();
    return d;
}

GameDescription iconConcentrationDescription()
{
    GameDescription d;
    d.windowName = QStringLiteral("frmG2");
    d.caption = QStringLiteral("アイコン衰弱");
    d.itemName = QStringLiteral("アイコン衰弱");
    d.windowNumber = 2;
    // level, name display, auto-save, turn-back delay, removal delay
    d.settings = SettingsFormat{QStringLiteral("アイコン衰弱設定.txt"),
                              {SettingField::text(QStringLiteral("ノーマル"), kLevels), SettingField::integer(1, 0, 1),
                               SettingField::integer(1, 0, 1), SettingField::real(0.5f, 0.1f, 5.0f),
                               SettingField::real(0.5f, 0.1f, 5.0f)}};
    d.autoSaveSetting = 2;
    d.history = HistoryFormat{QStringLiteral("アイコン衰弱履歴.txt"),
                            {FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::OptionalText,
                             FieldForm::Text, FieldForm::Text, FieldForm::OptionalText, FieldForm::OptionalText}};
    d.columns = {col(QStringLiteral("回"), 620, 0),
                 col(QStringLiteral("日付"), 1400, 1, C),
                 col(QStringLiteral("時間"), 1100, 2, C),
                 col(QStringLiteral("レベル"), 1000, 3, L),
                 col(QStringLiteral("名表示"), 810, 4, C),
                 col(QStringLiteral("ターン"), 900, 5),
                 col(QStringLiteral("クリア"), 900, 6),
                 col(QStringLiteral("回記録"), 850, 7, C),
                 col(QStringLiteral("秒記録"), 850, 8, C)};
    d.saveScrollMoreThan = 14;
    d.filters = {filterBox(QStringLiteral("cboMondai2"), QStringLiteral("レベル"), kLevels, equalsText(3), {})};
    d.allDspYellowWhenFiltered = true;
    d.views = {view(QStringLiteral("cmdKaitou"), QStringLiteral("ターン数"), 2, {5}),
               view(QStringLiteral("cmdJisyo"), QStringLiteral("秒数"), 1, {6})};
    d.refreshOrder = {QStringLiteral("cmdKaitou"), QStringLiteral("cmdJisyo")};
    d.initialView = QStringLiteral("cmdKaitou");
    d.panel.enabled = true;
    d.panel.startMakesCompact = true;
    d.panel.formClickMakesTall = true;
    d.panel.panelClickHides = true;
    d.playTimerMs = 50;
    d.helpText = iconConcentrationHelp();
    return d;
}

GameDescription trackingDescription()
{
    GameDescription d;
    d.windowName = QStringLiteral("frmG5");
    d.caption = QStringLiteral("追跡記憶");
    d.itemName = QStringLiteral("追跡記憶");
    d.windowNumber = 5;
    // spare whole number (kept as read), lighting time, auto-save
    const SettingField spare = SettingField::kept(QStringLiteral("0"));
    d.settings = SettingsFormat{QStringLiteral("追跡記憶設定.txt"),
                              {spare, SettingField::real(0.5f, 0.1f, 1.0f), SettingField::integer(1, 0, 1)}};
    d.autoSaveSetting = 2;
    d.history = HistoryFormat{QStringLiteral("追跡記憶履歴.txt"),
                            {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                             FieldForm::Text, FieldForm::Text}};
    d.columns = {col(QStringLiteral("回"), 620, 0),
                 col(QStringLiteral("日付"), 1400, 1, C),
                 col(QStringLiteral("時間"), 1100, 2, C),
                 col(QStringLiteral("ターン数"), 1100, 3),
                 col(QStringLiteral("ターン途中数"), 1400, 4),
                 col(QStringLiteral("軌跡数"), 1000, 5),
                 col(QStringLiteral("表示秒"), 900, 6),
                 col(QStringLiteral("秒記録"), 930, 7)};
    d.saveScrollMoreThan = 8;
    QStringList lighting;
    for (int i = 1; i <= 9; ++i)
        lighting.append(QStringLiteral("0.%1").arg(i));
    lighting.append(QStringLiteral("1"));
    d.filters = {filterBox(QStringLiteral("cboJikan2"), QStringLiteral("点灯秒"), lighting, equalsText(6), {})};
    d.allDspYellowWhenFiltered = true;
    d.views = {view(QStringLiteral("cmdKaitou"), QStringLiteral("ターン数"), 2, {3, 4}, ValueRule::LeadingNumber,
                    true, {QStringLiteral("ターン数"), QStringLiteral("ターン途中数")}),
               view(QStringLiteral("cmdMoji"), QStringLiteral("軌跡数"), 1, {5}),
               view(QStringLiteral("cmdPByou"), QStringLiteral("秒数"), 1, {7}),
               view(QStringLiteral("cmdJisyo"), QStringLiteral("予備"), 1, {3})};
    d.refreshOrder = {QStringLiteral("cmdKaitou"), QStringLiteral("cmdMoji"), QStringLiteral("cmdPByou"),
                      QStringLiteral("cmdJisyo")};
    d.initialView = QStringLiteral("cmdKaitou");
    d.panel.enabled = true;
    d.panel.tallCoversPlayArea = false; // only the grid grows
    d.panel.viewMakesTall = true;
    d.panel.startMakesCompact = true;
    d.panel.saveMakesCompact = true;
    d.playTimerMs = 100;
    d.helpText = trackingHelp();
    return d;
}

GameDescription timeLagDescription()
{
    GameDescription d;
    d.windowName = QStringLiteral("frmG3");
    d.caption = QStringLiteral("時間差記憶");
    d.itemName = QStringLiteral("時間差記憶");
    d.windowNumber = 3;
    // answer count, play seconds, lag, play mode, auto-save
    d.settings = SettingsFormat{QStringLiteral("時間差設定.txt"),
                              {SettingField::integer(20, 1, 100), SettingField::integer(60, 10, 180),
                               SettingField::text(QStringLiteral("2回"), {QStringLiteral("1回"), QStringLiteral("2回")}),
                               SettingField::text(QStringLiteral("秒数"), kPlayModes), SettingField::integer(1, 0, 1)}};
    d.autoSaveSetting = 4;
    d.history = HistoryFormat{QStringLiteral("時間差履歴.txt"),
                            {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                             FieldForm::Int, FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::Text}};
    d.columns = typingColumns(QStringLiteral("Ｍ"));
    d.gridFontSize = 11;
    d.filters = {filterBox(QStringLiteral("cboJikan2"), QStringLiteral("秒数"), numbers(10, 180, 5), withSuffix(9, kSec),
                           {QStringLiteral("cboKaisu2")}),
                 filterBox(QStringLiteral("cboKaisu2"), QStringLiteral("答数"), numbers(1, 100), sumOf(4, 5),
                           {QStringLiteral("cboJikan2")}),
                 filterBox(QStringLiteral("cboMode2"), QStringLiteral("モード"),
                           {QStringLiteral("1回"), QStringLiteral("2回")}, firstChar(10),
                           {QStringLiteral("cboJikan2"), QStringLiteral("cboKaisu2")}, false)};
    d.views = typingViews(
        view(QStringLiteral("cmdJisyo"), QStringLiteral("予備"), 1, {3}, ValueRule::LeadingNumber, false));
    d.refreshOrder = {QStringLiteral("cmdByou"), QStringLiteral("cmdRitu"), QStringLiteral("cmdKaitou"),
                      QStringLiteral("cmdPByou"), QStringLiteral("cmdJisyo"), QStringLiteral("cmdMoji")};
    d.initialView = QStringLiteral("cmdKaitou");
    d.playTimerMs = 50;
    d.helpText = timeLagHelp();
    return d;
}

GameDescription cycleDescription()
{
    GameDescription d = timeLagDescription();
    d.windowName = QStringLiteral("frmG4");
    d.caption = QStringLiteral("輪廻記憶");
    d.itemName = QStringLiteral("輪廻記憶");
    d.windowNumber = 4;
    // answer count, play seconds, play mode, auto-save
    d.settings = SettingsFormat{QStringLiteral("輪廻設定.txt"),
                              {SettingField::integer(20, 1, 100), SettingField::integer(60, 10, 180),
                               SettingField::text(QStringLiteral("答数"), kPlayModes), SettingField::integer(1, 0, 1)}};
    d.autoSaveSetting = 3;
    d.history.fileName = QStringLiteral("輪廻記憶履歴.txt");
    d.history.fields[9] = FieldForm::Int;
    d.columns = typingColumns(QStringLiteral("Ｔ"));
    d.filters.removeLast(); // no lag filter
    d.views = typingViews(view(QStringLiteral("cmdJisyo"), QStringLiteral("ターン数"), 1, {10}));
    d.helpText = cycleHelp();
    return d;
}

GameDescription scrambledDescription()
{
    GameDescription d;
    d.windowName = QStringLiteral("frmG7");
    d.caption = QStringLiteral("バラバラ記憶");
    d.itemName = QStringLiteral("バラバラ記憶");
    d.windowNumber = 7;
    // answer count, play seconds, display seconds, play mode, auto-save
    d.settings = SettingsFormat{QStringLiteral("バラバラ記憶設定.txt"),
                              {SettingField::integer(10, 1, 30), SettingField::real(60.0f, 10.0f, 180.0f),
                               SettingField::real(0.5f, 0.1f, 1.0f),
                               SettingField::text(QStringLiteral("答数"), kPlayModes), SettingField::integer(1, 0, 1)}};
    d.autoSaveSetting = 4;
    d.history = HistoryFormat{QStringLiteral("バラバラ記憶履歴.txt"),
                            {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                             FieldForm::Int, FieldForm::Text, FieldForm::Text, FieldForm::Text}};
    d.columns = {col(QStringLiteral("回"), 600, 0),
                 col(QStringLiteral("日付"), 1400, 1, C),
                 col(QStringLiteral("時間"), 1000, 2, C),
                 col(QStringLiteral("答数"), 600, 3),
                 col(QStringLiteral("ＯＫ"), 600, 4),
                 col(QStringLiteral("ＮＧ"), 600, 5),
                 col(QStringLiteral("字数"), 755, 6),
                 col(QStringLiteral("正解率"), 880, 7),
                 col(QStringLiteral("秒当たり"), 980, 8),
                 col(QStringLiteral("表示秒数"), 1025, 9)};
    d.saveScrollMoreThan = 8;
    d.filters = {filterBox(QStringLiteral("cboJikan2"), QStringLiteral("秒数"), numbers(10, 180, 10),
                           withSuffix(9, kSec), {QStringLiteral("cboKaisu2")}),
                 filterBox(QStringLiteral("cboKaisu2"), QStringLiteral("答数"), numbers(1, 30), sumOf(4, 5),
                           {QStringLiteral("cboJikan2")})};
    d.views = typingViews(view(QStringLiteral("cmdJisyo"), QStringLiteral("予備"), 1, {}, ValueRule::LeadingNumber, false));
    d.refreshOrder = {QStringLiteral("cmdByou"), QStringLiteral("cmdRitu"), QStringLiteral("cmdKaitou"),
                      QStringLiteral("cmdPByou"), QStringLiteral("cmdMoji")};
    d.initialView = QStringLiteral("cmdKaitou");
    d.panel.enabled = true;
    d.panel.viewMakesTall = true;
    d.panel.startMakesCompact = true;
    d.panel.saveMakesCompact = true;
    d.playTimerMs = 100;
    d.helpText = scrambledHelp();
    return d;
}

GameDescription gameDescription(int windowNumber)
{
    switch (windowNumber) {
    case 1: return numberMemoryDescription();
    case 2: return iconConcentrationDescription();
    case 3: return timeLagDescription();
    case 4: return cycleDescription();
    case 5: return trackingDescription();
    case 6: return imageMemoryDescription();
    case 7: return scrambledDescription();
    default: return GameDescription();
    }
}

} // namespace kioku
