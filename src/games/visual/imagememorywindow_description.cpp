// What image memory's frame is made of: number memory's history with icons.
#include "games/visual/imagememorywindow.h"

#include "core/rules/imagememory.h"
#include "games/frame/descriptionparts.h"
#include "games/visual/digithistory.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
            QStringLiteral("このゲームは『画像記憶』です。　『数字記憶』の画像版のイメージです。"),
            QStringLiteral(""),
            QStringLiteral("指定した個数のアイコンが指定秒数表示されますのでその間に記憶します｡ "),
            QStringLiteral(""),
            QStringLiteral("　※個数（表示問題数）は１～１５個まで設定できます。"),
            QStringLiteral("　※表示時間は１秒～６０秒まで設定できます。"),
            QStringLiteral("　※文字表示にチェックを入れるとアイコンだけじゃなく文字も一緒に表示できます。"),
        },
        true);
}

} // namespace

GameDescription imageMemoryDescription()
{
    GameDescription d;
    d.game = Game::ImageMemory;
    d.caption = QStringLiteral("画像記憶");
    d.settings = rules::imageMemorySettings();
    d.autoSaveSetting = rules::ImageMemorySetting::AutoSave;
    d.history = rules::imageMemoryHistory();
    d.columns = digitHistoryColumns();
    d.filters = digitHistoryFilters(QStringLiteral("個数"), numbers(1, 15), numbers(1, 60));
    d.views = digitHistoryViews();
    d.refreshOrder = digitHistoryRefreshOrder();
    d.initialView = QStringLiteral("cmdKaitou");
    d.panel.enabled = true;
    d.panel.viewMakesTall = true;
    d.panel.startMakesCompact = true;
    d.panel.panelClickHides = true;
    d.panel.startShowsPanel = true;
    d.playTimerMs = 50;
    d.helpText = helpText();
    return d;
}

} // namespace kioku
