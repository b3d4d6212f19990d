// What scrambled typing's frame is made of.
#include "games/typing/scrambledtypingwindow.h"

#include "core/rules/scrambled.h"
#include "games/frame/descriptionparts.h"
#include "games/typing/typingdescription.h"

namespace kioku {

namespace {

using namespace describe;

QString helpText()
{
    return helpLines(
        {
            QStringLiteral("このゲームは『バラバラ記憶タイピング』です。"),
            QStringLiteral(""),
            QStringLiteral("ある単語が順番バラバラで、なおかつ１文字ずつ画面に表示されます。"),
            QStringLiteral(
                "どんな文字が表示されたのかを記憶しながらバラバラになった単語を正しく並び替えて入力します。"),
            QStringLiteral(""),
            QStringLiteral("文字の表示時間は変更することができますので自分が覚えやすいタイミングに調整してください。"),
            QStringLiteral(""),
            QStringLiteral("ギブアップ時はＥＳＣキーを押すか構成文字欄をクリックしてください。"),
        },
        true);
}

} // namespace

GameDescription scrambledDescription()
{
    GameDescription d =
        typingDescription({Game::Scrambled, QStringLiteral("バラバラ記憶"), rules::scrambledSettings(),
                           rules::ScrambledSetting::AutoSave, rules::scrambledHistory(), numbers(10, 180, 10),
                           numbers(1, 30), spareView(QStringLiteral("cmdJisyo"), QStringLiteral("予備"))});
    d.columns = {col(QStringLiteral("回"), 600, 0),       col(QStringLiteral("日付"), 1400, 1, C),
                 col(QStringLiteral("時間"), 1000, 2, C), col(QStringLiteral("答数"), 600, 3),
                 col(QStringLiteral("ＯＫ"), 600, 4),     col(QStringLiteral("ＮＧ"), 600, 5),
                 col(QStringLiteral("字数"), 755, 6),     col(QStringLiteral("正解率"), 880, 7),
                 col(QStringLiteral("秒当たり"), 980, 8), col(QStringLiteral("表示秒数"), 1025, 9)};
    d.saveScrollMoreThan = 8;
    d.panel.enabled = true;
    d.panel.viewMakesTall = true;
    d.panel.startMakesCompact = true;
    d.panel.saveMakesCompact = true;
    d.panel.panelClickHides = true; // the tall panel is put away as it is in 画像記憶
    d.panel.startShowsPanel = true;
    d.playTimerMs = 100;
    d.helpText = helpText();
    return d;
}

} // namespace kioku
