// What time-lag typing's frame is made of.
#include "games/typing/timelagtypingwindow.h"

#include "core/rules/timelag.h"
#include "games/frame/descriptionparts.h"
#include "games/typing/typingdescription.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
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
        },
        false);
}

} // namespace

GameDescription timeLagDescription()
{
    GameDescription d = typingDescription(
        {Game::TimeLag, QStringLiteral("時間差記憶"), rules::timeLagSettings(), rules::TimeLagSetting::AutoSave,
         rules::timeLagHistory(), typingPlaySeconds(), typingAnswerCounts(),
         view(QStringLiteral("cmdJisyo"), QStringLiteral("予備"), 1, {3}, ValueRule::LeadingNumber, false)});
    d.columns = typingColumns(QStringLiteral("Ｍ"));
    d.gridFontSize = 11;
    d.filters << filterBox(QStringLiteral("cboMode2"), QStringLiteral("モード"), rules::lagItems(), firstChar(10),
                           {QStringLiteral("cboJikan2"), QStringLiteral("cboKaisu2")}, false);
    d.helpText = helpText();
    return d;
}

} // namespace kioku
