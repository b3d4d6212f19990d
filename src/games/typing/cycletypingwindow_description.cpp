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
    GameDescription d = typingDescription({Game::Cycle, QStringLiteral("輪廻記憶"), rules::cycleSettings(),
                                           rules::CycleSetting::AutoSave, rules::cycleHistory(), typingPlaySeconds(),
                                           typingAnswerCounts(),
                                           view(QStringLiteral("cmdJisyo"), QStringLiteral("ターン数"), 1, {10})});
    d.columns = typingColumns(QStringLiteral("Ｔ"));
    d.gridFontSize = 11;
    d.helpText = helpText();
    return d;
}

} // namespace kioku
