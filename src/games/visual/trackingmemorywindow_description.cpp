// What tracking memory's frame is made of.
#include "games/visual/trackingmemorywindow.h"

#include "core/rules/tracking.h"
#include "games/frame/descriptionparts.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
            QStringLiteral("このゲームは『追跡記憶』です。"),
            QStringLiteral(""),
            QStringLiteral("９つのパネルが不規則に点灯しますのでその通りに追跡してクリックします。"),
            QStringLiteral("点灯する回数は１回ずつ増加していきますのでターンの度に難易度アップ！"),
            QStringLiteral(""),
            QStringLiteral("※点灯時間は変更することができますので自分が覚えやすいタイミングに調整してください。"),
        },
        false);
}

} // namespace

GameDescription trackingDescription()
{
    GameDescription d;
    d.game = Game::Tracking;
    d.caption = QStringLiteral("追跡記憶");
    d.settings = rules::trackingSettings();
    d.autoSaveSetting = rules::TrackingSetting::AutoSave;
    d.history = rules::trackingHistory();
    d.columns = {col(QStringLiteral("回"), 620, 0),
                 col(QStringLiteral("日付"), 1400, 1, C),
                 col(QStringLiteral("時間"), 1100, 2, C),
                 col(QStringLiteral("ターン数"), 1100, 3),
                 col(QStringLiteral("ターン途中数"), 1400, 4),
                 col(QStringLiteral("軌跡数"), 1000, 5),
                 col(QStringLiteral("表示秒"), 900, 6),
                 col(QStringLiteral("秒記録"), 930, 7)};
    d.saveScrollMoreThan = 8;
    d.filters = {filterBox(QStringLiteral("cboJikan2"), QStringLiteral("点灯秒"), rules::lightingTimeItems(),
                           equalsText(6), {})};
    d.allDspYellowWhenFiltered = true;
    d.views = {view(QStringLiteral("cmdKaitou"), QStringLiteral("ターン数"), 2, {3, 4}, ValueRule::LeadingNumber, true,
                    {QStringLiteral("ターン数"), QStringLiteral("ターン途中数")}),
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
    d.helpText = helpText();
    return d;
}

} // namespace kioku
