// What number memory's frame is made of.
#include "games/visual/numbermemorywindow.h"

#include "core/rules/numbermemory.h"
#include "games/frame/descriptionparts.h"
#include "games/visual/digithistory.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
            QStringLiteral("このゲームは『数字記憶』です。"),
            QStringLiteral(""),
            QStringLiteral("指定した桁数の数字が指定秒数表示されますのでその間に記憶します｡ "),
            QStringLiteral(""),
            QStringLiteral("　※桁数（表示問題数）は１～１５桁まで設定できます。"),
            QStringLiteral("　※表示時間は0.2（瞬時）～３０秒まで設定できます。"),
            QStringLiteral(""),
            QStringLiteral("瞬間記憶やゆっくり記憶のトレーニングに。"),
        },
        true);
}

} // namespace

GameDescription numberMemoryDescription()
{
    GameDescription d;
    d.game = Game::NumberMemory;
    d.caption = QStringLiteral("数字記憶");
    d.settings = rules::numberMemorySettings();
    d.autoSaveSetting = rules::NumberMemorySetting::AutoSave;
    d.history = rules::numberMemoryHistory();
    d.columns = digitHistoryColumns();
    d.filters = digitHistoryFilters(QStringLiteral("桁数"), rules::digitCountItems(), rules::displayTimeItems());
    d.views = digitHistoryViews();
    d.refreshOrder = digitHistoryRefreshOrder();
    d.initialView = QStringLiteral("cmdKaitou");
    d.playTimerMs = 50;
    d.helpText = helpText();
    return d;
}

} // namespace kioku
