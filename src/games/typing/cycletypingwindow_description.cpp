// What cycle typing's frame is made of.
#include "games/typing/cycletypingwindow.h"

#include "core/rules/cycle.h"
#include "games/frame/descriptionparts.h"
#include "games/typing/typingdescription.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
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
        },
        false);
}

} // namespace

GameDescription cycleDescription()
{
    GameDescription d;
    d.game = Game::Cycle;
    d.caption = QStringLiteral("輪廻記憶");
    d.settings = rules::cycleSettings();
    d.autoSaveSetting = rules::CycleSetting::AutoSave;
    d.history = rules::cycleHistory();
    d.columns = typingColumns(QStringLiteral("Ｔ"));
    d.gridFontSize = 11;
    d.filters = {typingSecondsFilter(numbers(10, 180, 5)), typingCountFilter(numbers(1, 100))};
    d.views = typingViews(view(QStringLiteral("cmdJisyo"), QStringLiteral("ターン数"), 1, {10}));
    d.refreshOrder = {QStringLiteral("cmdByou"),  QStringLiteral("cmdRitu"),  QStringLiteral("cmdKaitou"),
                      QStringLiteral("cmdPByou"), QStringLiteral("cmdJisyo"), QStringLiteral("cmdMoji")};
    d.initialView = QStringLiteral("cmdKaitou");
    d.playTimerMs = 50;
    d.helpText = helpText();
    return d;
}

} // namespace kioku
