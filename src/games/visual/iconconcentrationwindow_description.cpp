// What icon concentration's frame is made of.
#include "games/visual/iconconcentrationwindow.h"

#include "core/rules/iconconcentration.h"
#include "games/frame/descriptionparts.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
            QStringLiteral("このゲームは『アイコン衰弱』です。"),
            QStringLiteral(""),
            QStringLiteral("アイコン（国旗）を使った神経衰弱ゲームで隠された国旗をペアで消していきます。"),
            QStringLiteral(""),
            QStringLiteral("　※国名の表示／非表示を選択できます。"),
            QStringLiteral(
                "　※使うコマ種類を２、４、１０、２０から選択できるのでお好きな難易度でチャレンジしてください。"),
            QStringLiteral(""),
            QStringLiteral("　※デフォルトでは国旗アイコンを題材にしてますがお好きに入れ替えて使うこともできます。"),
        },
        false);
}

} // namespace

GameDescription iconConcentrationDescription()
{
    GameDescription d;
    d.game = Game::IconConcentration;
    d.caption = QStringLiteral("アイコン衰弱");
    d.settings = rules::iconConcentrationSettings();
    d.autoSaveSetting = rules::IconConcentrationSetting::AutoSave;
    d.history = rules::iconConcentrationHistory();
    d.columns = {col(QStringLiteral("回"), 620, 0),        col(QStringLiteral("日付"), 1400, 1, C),
                 col(QStringLiteral("時間"), 1100, 2, C),  col(QStringLiteral("レベル"), 1000, 3, L),
                 col(QStringLiteral("名表示"), 810, 4, C), col(QStringLiteral("ターン"), 900, 5),
                 col(QStringLiteral("クリア"), 900, 6),    col(QStringLiteral("回記録"), 850, 7, C),
                 col(QStringLiteral("秒記録"), 850, 8, C)};
    d.saveScrollMoreThan = 14;
    d.filters = {
        filterBox(QStringLiteral("cboMondai2"), QStringLiteral("レベル"), rules::iconLevels(), equalsText(3), {})};
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
    d.helpText = helpText();
    return d;
}

} // namespace kioku
